// Which game the program plays on: the one installed, never one made up.
#include <gtest/gtest.h>

#include "game/Game.h"
#include "model/InternalError.h"
#include "model/Random.h"

namespace tessarion {
namespace {

TEST(CurrentGameTest, MakingAGameInstallsNothingAndGuardsNest) {
    ASSERT_EQ(Game::current(), nullptr);
    EXPECT_THROW(Game::instance(), InternalError) << "no game is made up on demand";

    seedRandom(3);
    Game outer;
    EXPECT_EQ(Game::current(), nullptr) << "a game becomes the program's only when installed";
    {
        CurrentGame installOuter(outer);
        EXPECT_EQ(&Game::instance(), &outer);
        {
            // A second game (a benchmark's, a test's) leaves the first alone
            // until it is installed, and gives it back when its guard ends.
            Game inner;
            EXPECT_EQ(Game::current(), &outer);
            CurrentGame installInner(inner);
            EXPECT_EQ(Game::current(), &inner);
        }
        EXPECT_EQ(Game::current(), &outer);
    }
    EXPECT_EQ(Game::current(), nullptr);
}

TEST(CurrentGameTest, EachPowerPlaysOnItsOwnGame) {
    seedRandom(3);
    Game a;
    Game b;
    // A raid in one game is news in that game only.
    Legion* legion = a.romans.createLegion(a.findProvince("Raetia"));
    legion->setRoute({a.findProvince("Raetia"), a.findProvince("Upper Danube")});
    a.romans.moveLegionStep(legion);
    ASSERT_EQ(a.newsLog.size(), 1u);
    EXPECT_EQ(a.newsLog.back(), "Our raid into Upper Danube was successful");
    EXPECT_TRUE(b.newsLog.empty());
}

}  // namespace
}  // namespace tessarion
