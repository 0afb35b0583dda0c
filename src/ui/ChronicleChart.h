#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "model/YearRecord.h"
#include "ui/ColourScheme.h"
#include "ui/Surface.h"

namespace tessarion {

// The chronicle of a game as a chart: above, the provinces each power held
// year by year with history's line beside the Roman one; below, the Roman
// legions and the treasury; the legend at the foot. Each power has its map
// colour (the colour-blind map's when that is on) and its own dash pattern
// and marker, so that the lines stay apart without colour too.
struct ChronicleChart {
    ChronicleChart(std::span<const ChronicleRow> rows, int left, int top, int width, int height);

    // Everything, into the rectangle given, clipped to it.
    void draw(Surface& target, ColourScheme scheme) const;

    // Where things stand, for drawing and for tests.
    int xOfYear(int year) const;
    int yOfProvinces(int provinces) const;
    int yOfLegions(int legions) const;
    int yOfTreasury(std::int64_t sesterces) const;
    int firstYear() const { return firstYear_; }
    int lastYear() const { return lastYear_; }
    // The two panels' plot areas, right and bottom edges excluded.
    Area provincePanel() const { return provinces_; }
    Area moneyPanel() const { return money_; }
    int legendTop() const { return legendTop_; }

    // The line colours of the four powers (in the order of Power), of
    // history's line and of the treasury.
    static std::uint32_t powerColour(ColourScheme scheme, std::size_t power);
    static constexpr std::uint32_t kHistoryColour = 0xFFB4AA96;
    static constexpr std::uint32_t kTreasuryColour = 0xFF8CC8A0;
    static constexpr std::uint32_t kBackground = 0xFF17120D;
    static constexpr std::uint32_t kInk = 0xFFEDE2C8;
    // The height the legend needs below the panels, in as many rows as the
    // width takes.
    int legendHeight() const;

  private:
    void drawAxes(Surface& s, ColourScheme scheme) const;
    void drawYears(Surface& s) const;
    void drawLines(Surface& s, ColourScheme scheme) const;
    void drawLegend(Surface& s, ColourScheme scheme) const;
    std::span<const ChronicleRow> rows_;
    Area whole_;
    Area provinces_;
    Area money_;
    int legendTop_ = 0;
    int legendRows_ = 2;
    int firstYear_ = 0;
    int lastYear_ = 0;
    int maxLegions_ = 1;
    std::int64_t minTreasury_ = 0;
    std::int64_t maxTreasury_ = 1;
};

// "12k", "-3k", "1.2M": short numbers for the treasury's axis.
std::string shortSesterces(std::int64_t value);

}  // namespace tessarion
