#include "ui/ChronicleChart.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "game/Chronicle.h"
#include "model/ProvinceTable.h"
#include "ui/Font.h"
#include "ui/Language.h"
#include "ui/MapColours.h"

namespace tessarion {

namespace {

constexpr std::uint32_t kGrid = 0xFF3A3026;
constexpr std::uint32_t kAxis = 0xFF8C7A5C;
constexpr int kLeftMargin = 40;
constexpr int kRightMargin = 50;
constexpr int kMarkerSpacing = 26;

// How a line is drawn apart from its colour: the lengths of its dashes and
// gaps in turn (one length: solid), its thickness and the mark at some of
// its points.
enum class Marker { None, Square, Triangle, Diamond, Cross, Ring };
struct LineStyle {
    std::uint32_t colour;
    std::array<int, 4> pattern;  // on, off, on, off; zeros end it
    int thickness;
    Marker marker;
};

// Romans solid with squares, the tribes long dashes with triangles, the
// Persians short dashes with diamonds, the rebels dash and dot with crosses.
constexpr std::array<std::array<int, 4>, kPowerCount> kPowerPatterns = {{
    {1, 0, 0, 0},
    {9, 4, 0, 0},
    {4, 3, 0, 0},
    {9, 3, 2, 3},
}};
constexpr std::array<Marker, kPowerCount> kPowerMarkers = {Marker::Square, Marker::Triangle,
                                                           Marker::Diamond, Marker::Cross};

// The powers' lands as the standard map paints them, a touch brighter so
// that they read on the chart's dark ground.
constexpr std::array<std::uint32_t, kPowerCount> kStandardColours = {
    0xFFF0785F,  // Roman light red
    0xFFF2D24A,  // Germanic yellow
    0xFF5C9CF0,  // Persian blue
    0xFFF6F2E8,  // rebels white
};

LineStyle powerStyle(ColourScheme scheme, std::size_t power) {
    return {ChronicleChart::powerColour(scheme, power), kPowerPatterns[power], 2,
            kPowerMarkers[power]};
}

constexpr LineStyle kHistoryStyle{ChronicleChart::kHistoryColour, {5, 3, 0, 0}, 1, Marker::None};
constexpr LineStyle kTreasuryStyle{ChronicleChart::kTreasuryColour, {6, 3, 0, 0}, 2, Marker::Ring};

// Draws the polyline through the points with the style's dashes, the
// pattern running on from one segment to the next.
class Pen {
  public:
    Pen(Surface& s, Area clip, const LineStyle& style) : s_(s), clip_(clip), style_(style) {}

    void dot(long long x, long long y) {
        const int t = style_.thickness;
        const int left = static_cast<int>(x) - t / 2;
        const int top = static_cast<int>(y) - t / 2;
        s_.fillRect(std::max(left, clip_.left), std::max(top, clip_.top),
                    std::min(left + t, clip_.right), std::min(top + t, clip_.bottom),
                    style_.colour);
    }

    void lineTo(int x, int y) {
        if (!started_) {
            started_ = true;
        } else {
            bool first = true;
            forEachPointOfLine(x_, y_, x, y, [&](long long px, long long py) {
                if (first) {
                    first = false;  // the joint was drawn with the segment before
                    return;
                }
                if (on()) {
                    dot(px, py);
                }
                advance();
            });
        }
        if (on()) {
            dot(x, y);
        }
        x_ = x;
        y_ = y;
    }

  private:
    bool on() const { return phase_ % 2 == 0; }
    void advance() {
        if (style_.pattern[1] == 0) {
            return;  // solid
        }
        if (++step_ < style_.pattern[static_cast<std::size_t>(phase_)]) {
            return;
        }
        step_ = 0;
        phase_ = (phase_ + 1) % 4;
        if (style_.pattern[static_cast<std::size_t>(phase_)] == 0) {
            phase_ = 0;
        }
    }

