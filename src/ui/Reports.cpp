#include "ui/Reports.h"

#include <cstdio>

#include "engine/RomanEmpire.h"
#include "model/Game.h"
#include "model/InternalError.h"
#include "ui/Screen.h"

namespace tessarion {

namespace {

// Every text of the panels goes through a buffer of this size, as the
// originals of these lines did; longer texts are cut.
template <typename... Args>
void printAt(Surface& s, int x, int y, const char* format, Args... args) {
    char line[256];
    std::snprintf(line, sizeof line, format, args...);
    s.drawText(x, y, line);
}

}  // namespace

void drawEconomicReport(Screen& screen) {
    Surface& s = screen.backBuffer;
    const RomanEmpire& romans = Game::instance().romans;
    const int x = screen.x(1010);
    s.text.opaque = false;
    printAt(s, screen.x(1110), 100, "YEAR: %d AD", Game::instance().turn + 235);
    printAt(s, x, 130, "ECONOMIC REPORT");
    printAt(s, x, 160, "Tax Revenue: %d", romans.lastIncome);
    printAt(s, x, 180, "Legion Cost: %d", romans.upkeep);
    printAt(s, x, 200, "Net: %+d", romans.lastIncome - romans.upkeep);
    printAt(s, x, 220, "Treasury: %d", romans.treasury);
    printAt(s, x, 240, "The Empire can support %d legions", legionCap(romans));
    if (romans.plague) {
        const std::uint32_t saved = s.text.colour;
        s.text.colour = kRed;
        if (romans.treasury > 0) {
            printAt(s, x, 260, "The Empire is suffering from a plague.");
            printAt(s, x, 280, "Legion creation and tax collection is slowed!");
        } else {
            printAt(s, x, 260, "The Empire is out of money:");
            printAt(s, x, 280, "The legions are disbanding!");
        }
        s.text.colour = saved;
    } else {
        printAt(s, x, 260, "Taxes are being collected");
        printAt(s, x, 280, "Legions are being paid");
    }
    s.text.opaque = true;
}

void drawMilitaryReport(Screen& screen) {
    Surface& s = screen.backBuffer;
    const std::deque<std::string> news = Game::instance().newsLog;
    s.text.opaque = false;
    printAt(s, screen.x(1010), 320, "MILITARY REPORT");
    int y = 360;
    for (const std::string& entry : news) {
        printAt(s, screen.x(1010), y, "%s", entry.c_str());
        y += 20;
    }
    s.text.opaque = true;
}

void drawProvinceInfo(Screen& screen, Surface& target) {
    const TextStyle saved = target.text;
    target.text = {kWhite, kBlack, false};
    target.fillRect(screen.x(185), 595, screen.x(965), 618, kBlack);
    if (const Province* p = screen.hoveredProvince) {
        printAt(target, screen.x(185), 600, "Province: %s", p->name.c_str());
        printAt(target, screen.x(430), 600, "Tax value:");
        if (p->taxValue != 0) {
            for (int k = 1; k <= 4; ++k) {
                const Graphic& coin =
                    p->taxValue >= k ? screen.pictures.fullCoin : screen.pictures.emptyCoin;
                coin.draw(target, screen.x(515 + 22 * (k - 1)), 595);
            }
        }
        printAt(target, screen.x(660), 600, "Attributes: %s", provinceAttributesText(*p).c_str());
    } else {
        printAt(target, screen.x(185), 600, "Province:");
        printAt(target, screen.x(430), 600, "Tax value:");
        printAt(target, screen.x(660), 600, "Attributes:");
    }
    target.text = saved;
}

std::string provinceAttributesText(const Province& province) {
    switch (province.hostility) {
        case 0:
            return province.attributes;
        case 1:
            return province.attributes + " (friendly)";
        case 2:
            return province.attributes + " (hostile)";
        default:
            throw InternalError("invalid hostility flag");
    }
}

void refreshReports(Screen& screen) {
    screen.pictures.parchment.drawTransparent(screen.backBuffer, screen.x(980), 0);
    drawEconomicReport(screen);
    drawMilitaryReport(screen);
    screen.window.blit(screen.backBuffer, screen.x(990), 0, 345, 664, screen.x(990), 0);
    screen.present();
}

}  // namespace tessarion
