#pragma once

#include <vector>

#include "game/GameEvent.h"
#include "support/TestGame.h"

namespace tessarion::test {

// A new game with its schedule of events, for the events' and the scenarios'
// tests.
class HistoryTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        newGame();
    }
    // The years of the events still to come, in order.
    std::vector<int> eventYears() {
        std::vector<int> years;
        for (const auto& e : game().events) {
            years.push_back(e->year);
        }
        return years;
    }
};

}  // namespace tessarion::test
