#include "ui/Reports.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "engine/RomanEmpire.h"
#include "game/Game.h"
#include "model/InternalError.h"
#include "ui/Font.h"
#include "ui/Language.h"
#include "ui/Screen.h"

namespace tessarion {

namespace {

// Every text of the panels goes through a buffer of this size, as the
// originals of these lines did; longer texts are cut.
__attribute__((format(printf, 4, 5))) void printAt(Surface& s, int x, int y, const char* format,
                                                   ...) {
    char line[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, tr(format).c_str(), args);
    va_end(args);
    s.drawText(x, y, line);
}

// A report line into the fixed buffer the report's lines are made in.
void setLine(char* line, std::size_t size, const std::string& text) {
    std::snprintf(line, size, "%s", text.c_str());
}

// The lines that say where the empire stands whatever year is shown: the
// treasury, the legions it can support and the two status lines.
template <typename Next>
void addStanding(const RomanEmpire& romans, char* line, std::size_t size, Next next) {
    setLine(line, size, trFormat(N_("Treasury: %d"), {localNumber(romans.treasury)}));
    next(false);
    setLine(line, size,
            trFormat(N_("The Empire can support %d legions"), {localNumber(legionCap(romans))}));
    next(false);
    const bool plague = romans.plague;
    const char* first = !plague               ? N_("Taxes are being collected")
                        : romans.treasury > 0 ? N_("The Empire is suffering from a plague.")
                                              : N_("The Empire is out of money:");
    const char* second = !plague               ? N_("Legions are being paid")
                         : romans.treasury > 0 ? N_("Legion creation and tax collection is slowed!")
                                               : N_("The legions are disbanding!");
    std::snprintf(line, size, "%s", tr(first).c_str());
    next(plague);
    std::snprintf(line, size, "%s", tr(second).c_str());
    next(plague);
}

}  // namespace

// One year's accounts, all from the same record: during the computer's turn
// the year being booked, otherwise the last one closed. Its year label is the
// year the accounts lead into, so that the label and the figures change
// together at the first tax.
std::vector<ReportLine> economicReportLines(const Game& game) {
    const RomanEmpire& romans = game.romans;
    // Every text of the panels goes through a buffer of 256 bytes; longer ones are cut.
    char line[256];
    std::vector<ReportLine> lines;
    auto add = [&](int x, int y, bool red) { lines.push_back({x, y, line, red}); };
    auto heading = [&](int year, int headerY) {
        setLine(line, sizeof line, trFormat(N_("YEAR: %d AD"), {std::to_string(year)}));
        add(1110, 100, false);
        setLine(line, sizeof line, tr("ECONOMIC REPORT"));
        add(1010, headerY, false);
    };
    const YearRecord& record = game.endingTurn ? game.yearRecord : game.lastYear;
    if (record.empty()) {
        // Nothing booked yet (a game just set up or loaded): the empire's
        // own figures of a year's taxes and pay.
        heading(game.turn + 235, 130);
        setLine(line, sizeof line,
                trFormat(N_("Tax Revenue: %d"), {localNumber(romans.lastIncome)}));
        add(1010, 160, false);
        setLine(line, sizeof line, trFormat(N_("Legion Cost: %d"), {localNumber(romans.upkeep)}));
        add(1010, 180, false);
        setLine(line, sizeof line,
                trFormat(N_("Net: %+d"), {localNumber(romans.lastIncome - romans.upkeep, true)}));
        add(1010, 200, false);
    } else {
        const long long taxes = record.moneyOf(EntryKind::Taxes);
        const long long pay = -record.moneyOf(EntryKind::Pay);
        const long long net = record.moneyChange();
        // One line more than before, in the same room above the military
        // report: the header a little higher, the lines a little closer.
        heading(record.year + 1, 124);
        int y = 148;
        auto next = [&](bool red) {
            add(1010, y, red);
            y += 19;
        };
        setLine(line, sizeof line, trFormat(N_("Tax Revenue: %lld"), {localNumber(taxes)}));
        next(false);
        setLine(line, sizeof line, trFormat(N_("Legion Cost: %lld"), {localNumber(pay)}));
        next(false);
        // Whatever else moved the treasury, so that the lines add up to Net.
        setLine(
            line, sizeof line,
            trFormat(N_("Tribute, Bonus, Plunder: %+lld"), {localNumber(net - taxes + pay, true)}));
        next(false);
        setLine(line, sizeof line, trFormat(N_("Net: %+lld"), {localNumber(net, true)}));
        next(false);
        addStanding(romans, line, sizeof line, next);
        return lines;
    }
    addStanding(romans, line, sizeof line, [&, y = 220](bool red) mutable {
        add(1010, y, red);
        y += 20;
    });
    return lines;
}

// Where the parchment's written column ends for the economic report.
constexpr int kReportRight = 1312;
constexpr int kLineStep = 19;
// From the economic report's last line to the military report's heading.
constexpr int kReportGap = 39;

std::vector<ReportLine> economicReportLayout(const Game& game, double scale) {
    std::vector<ReportLine> out;
    int shift = 0;
    for (const ReportLine& line : economicReportLines(game)) {
        int y = line.y + shift;
        const std::vector<std::string> parts =
            wrapToWidth(defaultFont(), line.text, kReportRight - line.x, scale);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (i > 0) {
                y += kLineStep;
                shift += kLineStep;
            }
            out.push_back({line.x, y, parts[i], line.red});
        }
    }
    return out;
}

