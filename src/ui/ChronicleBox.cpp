#include "ui/ChronicleBox.h"

#include "game/Game.h"
#include "ui/ChronicleChart.h"
#include "ui/Language.h"

namespace tessarion {

using namespace box;

std::string chronicleTitle(const Game& game) {
    const int first = game.chronicle.empty() ? game.year() : game.chronicle.front().year;
    const int last = game.chronicle.empty() ? game.year() : game.chronicle.back().year;
    return trFormat(N_("Chronicle of the Empire, %d - %d AD"),
                    {std::to_string(first), std::to_string(last)});
}

ChronicleBox::ChronicleBox(std::string title, std::vector<ChronicleRow> rows, ColourScheme scheme,
                           int screenWidth, int screenHeight)
    : title_(std::move(title)), rows_(std::move(rows)), scheme_(scheme) {
    const int clientWidth = kChartWidth + 2 * kChartX;
    const int buttonsY = kChartY + kChartHeight + 10;
    ok_ = {kOk, tr("OK"), clientWidth - 8 - 88, buttonsY, 88, 28};
    width = clientWidth + 2 * BoxChrome::kBorder;
    height = buttonsY + 28 + 10 + BoxChrome::kCaption + 2 * BoxChrome::kBorder;
    left = (screenWidth - width) / 2;
    top = (screenHeight - height) / 2;
}

void ChronicleBox::draw(Surface& s) const {
    BoxChrome::draw(s, left, top, width, height, title_, true, kBodyColour);
    const ChronicleChart chart(rows_, clientLeft() + kChartX, clientTop() + kChartY, kChartWidth,
                               kChartHeight);
    chart.draw(s, scheme_);
    drawButton(s, clientLeft(), clientTop(), ok_, true, pressed_, true);
}

void ChronicleBox::mouseDown(int x, int y, InputEvent::Button b) {
    pressed_ = b == InputEvent::Button::Left && ok_.contains(x - clientLeft(), y - clientTop());
}

void ChronicleBox::mouseUp(int x, int y, InputEvent::Button b) {
    if (b != InputEvent::Button::Left) {
        return;
    }
    if (BoxChrome::onCloseBox(left, top, width, x, y) ||
        (pressed_ && ok_.contains(x - clientLeft(), y - clientTop()))) {
        done = true;
        endCode = kOk;
    }
    pressed_ = false;
}

void ChronicleBox::keyDown(const InputEvent& key) {
    if (isClose(key) || key.key == KeyCode::Space) {
        done = true;
        endCode = kOk;
    }
}

}  // namespace tessarion
