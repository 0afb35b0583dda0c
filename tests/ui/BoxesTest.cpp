// The lesson box's captions: the words keep pace with the narration.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Boxes.h"

namespace tessarion {
namespace {

// Presses and releases the play button as the player would.
void pressPlay(LessonBox& box) {
    const int x = box.clientLeft() + 85;
    const int y = box.clientTop() + 30;
    box.mouseDown(x, y, InputEvent::Button::Left);
    box.mouseUp(x, y, InputEvent::Button::Left);
}

// The first caption line shown at each of the moments, "" for none.
std::vector<std::string> firstLinesAt(LessonBox& box, const std::vector<std::uint64_t>& moments) {
    std::vector<std::string> seen;
    for (std::uint64_t t : moments) {
        box.tick(1000 + t);
        const std::vector<std::string> shown = box.currentCaption();
        seen.push_back(shown.empty() ? "" : shown.front());
    }
    return seen;
}

TEST(LessonBoxCaptions, LinesFollowTheNarrationInOrderTwoAtATime) {
    // Four lines of equal length: each has a quarter of the running time.
    LessonBox box(nullptr, 162, "Line one.\r\n\r\nLine two.\nLine 3...\rLine four", 1366, 768,
                  nullptr, nullptr);
    box.narrationLength = 8000;
    box.tick(1000);
    EXPECT_TRUE(box.currentCaption().empty()) << "no words before the narration starts";

    bool started = false;
    box.onNarration = [&](bool start) { started = start; };
    pressPlay(box);
    ASSERT_TRUE(started);
    ASSERT_TRUE(box.narrationPlaying);

    EXPECT_EQ(box.currentCaption(), (std::vector<std::string>{"Line one.", "Line two."}))
        << "blank lines of the script are not captions";
    EXPECT_EQ(firstLinesAt(box, {1000, 2500, 3000, 5500, 6500, 7900, 8000}),
              (std::vector<std::string>{"Line one.", "Line two.", "Line two.", "Line 3...",
                                        "Line four", "Line four", ""}));
    box.tick(1000 + 6500);
    EXPECT_EQ(box.currentCaption(), std::vector<std::string>{"Line four"})
        << "the last line stands alone";

    // Half a second after its end the narration is over by itself.
    box.tick(1000 + 8400);
    EXPECT_TRUE(box.narrationPlaying);
    box.tick(1000 + 8600);
    EXPECT_FALSE(box.narrationPlaying);
    EXPECT_TRUE(box.currentCaption().empty());
}

TEST(LessonBoxCaptions, PaceScalesWithTheNarrationAndStopsWithIt) {
    const std::string script = "A short line\nA much, much longer line of the lesson\nEnd";
    LessonBox slow(nullptr, 162, script, 1366, 768, nullptr, nullptr);
    LessonBox fast(nullptr, 162, script, 1366, 768, nullptr, nullptr);
    slow.narrationLength = 20000;
    fast.narrationLength = 10000;
    slow.tick(1000);
    fast.tick(1000);
    pressPlay(slow);
    pressPlay(fast);
    // The same moment of the telling shows the same line at either pace.
    for (std::uint64_t permille : {0, 100, 300, 600, 900, 990}) {
        EXPECT_EQ(firstLinesAt(slow, {20 * permille}), firstLinesAt(fast, {10 * permille}))
            << permille;
    }
    // A longer line is on screen for longer.
    EXPECT_EQ(firstLinesAt(fast, {3000, 7000}),
              (std::vector<std::string>{"A much, much longer line of the lesson",
                                        "A much, much longer line of the lesson"}));

    pressPlay(fast);  // stop
    EXPECT_FALSE(fast.narrationPlaying);
    EXPECT_TRUE(fast.currentCaption().empty());
}

TEST(LessonBoxCaptions, UnknownLengthStillPacesAndTheIntroHasNoWords) {
    LessonBox box(nullptr, 162, "One\nTwo", 1366, 768, nullptr, nullptr);
    box.tick(1000);
    pressPlay(box);
    EXPECT_EQ(firstLinesAt(box, {0}), std::vector<std::string>{"One"});
    EXPECT_EQ(firstLinesAt(box, {3600 * 1000}), std::vector<std::string>{""})
        << "without a known length the words still come to an end";

    LessonBox intro(nullptr, 266, "Music only", 1366, 768, nullptr, nullptr);
    intro.tick(1000);
    pressPlay(intro);
    EXPECT_FALSE(intro.narrationPlaying);
    EXPECT_TRUE(intro.currentCaption().empty());
}

}  // namespace
}  // namespace tessarion
