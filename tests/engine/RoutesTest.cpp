// Route search and the frontier rules.
#include "engine/Orders.h"
#include "engine/ReferenceRoutes.h"
#include "engine/Routes.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

using test::GameTest;

Route referenceRoute(Province* from, Province* to) {
    return test::referenceSearch(from, [to](const Province* p) { return p == to; })
        .value_or(Route{});
}

std::vector<std::string> names(const Route& r) {
    std::vector<std::string> out;
    for (Province* p : r) {
        out.push_back(p->name);
    }
    return out;
}

class RoutesTest : public GameTest {};

// The enumeration tries neighbours in list order, so agreeing with it also
// fixes the tie-break between routes of one length.
TEST_F(RoutesTest, AgreesWithTheFullEnumerationForEveryPair) {
    for (auto& a : game().provinces) {
        for (auto& b : game().provinces) {
            if (a == b || isBeyondBorder(b.get())) {
                continue;  // nothing lists a territory, so those searches would enumerate the whole
                           // map
            }
            EXPECT_EQ(names(findRoute(game(), a.get(), b.get())),
                      names(referenceRoute(a.get(), b.get())))
                << a->name << " -> " << b->name;
        }
    }
    EXPECT_TRUE(advisor.messages.empty()) << "every route found passes the check";
}

TEST_F(RoutesTest, NoRouteIntoTheLandsBeyondTheFrontier) {
    EXPECT_TRUE(findRoute(game(), p("Italia"), p("Armenia")).empty());
    EXPECT_TRUE(findRoute(game(), p("Sarmatia"), p("Lower Rhine")).empty());
    EXPECT_TRUE(findRoute(game(), nullptr, p("Italia")).empty());  // nor from nowhere
}

TEST_F(RoutesTest, CheckRouteReportsTheFirstBadStepOnly) {
    checkRoute(game(), {p("Italia"), p("Raetia"), p("Belgica")});
    EXPECT_TRUE(advisor.messages.empty());
    checkRoute(game(), {p("Italia"), p("Syria"), p("Britannia")});
    EXPECT_EQ(advisor.messages, std::vector<std::string>{"Route is invalid"});
}

class FrontierTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        newGame();
        clearAllLegions();
    }
    bool dropFrom(const std::string& from, const std::string& to) {
        return dropLegion(game(), p(from), p(to)).carriedOut();
    }
};

TEST_F(FrontierTest, EmptyTerritoriesAreRefusedWithTheirLessonEveryTime) {
    give(game().romans, "Dacia");
    EXPECT_FALSE(dropFrom("Dacia", "Sarmatia"));
    EXPECT_FALSE(dropFrom("Dacia", "Sarmatia"));
    ASSERT_EQ(advisor.messages.size(), 2u);
    EXPECT_EQ(advisor.messages[0],
              "In 9 AD, a Roman army of 15,000 men was ambushed\r\nand massacred in the Teutoburg "
              "Forest of "
              "Germania.\r\nConsequently, Roman troops will not enter that \r\nterritory unless "
              "there are barbarians "
              "to attack.");
    give(game().romans, "Syria");
    EXPECT_FALSE(dropFrom("Syria", "Mesopotamia"));
    EXPECT_EQ(advisor.messages.back(),
              "The Romans believed the Tigris river was the\r\n\"natural\" border of the empire. "
              "Roman\r\ntroops will "
              "not cross it unless there is an\r\nimmediate military threat.");
    EXPECT_EQ(game().romans.legionsIn(p("Dacia")), 1);
}

TEST_F(FrontierTest, RaidBeyondTheFrontierLeavesTheLegionAtHome) {
    give(game().barbarians, "Sarmatia");
    give(game().barbarians, "Upper Rhine");  // so no power is wiped out
    give(game().romans, "Dacia");
    test::rigDraws(game(), {1});
    EXPECT_TRUE(dropFrom("Dacia", "Sarmatia"));
    EXPECT_EQ(game().newsLog.back(), "Our raid into Sarmatia was successful");
    EXPECT_EQ(game().ownerOf(p("Sarmatia")), &game().barbarians);
    EXPECT_EQ(game().romans.legions[0]->province->name, "Dacia");
    EXPECT_TRUE(game().romans.legions[0]->moved);
}

}  // namespace
}  // namespace tessarion
