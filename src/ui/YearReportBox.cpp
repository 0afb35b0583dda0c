#include "ui/YearReportBox.h"

#include <algorithm>

#include "game/Game.h"
#include "model/Wording.h"
#include "model/YearRecord.h"
#include "ui/Font.h"
#include "ui/Language.h"

namespace tessarion {

using namespace box;

namespace {

constexpr int kClientWidth = 720;
constexpr int kMaxVisible = 24;
constexpr int kBar = 16;  // the scroll bar's width
constexpr int kHeadingX = 6;
constexpr int kEntryX = 18;
constexpr int kContinuedX = 34;
constexpr int kUp = 2;
constexpr int kDown = 3;

// Splits a text into lines no wider than `width` pixels at its spaces (a
// word wider than that stands alone on its line).
std::vector<std::string> wrap(const std::string& text, int firstWidth, int otherWidth) {
    Font& font = defaultFont();
    std::vector<std::string> lines;
    std::string current;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t space = text.find(' ', at);
        const std::size_t end = space == std::string::npos ? text.size() : space;
        const std::string word = text.substr(at, end - at);
        const std::string joined = current.empty() ? word : current + " " + word;
        const int width = lines.empty() ? firstWidth : otherWidth;
        if (!current.empty() && font.width(joined) > width) {
            lines.push_back(current);
            current = word;
        } else {
            current = joined;
        }
        at = end + 1;
    }
    lines.push_back(current);
    return lines;
}

std::string powerPlural(std::size_t power) {
    return tr(powerName(static_cast<Power>(power)));
}

// "12 provinces (+1)": `format` takes the count and the change.
std::string countWithChange(int after, int before, const char* format) {
    return trFormat(format, {std::to_string(after), signedGroupedNumber(after - before)});
}

}  // namespace

std::string yearReportTitle(const YearRecord& record) {
    return record.empty() ? tr("Year Report")
                          : trFormat(N_("Year Report: %d AD"), {std::to_string(record.year)});
}

std::vector<ReportRow> yearReportRows(const YearRecord& record, Game& game) {
    std::vector<ReportRow> rows;
    if (record.empty()) {
        rows.push_back(
            {tr("No year has ended yet: the report is made at the end of each turn."), false});
        return rows;
    }
    const int battles = record.romanBattles();
    const std::string battlesHeading =
        battles > 0 ? trFormat(N_("Battles (the Romans fought %d, won %d)"),
                               {std::to_string(battles), std::to_string(record.romanBattlesWon())})
                    : tr("Battles");
    const std::pair<EntryGroup, std::string> groups[] = {
        {EntryGroup::Battles, battlesHeading},
        {EntryGroup::Provinces, tr("Provinces")},
        {EntryGroup::Legions, tr("Legions")},
        {EntryGroup::Treasury, tr("Treasury")},
    };
    for (const auto& [group, heading] : groups) {
        rows.push_back({heading, true});
        const std::size_t before = rows.size();
        for (const YearEntry& e : record.entries) {
            if (entryGroup(e.kind) == group) {
                rows.push_back({describeEntry(e, game, wording()), false});
            }
        }
        if (rows.size() == before) {
            rows.push_back({tr("None."), false});
        }
    }
    rows.push_back({tr("At the end of the year"), true});
    for (std::size_t i = 0; i < kPowerCount; ++i) {
        rows.push_back(
            {trFormat(N_("%s: %s, %s"),
                      {powerPlural(i),
                       countWithChange(record.after.provinces[i], record.before.provinces[i],
                                       N_("%s provinces (%s)")),
                       countWithChange(record.after.legions[i], record.before.legions[i],
                                       N_("%s legions (%s)"))}),
             false});
    }
    const Wording& w = wording();
    const long long change = record.after.treasury - record.before.treasury;
    rows.push_back(
        {trFormat(N_("Treasury: %s sesterces (%s)"),
                  {w.number(record.after.treasury), (change >= 0 ? "+" : "") + w.number(change)}),
         false});
    return rows;
}

YearReportBox::YearReportBox(std::string title, const std::vector<ReportRow>& rows, int screenWidth,
                             int screenHeight)
    : title_(std::move(title)) {
    fieldX_ = 12;
    fieldY_ = 12;
    fieldW_ = kClientWidth - 24;
    const int textWidth = fieldW_ - kBar - 8;
    for (const ReportRow& row : rows) {
        const int x = row.heading ? kHeadingX : kEntryX;
        bool continued = false;
        for (std::string& part : wrap(row.text, textWidth - x, textWidth - kContinuedX)) {
            lines_.push_back({std::move(part), row.heading, continued});
            continued = true;
        }
    }
    // As many lines as the report has, up to what the smallest screen holds.
    visible_ = std::clamp(static_cast<int>(lines_.size()), 8, kMaxVisible);
    fieldH_ = visible_ * lineHeight() + 4;
    const int buttonsY = fieldY_ + fieldH_ + 12;
    ok_ = {kOk, "OK", kClientWidth - 12 - 88, buttonsY, 88, 28};
    up_ = {kUp, "", fieldX_ + fieldW_ - kBar, fieldY_, kBar, kBar};
    down_ = {kDown, "", fieldX_ + fieldW_ - kBar, fieldY_ + fieldH_ - kBar, kBar, kBar};
    width = kClientWidth + 2 * BoxChrome::kBorder;
    height = buttonsY + 28 + 12 + BoxChrome::kCaption + 2 * BoxChrome::kBorder;
    left = (screenWidth - width) / 2;
    top = std::max(0, (screenHeight - height) / 2);
}

