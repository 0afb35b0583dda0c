#pragma once

#include <set>
#include <string>
#include <utility>

namespace tessarion {

class Game;
class Shell;
struct Province;

// A built-in player with a sensible plan: take what lies undefended, beat
// weaker garrisons, guard the threatened borders and the rebellious provinces,
// and send spare legions to win back what was lost. It gives its orders by
// dragging legions, exactly as a person would.
class GeneralPlayer {
  public:
    // Gives this turn's orders. Returns when nothing sensible is left to order,
    // or when the last order ended the turn by itself.
    void playTurn(Shell& shell);

    // Policies for the advisor's questions.
    static bool acceptsPeace(int treasury, int price);
    static bool paysBonus(int treasury, int amount);

  private:
    struct Order {
        Province* from = nullptr;
        Province* to = nullptr;
        int score = 0;
    };
    Order chooseOrder(Game& game);
    std::set<std::pair<std::string, std::string>> refused_;
};

}  // namespace tessarion
