// The one seam between the rules and whoever shows them.
#include "model/FrontEnd.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "game/Game.h"

namespace tessarion {
namespace {

class Says : public FrontEnd {
  public:
    explicit Says(bool answer) : answer_(answer) {}
    bool askYesNo(const std::string&, const Question&) override { return answer_; }
    void showMessage(const std::string& text) override { heard = text; }
    std::string heard;

  private:
    bool answer_;
};

// With nobody installed the rules run on: nothing shown, every question No.
// Scopes nest, and each puts back the front end it replaced, also when the
// rules throw through it.
// A front end is installed on one game: another game goes on talking to its own.
TEST(FrontEndTest, ScopesNestAndRestoreTheOneBefore) {
    Game game;
    Game other;
    EXPECT_FALSE(askYesNo(game, "Do you wish to pay them?"));
    showMessage(game, "nobody hears this");

    Says yes(true);
    Says no(false);
    {
        FrontEndScope outer(game, yes);
        EXPECT_TRUE(askYesNo(game, "?"));
        EXPECT_FALSE(askYesNo(other, "?")) << "the other game has nobody";
        try {
            FrontEndScope inner(game, no);
            EXPECT_FALSE(askYesNo(game, "?"));
            showMessage(game, "inner");
            throw std::runtime_error("the rules fail");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(no.heard, "inner");
        EXPECT_TRUE(askYesNo(game, "?")) << "the outer front end is back";
        showMessage(game, "outer");
        EXPECT_EQ(yes.heard, "outer");
    }
    EXPECT_FALSE(askYesNo(game, "?"));
}

}  // namespace
}  // namespace tessarion