void YearReportBox::draw(Surface& s) const {
    BoxChrome::draw(s, left, top, width, height, title_, true, kBodyColour);
    const int cx = clientLeft();
    const int cy = clientTop();
    const int fx = cx + fieldX_;
    const int fy = cy + fieldY_;
    s.fillRect(fx, fy, fx + fieldW_, fy + fieldH_, kWhite);
    s.drawFrame(fx - 1, fy - 1, fx + fieldW_ + 1, fy + fieldH_ + 1, kShadowColour);
    for (int row = 0; row < visible_ && first_ + row < static_cast<int>(lines_.size()); ++row) {
        const Line& line = lines_[static_cast<std::size_t>(first_ + row)];
        const int x = line.heading ? kHeadingX : line.continued ? kContinuedX : kEntryX;
        drawTextIn(s, fx + x, fy + 2 + row * lineHeight(), line.text,
                   line.heading ? kCaptionColour : kInkColour);
    }
    if (scrolls()) {
        // The bar: its track, the thumb where the shown lines stand, the arrows.
        const int trackTop = fy + kBar;
        const int trackHeight = fieldH_ - 2 * kBar;
        const int barX = fx + fieldW_ - kBar;
        s.fillRect(barX, trackTop, barX + kBar, trackTop + trackHeight, kButtonPressed);
        const int total = static_cast<int>(lines_.size());
        const int thumbHeight = std::max(12, trackHeight * visible_ / total);
        const int thumbTop =
            trackTop + (trackHeight - thumbHeight) * first_ / std::max(1, total - visible_);
        s.fillRect(barX + 2, thumbTop, barX + kBar - 2, thumbTop + thumbHeight, kShadowColour);
        for (const BoxButton* arrow : {&up_, &down_}) {
            drawButton(s, cx, cy, *arrow, false, pressed_ == arrow->id, false);
            const int ax = cx + arrow->x + kBar / 2;
            const int ay = cy + arrow->y + kBar / 2;
            const int dir = arrow->id == kUp ? -1 : 1;
            for (int i = 0; i < 4; ++i) {
                s.fillRect(ax - i, ay + dir * (i - 2), ax + i + 1, ay + dir * (i - 2) + 1,
                           kInkColour);
            }
        }
    }
    drawButton(s, cx, cy, ok_, true, pressed_ == kOk, true);
}

void YearReportBox::scrollTo(int line) {
    first_ = std::clamp(line, 0, std::max(0, static_cast<int>(lines_.size()) - visible_));
}

void YearReportBox::mouseDown(int x, int y, InputEvent::Button b) {
    if (b != InputEvent::Button::Left) {
        return;
    }
    const int cx = x - clientLeft();
    const int cy = y - clientTop();
    pressed_ = 0;
    if (ok_.contains(cx, cy)) {
        pressed_ = kOk;
    } else if (scrolls() && up_.contains(cx, cy)) {
        pressed_ = kUp;
        scrollTo(first_ - 1);
    } else if (scrolls() && down_.contains(cx, cy)) {
        pressed_ = kDown;
        scrollTo(first_ + 1);
    } else if (scrolls() && cx >= up_.x && cx < up_.x + kBar && cy > up_.y + kBar && cy < down_.y) {
        // The track: a page toward where it was clicked.
        const int trackHeight = fieldH_ - 2 * kBar;
        const int total = static_cast<int>(lines_.size());
        const int thumbTop = up_.y + kBar +
                             (trackHeight - std::max(12, trackHeight * visible_ / total)) * first_ /
                                 std::max(1, total - visible_);
        scrollTo(cy < thumbTop ? first_ - visible_ : first_ + visible_);
    }
}

void YearReportBox::mouseUp(int x, int y, InputEvent::Button b) {
    if (b != InputEvent::Button::Left) {
        return;
    }
    if (BoxChrome::onCloseBox(left, top, width, x, y)) {
        done = true;
        return;
    }
    if (pressed_ == kOk && ok_.contains(x - clientLeft(), y - clientTop())) {
        done = true;
        endCode = kOk;
    }
    pressed_ = 0;
}

void YearReportBox::keyDown(const InputEvent& key) {
    switch (key.key) {
        case KeyCode::Enter:
        case KeyCode::Escape:
        case KeyCode::Space:
            done = true;
            endCode = kOk;
            break;
        case KeyCode::Up:
            scrollTo(first_ - 1);
            break;
        case KeyCode::Down:
            scrollTo(first_ + 1);
            break;
        case KeyCode::Left:
            scrollTo(first_ - visible_);
            break;
        case KeyCode::Right:
            scrollTo(first_ + visible_);
            break;
        case KeyCode::Home:
            scrollTo(0);
            break;
        case KeyCode::End:
            scrollTo(static_cast<int>(lines_.size()));
            break;
        default:
            break;
    }
}

}  // namespace tessarion