namespace {

// The economic report as laid out; returns where the military report's
// heading goes.
int drawEconomicReport(Screen& screen) {
    Surface& s = screen.window;
    s.text.opaque = false;
    const TextRoom parchment(s, screen.x(1010), screen.x(kReportRight));
    const std::vector<ReportLine> lines = economicReportLayout(screen.game(), s.scale());
    for (const ReportLine& line : lines) {
        const std::uint32_t saved = s.text.colour;
        if (line.red) {
            s.text.colour = kRed;
        }
        s.drawText(screen.x(line.x), line.y, line.text);
        s.text.colour = saved;
    }
    s.text.opaque = true;
    return lines.empty() ? kMilitaryTop : std::max(kMilitaryTop, lines.back().y + kReportGap);
}

void drawMilitaryReport(Screen& screen, int top) {
    Surface& s = screen.window;
    const Game& game = screen.game();
    s.text.opaque = false;
    printAt(s, screen.x(1010), top, N_("MILITARY REPORT"));
    // Each piece of news over as many lines as the language needs at this
    // scale; when they outgrow the parchment, the oldest give way.
    std::vector<std::vector<std::string>> news;
    std::size_t lines = 0;
    for (const std::string& text : game.newsLog) {
        news.push_back(
            wrapToWidth(defaultFont(), tr(text), kNewsRight - kNewsTextX, s.scale()));
        lines += news.back().size();
    }
    int y = top + 40;
    const auto room = static_cast<std::size_t>(std::max(1, (kNewsBottom - y) / 20));
    std::size_t first = 0;
    for (; lines > room && first + 1 < news.size(); ++first) {
        lines -= news[first].size();
    }
    const TextRoom parchment(s, screen.x(kNewsYearX), screen.x(kNewsRight));
    for (std::size_t i = first; i < news.size(); ++i) {
        // The year in a column of its own, muted, so that this year's losses
        // stand apart from old ones and the news still reads as one list.
        if (i < game.newsYears.size()) {
            const std::uint32_t ink = s.text.colour;
            s.text.colour = kNewsYearColour;
            printAt(s, screen.x(kNewsYearX), y, "%d", game.newsYears[i]);
            s.text.colour = ink;
        }
        for (const std::string& line : news[i]) {
            s.drawText(screen.x(kNewsTextX), y, line);
            y += 20;
        }
    }
    s.text.opaque = true;
}

}  // namespace

void drawReports(Screen& screen) {
    drawMilitaryReport(screen, drawEconomicReport(screen));
}

void drawProvinceInfo(Screen& screen, Surface& target) {
    const TextStyle saved = target.text;
    target.text = {kWhite, kBlack, false};
    target.fillRect(screen.x(185), 595, screen.x(965), 618, kBlack);
    const WindowState none;
    const WindowState& view = screen.view != nullptr ? *screen.view : none;
    if (!view.refusal.empty()) {
        target.text.colour = kRefusalColour;
        printAt(target, screen.x(185), 600, N_("No order: %s."), view.refusal.c_str());
    } else if (const Province* p = view.hoveredProvince) {
        printAt(target, screen.x(185), 600, N_("Province: %s"), tr(p->name).c_str());
        printAt(target, screen.x(430), 600, N_("Tax value:"));
        if (p->taxValue != 0) {
            for (int k = 1; k <= 4; ++k) {
                const Graphic& coin =
                    p->taxValue >= k ? screen.pictures.fullCoin : screen.pictures.emptyCoin;
                coin.draw(target, screen.x(515 + 22 * (k - 1)), 595);
            }
        }
        printAt(target, screen.x(660), 600, N_("Attributes: %s"),
                provinceAttributesText(*p).c_str());
    } else {
        printAt(target, screen.x(185), 600, N_("Province:"));
        printAt(target, screen.x(430), 600, N_("Tax value:"));
        printAt(target, screen.x(660), 600, N_("Attributes:"));
    }
    target.text = saved;
}

std::string provinceAttributesText(const Province& province) {
    switch (province.hostility) {
        case 0:
            return tr(province.attributes);
        case 1:
            return trFormat(N_("%s (friendly)"), {tr(province.attributes)});
        case 2:
            return trFormat(N_("%s (hostile)"), {tr(province.attributes)});
        default:
            throw InternalError("invalid hostility flag");
    }
}

void refreshReports(Screen& screen) {
    // The bare parchment, as the background has it, under the new reports
    // (its left edge, where the map's frame may stand, left alone).
    screen.window.blit(screen.ground(), screen.x(990), 0, 345, 664, screen.x(990), 0);
    drawReports(screen);
    screen.present();
}

}  // namespace tessarion
