// The lesson box's captions keep pace with the narration.
#include "ui/LessonBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/InputEvents.h"

namespace tessarion {
namespace {

// A lesson box whose narration the player has started at tick 1000.
struct Told {
    LessonBox box;

    explicit Told(const std::string& script, std::uint64_t length = 0, int pictureId = 162)
        : box(nullptr, pictureId, script, 1366, 768, nullptr, nullptr) {
        box.narrationLength = length;
        box.tick(1000);
    }
    // Presses and releases the play button as the player would.
    void pressPlay() {
        const int x = box.clientLeft() + 85;
        const int y = box.clientTop() + 30;
        box.mouseDown(x, y, InputEvent::Button::Left);
        box.mouseUp(x, y, InputEvent::Button::Left);
    }
    // The first caption line shown at each moment of the telling, "" for none.
    std::vector<std::string> firstLinesAt(const std::vector<std::uint64_t>& moments) {
        std::vector<std::string> seen;
        for (std::uint64_t t : moments) {
            box.tick(1000 + t);
            const std::vector<std::string> shown = box.currentCaption();
            seen.push_back(shown.empty() ? "" : shown.front());
        }
        return seen;
    }
    std::string at(std::uint64_t elapsed) { return firstLinesAt({elapsed}).front(); }
};

using Lines = std::vector<std::string>;

TEST(LessonBoxCaptions, LinesFollowTheNarrationInOrderTwoAtATime) {
    // Four lines of equal length: each has a quarter of the running time.
    Told told("Line one.\r\n\r\nLine two.\nLine 3...\rLine four", 8000);
    EXPECT_TRUE(told.box.currentCaption().empty()) << "no words before the narration starts";
    bool started = false;
    told.box.onNarration = [&](bool start) { started = start; };
    told.pressPlay();
    ASSERT_TRUE(started);
    ASSERT_TRUE(told.box.narrationPlaying);

    EXPECT_EQ(told.box.currentCaption(), (Lines{"Line one.", "Line two."}))
        << "blank lines of the script are not captions";
    EXPECT_EQ(
        told.firstLinesAt({1000, 2500, 3000, 5500, 6500, 7900, 8000}),
        (Lines{"Line one.", "Line two.", "Line two.", "Line 3...", "Line four", "Line four", ""}));
    told.box.tick(1000 + 6500);
    EXPECT_EQ(told.box.currentCaption(), Lines{"Line four"}) << "the last line stands alone";

    // Half a second after its end the narration is over by itself.
    told.box.tick(1000 + 8400);
    EXPECT_TRUE(told.box.narrationPlaying);
    told.box.tick(1000 + 8600);
    EXPECT_FALSE(told.box.narrationPlaying);
    EXPECT_TRUE(told.box.currentCaption().empty());
}

TEST(LessonBoxCaptions, TheIntroHasNoWords) {
    Told intro("Music only", 0, 266);
    intro.pressPlay();
    EXPECT_FALSE(intro.box.narrationPlaying);
    EXPECT_TRUE(intro.box.currentCaption().empty());
}

// Four lines of equal length, so that pacing by length would change line every 2.5 s of a
// 10 s narration; the narrator's times are deliberately uneven.
const char* kTimedScript =
    "Princeps, line one.\nline two is here\nline three is...\nthe end is here\n";

TEST(LessonBoxCaptions, FollowTheNarratorsTimesWhenThereIsOnePerLine) {
    Told told(kTimedScript, 10000, 249);
    told.box.captionTimes = {300, 2000, 2600, 9000};
    told.pressPlay();
    ASSERT_TRUE(told.box.narrationPlaying);
    EXPECT_EQ(told.firstLinesAt({0, 1999, 2000, 8999}),
              (Lines{"Princeps, line one.", "Princeps, line one.", "line two is here",
                     "line three is..."}))
        << "up before the first word";
    EXPECT_EQ(told.box.currentCaption().size(), 2u) << "the next line waits below";
    EXPECT_EQ(told.at(9000), "the end is here");
    EXPECT_EQ(told.box.currentCaption().size(), 1u);
    EXPECT_EQ(told.at(10000), "") << "nothing once it is all said";

    Told untrusted(kTimedScript, 10000, 249);
    untrusted.box.captionTimes = {300, 2000, 2600};  // a line short: paced by length instead
    untrusted.pressPlay();
    EXPECT_EQ(untrusted.firstLinesAt({2400, 3000, 9999}),
              (Lines{"Princeps, line one.", "line two is here", "the end is here"}));
}
}  // namespace
}  // namespace tessarion
