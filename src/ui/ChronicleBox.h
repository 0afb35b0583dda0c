#pragma once

#include <string>
#include <vector>

#include "model/YearRecord.h"
#include "ui/BoxChrome.h"
#include "ui/ColourScheme.h"
#include "ui/ModalBox.h"

namespace tessarion {

class Game;

// "Chronicle of the Empire, 235 - 262 AD": the chart's title for a game.
std::string chronicleTitle(const Game& game);

// The chronicle's chart in a box of its own, with OK; Enter, Escape and the
// close box end it too.
class ChronicleBox : public ModalBox {
  public:
    static constexpr int kChartWidth = 760;
    static constexpr int kChartHeight = 440;

    ChronicleBox(std::string title, std::vector<ChronicleRow> rows, ColourScheme scheme,
                 int screenWidth, int screenHeight);

    void draw(Surface& target) const override;
    void mouseDown(int x, int y, InputEvent::Button button) override;
    void mouseUp(int x, int y, InputEvent::Button button) override;
    void keyDown(const InputEvent& key) override;

    static constexpr int kOk = 1;
    int clientLeft() const { return left + BoxChrome::kBorder; }
    int clientTop() const { return top + BoxChrome::kBorder + BoxChrome::kCaption; }
    // The chart's top-left corner in the client area.
    static constexpr int kChartX = 8;
    static constexpr int kChartY = 8;

  private:
    std::string title_;
    std::vector<ChronicleRow> rows_;
    ColourScheme scheme_;
    BoxButton ok_;
    bool pressed_ = false;
};

}  // namespace tessarion
