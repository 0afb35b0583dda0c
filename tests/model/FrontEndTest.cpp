// The one seam between the rules and whoever shows them.
#include "model/FrontEnd.h"

#include <gtest/gtest.h>

#include <stdexcept>

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
TEST(FrontEndTest, ScopesNestAndRestoreTheOneBefore) {
    EXPECT_FALSE(askYesNo("Do you wish to pay them?"));
    showMessage("nobody hears this");

    Says yes(true);
    Says no(false);
    {
        FrontEndScope outer(yes);
        EXPECT_TRUE(askYesNo("?"));
        try {
            FrontEndScope inner(no);
            EXPECT_FALSE(askYesNo("?"));
            showMessage("inner");
            throw std::runtime_error("the rules fail");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(no.heard, "inner");
        EXPECT_TRUE(askYesNo("?")) << "the outer front end is back";
        showMessage("outer");
        EXPECT_EQ(yes.heard, "outer");
    }
    EXPECT_FALSE(askYesNo("?"));
}

}  // namespace
}  // namespace tessarion
