#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessarion {

class Game;
class Screen;
class Surface;
struct Province;

// One line of the economic report: where it stands (layout x) and whether it
// is one of the red warnings.
struct ReportLine {
    int x;
    int y;
    std::string text;
    bool red;
};
// The economic report's lines as the parchment shows them.
std::vector<ReportLine> economicReportLines(const Game& game);
// The same lines as they stand at `scale`: a line longer than the column goes
// on below, and the lines under it move down.
std::vector<ReportLine> economicReportLayout(const Game& game, double scale);

// Where a news line of the military report stands (layout x): the year it
// happened in, muted, then its text.
inline constexpr int kNewsYearX = 1005;
inline constexpr int kNewsTextX = 1034;
// Where the parchment's written column ends, the military report's heading
// (lower when a language's economic report needs the room), and the line the
// news ends above.
inline constexpr int kNewsRight = 1318;
inline constexpr int kMilitaryTop = 320;
inline constexpr int kNewsBottom = 560;
inline constexpr std::uint32_t kNewsYearColour = 0xFF6E5A3C;

// The economic and military reports on the parchment, on the window.
void drawReports(Screen& screen);
// The line under the map about the province under the mouse, into any
// surface: the window, when painting or when the mouse moves.
void drawProvinceInfo(Screen& screen, Surface& target);
// The colour of a refused order's reason in the province line.
inline constexpr std::uint32_t kRefusalColour = 0xFFFFD060;
// The attributes of a province with its mood, as the province line shows it.
std::string provinceAttributesText(const Province& province);
// Both reports drawn afresh and the panel shown on the window; called for
// every news line.
void refreshReports(Screen& screen);

}  // namespace tessarion
