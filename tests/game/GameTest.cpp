#include <gtest/gtest.h>

#include "game/Game.h"
#include "model/Random.h"

namespace tessarion {
namespace {

// Games are independent: a program or a test may hold several.
TEST(GameTest, EachPowerPlaysOnItsOwnGame) {
    Game a(3);
    Game b(3);
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
