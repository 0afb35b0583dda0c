#pragma once

#include <string>
#include <vector>

#include "ui/BoxChrome.h"
#include "ui/ModalBox.h"

namespace tessarion {

class Game;
class YearRecord;

// One row of the year's report: a group's heading or one of its lines.
struct ReportRow {
    std::string text;
    bool heading = false;
    bool operator==(const ReportRow&) const = default;
};

// The year's record as the report reads it: the battles, provinces, legions
// and treasury, each group under its heading, then where each power and the
// treasury stand after the year.
std::vector<ReportRow> yearReportRows(const YearRecord& record, Game& game);
// "Year Report: 235 AD", or the report's title before any year has ended.
std::string yearReportTitle(const YearRecord& record);

// The report in a box of its own: the rows, wrapped to the box and scrolled
// with the arrows, Home and End, the scroll bar's arrows or a click on its
// track; OK, Enter, Escape or the close box end it.
class YearReportBox : public ModalBox {
  public:
    YearReportBox(std::string title, const std::vector<ReportRow>& rows, int screenWidth,
                  int screenHeight);

    void draw(Surface& target) const override;
    void mouseDown(int x, int y, InputEvent::Button button) override;
    void mouseUp(int x, int y, InputEvent::Button button) override;
    void keyDown(const InputEvent& key) override;

    static constexpr int kOk = 1;
    const std::string& title() const { return title_; }
    // The rows as wrapped to the box; a long line goes on indented.
    struct Line {
        std::string text;
        bool heading = false;
        bool continued = false;
    };
    const std::vector<Line>& lines() const { return lines_; }
    int firstLine() const { return first_; }
    int visibleLines() const { return visible_; }
    int clientLeft() const { return left + BoxChrome::kBorder; }
    int clientTop() const { return top + BoxChrome::kBorder + BoxChrome::kCaption; }
    const BoxButton& okButton() const { return ok_; }
    // The scroll bar's arrows, client coordinates.
    const BoxButton& upArrow() const { return up_; }
    const BoxButton& downArrow() const { return down_; }

  private:
    void scrollTo(int line);
    bool scrolls() const { return static_cast<int>(lines_.size()) > visible_; }

    std::string title_;
    std::vector<Line> lines_;
    int visible_ = 0;
    int first_ = 0;
    int fieldX_ = 0;
    int fieldY_ = 0;
    int fieldW_ = 0;
    int fieldH_ = 0;
    BoxButton ok_;
    BoxButton up_;
    BoxButton down_;
    int pressed_ = 0;
};

}  // namespace tessarion