    Surface& s_;
    Area clip_;
    const LineStyle& style_;
    bool started_ = false;
    int x_ = 0;
    int y_ = 0;
    int phase_ = 0;
    int step_ = 0;
};

void drawMarker(Surface& s, int x, int y, Marker marker, std::uint32_t colour) {
    switch (marker) {
        case Marker::None:
            return;
        case Marker::Square:
            s.fillRect(x - 3, y - 3, x + 4, y + 4, colour);
            return;
        case Marker::Ring:
            s.drawFrame(x - 3, y - 3, x + 4, y + 4, colour);
            s.drawFrame(x - 2, y - 2, x + 3, y + 3, colour);
            return;
        case Marker::Triangle:
            for (int row = 0; row < 7; ++row) {
                const int half = row / 2;
                s.fillRect(x - half, y - 3 + row, x + half + 1, y - 2 + row, colour);
            }
            return;
        case Marker::Diamond:
            for (int row = -4; row <= 4; ++row) {
                const int half = 4 - std::abs(row);
                s.fillRect(x - half, y + row, x + half + 1, y + row + 1, colour);
            }
            return;
        case Marker::Cross:
            for (int d = -3; d <= 3; ++d) {
                s.fillRect(x + d, y + d, x + d + 2, y + d + 1, colour);
                s.fillRect(x + d, y - d, x + d + 2, y - d + 1, colour);
            }
            return;
    }
}

// The smallest of 1, 2, 5 times a power of ten at least `value`.
std::int64_t niceCeiling(std::int64_t value) {
    if (value <= 0) {
        return 0;
    }
    std::int64_t step = 1;
    while (step * 10 <= value) {
        step *= 10;
    }
    for (std::int64_t m : {1, 2, 5, 10}) {
        if (m * step >= value) {
            return m * step;
        }
    }
    return 10 * step;
}

void write(Surface& s, int x, int y, const std::string& text, std::uint32_t colour) {
    const TextStyle saved = s.text;
    s.text = {colour, kBlack, false};
    s.drawText(x, y, text);
    s.text = saved;
}

int scale(std::int64_t value, std::int64_t low, std::int64_t high, int bottom, int top) {
    if (high <= low) {
        return bottom;
    }
    return bottom - static_cast<int>((value - low) * (bottom - top) / (high - low));
}

// The legend's entries in order: the four powers, history, then the lower
// panel's two lines.
constexpr std::array<const char*, 7> kLegendLabels = {N_("Romans"),
                                                      N_("Germanic Tribes"),
                                                      N_("Sassanids"),
                                                      N_("Rebelling Legions"),
                                                      N_("Roman provinces in history"),
                                                      N_("Roman legions"),
                                                      N_("Treasury")};
constexpr int kSample = 36;  // the sample line and the space after it
constexpr int kEntryGap = 22;

// Lays the legend's entries out left to right from `left`, a new row where
// the next would pass `right` (but never before the history's line, which
// opens a row of its own); calls place(entry, x, row) and returns the rows.
template <typename Place>
int flowLegend(int left, int right, Place place) {
    Font& font = defaultFont();
    int x = left;
    int row = 0;
    for (std::size_t i = 0; i < kLegendLabels.size(); ++i) {
        const int width = kSample + font.width(kLegendLabels[i]);
        if (x > left && (x + width > right || i == kPowerCount)) {
            x = left;
            ++row;
        }
        place(i, x, row);
        x += width + kEntryGap;
    }
    return row + 1;
}

}  // namespace

std::string shortSesterces(std::int64_t value) {
    const std::int64_t size = value < 0 ? -value : value;
    char text[32];
    if (size >= 1'000'000) {
        std::snprintf(text, sizeof text, "%.1fM", static_cast<double>(value) / 1e6);
    } else if (size >= 1000) {
        std::snprintf(text, sizeof text, "%lldk", static_cast<long long>(value / 1000));
    } else {
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    }
    return text;
}

std::uint32_t ChronicleChart::powerColour(ColourScheme scheme, std::size_t power) {
    if (scheme == ColourScheme::ColourBlind) {
        static constexpr std::array<Ground, kPowerCount> kGrounds = {
            Ground::Roman, Ground::Germanic, Ground::Persian, Ground::Plain};
        return colourBlindColour(kGrounds[power]);
    }
    return kStandardColours[power];
}

int ChronicleChart::legendHeight() const {
    return legendRows_ * (defaultFont().height() + 6) + 4;
}

ChronicleChart::ChronicleChart(std::span<const ChronicleRow> rows, int left, int top, int width,
                               int height)
    : rows_(rows), whole_{left, top, left + width, top + height} {
    firstYear_ = rows.empty() ? 235 : rows.front().year;
    lastYear_ = rows.empty() ? firstYear_ : rows.back().year;
    lastYear_ = std::max(lastYear_, firstYear_ + 1);
    int legions = 1;
    std::int64_t low = 0;
    std::int64_t high = 1;
    for (const ChronicleRow& row : rows) {
        legions = std::max(legions, row.tally.legions[powerIndex(Power::Romans)]);
        low = std::min(low, row.tally.treasury);
        high = std::max(high, row.tally.treasury);
    }
    maxLegions_ = static_cast<int>(niceCeiling(legions));
    maxTreasury_ = niceCeiling(high);
    minTreasury_ = -niceCeiling(-low);

    legendRows_ = flowLegend(left + 10, left + width - 6, [](std::size_t, int, int) {});
    const int line = defaultFont().height();
    const int plotLeft = left + kLeftMargin;
    const int plotRight = left + width - kRightMargin;
    const int firstTitle = top + 4;
    const int bottom = top + height - legendHeight() - (line + 6);
    const int panels = bottom - (firstTitle + line + 2) - (line + 10);
    const int provincesHeight = panels * 3 / 5;
    provinces_ = {plotLeft, firstTitle + line + 2, plotRight,
                  firstTitle + line + 2 + provincesHeight};
    money_ = {plotLeft, provinces_.bottom + line + 10, plotRight, bottom};
    legendTop_ = bottom + line + 6;
}

int ChronicleChart::xOfYear(int year) const {
    const int span = provinces_.right - 1 - provinces_.left;
    return provinces_.left + (year - firstYear_) * span / (lastYear_ - firstYear_);
}

int ChronicleChart::yOfProvinces(int provinces) const {
    return scale(provinces, 0, kProvinceCount, provinces_.bottom - 1, provinces_.top);
}

int ChronicleChart::yOfLegions(int legions) const {
    return scale(legions, 0, maxLegions_, money_.bottom - 1, money_.top);
}

int ChronicleChart::yOfTreasury(std::int64_t sesterces) const {
    return scale(sesterces, minTreasury_, maxTreasury_, money_.bottom - 1, money_.top);
}

void ChronicleChart::draw(Surface& s, ColourScheme scheme) const {
    s.fillRect(whole_.left, whole_.top, whole_.right, whole_.bottom, kBackground);
    drawAxes(s, scheme);
    drawYears(s);
    drawLines(s, scheme);
    drawLegend(s, scheme);
}

// The panels: their grid, axes and titles.
void ChronicleChart::drawAxes(Surface& s, ColourScheme scheme) const {
    Font& font = defaultFont();
    const int line = font.height();
    for (const Area& panel : {provinces_, money_}) {
        s.fillRect(panel.left, panel.top, panel.right, panel.bottom, kBlack);
        s.drawFrame(panel.left - 1, panel.top - 1, panel.right + 1, panel.bottom + 1, kAxis);
    }
    write(s, provinces_.left, provinces_.top - line - 2, tr("Provinces held"), kInk);
    const std::string legionsTitle = tr("Roman legions (left)");
    write(s, money_.left, money_.top - line - 2, legionsTitle, powerColour(scheme, 0));
    write(s, money_.left + font.width(legionsTitle) + 16, money_.top - line - 2,
          tr("Treasury in sesterces (right)"), kTreasuryColour);
    for (int n = 0; n <= kProvinceCount; n += 10) {
        const int y = yOfProvinces(n);
        s.drawLine(provinces_.left, y, provinces_.right, y, kGrid);
        const std::string label = std::to_string(n);
        write(s, provinces_.left - 6 - font.width(label), y - line / 2, label, kInk);
    }
    for (int i = 0; i <= 2; ++i) {
        const int legions = maxLegions_ * i / 2;
        const int y = yOfLegions(legions);
        s.drawLine(money_.left, y, money_.right, y, kGrid);
        const std::string label = std::to_string(legions);
        write(s, money_.left - 6 - font.width(label), y - line / 2, label, powerColour(scheme, 0));
    }
    std::vector<std::int64_t> treasuryMarks = {minTreasury_, maxTreasury_};
    if (minTreasury_ < 0) {
        treasuryMarks.push_back(0);
    }
    for (std::int64_t value : treasuryMarks) {
        write(s, money_.right + 6, yOfTreasury(value) - line / 2, shortSesterces(value),
              kTreasuryColour);
    }
    if (minTreasury_ < 0) {
        const int y = yOfTreasury(0);
        s.drawLine(money_.left, y, money_.right, y, kAxis);
    }
}

// The years along the foot: a step that keeps the labels apart.
void ChronicleChart::drawYears(Surface& s) const {
    Font& font = defaultFont();
    const int span = lastYear_ - firstYear_;
    const int room = provinces_.right - provinces_.left;
    int step = 1;
    for (int candidate : {1, 2, 5, 10, 20, 25, 50, 100}) {
        step = candidate;
        if (candidate * room >= 56 * span) {
            break;
        }
    }
    int lastLabelRight = -1000;
    for (int year = firstYear_; year <= lastYear_; ++year) {
        if (year != firstYear_ && year % step != 0) {
            continue;
        }
        const int x = xOfYear(year);
        for (const Area& panel : {provinces_, money_}) {
            s.drawLine(x, panel.bottom, x, panel.bottom + 4, kAxis);
            if (year != firstYear_) {
                s.drawLine(x, panel.top, x, panel.bottom, kGrid);
            }
        }
        const std::string label = year == lastYear_ || year + step > lastYear_
                                      ? trFormat(N_("%d AD"), {std::to_string(year)})
                                      : std::to_string(year);
        const int labelLeft = x - font.width(std::to_string(year)) / 2;
        if (labelLeft > lastLabelRight + 8 && labelLeft + font.width(label) <= whole_.right) {
            write(s, labelLeft, money_.bottom + 6, label, kInk);
            lastLabelRight = labelLeft + font.width(label);
        }
    }
}

// The lines: history's first, under the powers; the Romans last, on top.
void ChronicleChart::drawLines(Surface& s, ColourScheme scheme) const {
    const int span = lastYear_ - firstYear_;
    const int room = provinces_.right - provinces_.left;
    const int markEvery =
        std::max(1, kMarkerSpacing * span / std::max(1, room));  // rows between markers
    {
        Pen pen(s, provinces_, kHistoryStyle);
        // History's count holds until the next change: drawn as steps.
        int previousY = 0;
        for (int year = firstYear_; year <= (rows_.empty() ? firstYear_ : rows_.back().year);
             ++year) {
            const int y = yOfProvinces(historicalProvinces(year));
            if (year != firstYear_ && y != previousY) {
                pen.lineTo(xOfYear(year), previousY);
            }
            pen.lineTo(xOfYear(year), y);
            previousY = y;
        }
    }
    auto series = [&](const Area& panel, const LineStyle& style, auto valueY, int markerPhase) {
        Pen pen(s, panel, style);
        for (const ChronicleRow& row : rows_) {
            pen.lineTo(xOfYear(row.year), valueY(row));
        }
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const bool last = i + 1 == rows_.size();
            if (last || (static_cast<int>(i) + markerPhase) % markEvery == 0) {
                drawMarker(s, xOfYear(rows_[i].year), valueY(rows_[i]), style.marker, style.colour);
            }
        }
    };
    for (std::size_t power = kPowerCount; power-- > 0;) {
        series(
            provinces_, powerStyle(scheme, power),
            [&](const ChronicleRow& r) { return yOfProvinces(r.tally.provinces[power]); },
            static_cast<int>(power) * markEvery / 4);
    }
    series(
        money_, kTreasuryStyle,
        [&](const ChronicleRow& r) { return yOfTreasury(r.tally.treasury); }, markEvery / 2);
    series(
        money_, powerStyle(scheme, 0),
        [&](const ChronicleRow& r) { return yOfLegions(r.tally.legions[0]); }, 0);
}

// The legend: each line's sample with its marker, then its name.
void ChronicleChart::drawLegend(Surface& s, ColourScheme scheme) const {
    const int line = defaultFont().height();
    const std::array<LineStyle, kLegendLabels.size()> styles = {
        powerStyle(scheme, 0), powerStyle(scheme, 1), powerStyle(scheme, 2), powerStyle(scheme, 3),
        kHistoryStyle,         powerStyle(scheme, 0), kTreasuryStyle};
    flowLegend(whole_.left + 10, whole_.right - 6, [&](std::size_t i, int x, int row) {
        const int y = legendTop_ + row * (line + 6);
        const int middle = y + line / 2;
        const LineStyle& style = styles[i];
        Pen pen(s, whole_, style);
        pen.lineTo(x, middle);
        pen.lineTo(x + 28, middle);
        drawMarker(s, x + 14, middle, style.marker, style.colour);
        write(s, x + kSample, y, kLegendLabels[i], kInk);
    });
}

}  // namespace tessarion
