// Route search.
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

}  // namespace
}  // namespace tessarion
