#pragma once

#include <array>
#include <set>
#include <utility>
#include <vector>

#include "model/ProvinceTable.h"

namespace tessarion {

class Game;
struct Province;

// A built-in player with a sensible plan: guard the provinces enemies stand
// next to, keep garrisons in Britannia, Aegyptus and Italia, take back what
// lies undefended, beat weaker bands, and march spare legions to where they
// are short or to lost provinces. It gives its orders province by province,
// exactly as a person's drags give them, and decides the same way every time
// it sees the same position.
class GeneralPlayer {
  public:
    // Gives this turn's orders in `game`. Returns when nothing sensible is
    // left to order, or when the last order ended the turn by itself.
    void playTurn(Game& game);

    // Policies for the advisor's questions. Peace is bought whenever the
    // treasury holds its price; a bonus is paid whenever the treasury holds it,
    // since a refusal risks a whole army group going over to a usurper.
    static bool acceptsPeace(int treasury, int price, int years);
    static bool paysBonus(int treasury, int amount);

    // What the general sees of the map: per province (in table order) who
    // holds it, whose legions stand there and who could strike it next turn.
    struct View {
        static constexpr int kRomans = 0;
        static constexpr int kPersians = 2;
        static constexpr int kRebels = 3;
        std::array<Province*, kProvinceCount> province{};
        std::array<int, kProvinceCount> owner{};     // power index 0..3, -1 for nobody
        std::array<int, kProvinceCount> roman{};     // Roman legions standing there
        std::array<int, kProvinceCount> ready{};     // of those, free to take an order
        std::array<int, kProvinceCount> enemy{};     // legions of every other power
        std::array<int, kProvinceCount> persians{};  // of those, Persian legions
        std::array<int, kProvinceCount> danger{};    // enemy legions that may strike it
        std::array<int, kProvinceCount> wanted{};    // the garrison the general keeps
        std::array<bool, kProvinceCount> beyond{};
        std::array<bool, kProvinceCount> inArmyGroup{};
        std::array<int, 4> powerLegions{};
        // Provinces a Roman legion may be dragged to directly (both directions
        // of the neighbour lists), and the neighbours enemy legions strike.
        std::array<std::vector<int>, kProvinceCount> around;
        std::array<std::vector<int>, kProvinceCount> strikes;
        const Game* game = nullptr;  // whose map the fixed part describes

        int indexOf(const Province* p) const;
        int spare(int i) const { return roman[i] - wanted[i]; }
    };
    // Brings the view up to date with the game: the map part only when the
    // view was made for another game.
    static void look(Game& game, View& view);

    struct Order {
        int from = -1;
        int to = -1;
        int score = 0;
    };
    // The best order in the position, skipping those already refused this turn.
    Order chooseOrder(const View& view) const;

  private:
    View view_;
    std::set<std::pair<int, int>> refused_;
};

}  // namespace tessarion
