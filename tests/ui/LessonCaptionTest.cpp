// The lesson box shows the caption line being spoken: by the narrator's recorded times when
// it has them, by the lines' lengths when it has not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Boxes.h"

namespace tessarion {
namespace {

// Four lines of equal length, so that pacing by length would change line every 2.5 s of a
// 10 s narration; the narrator's times are deliberately uneven.
const char* kScript = "Princeps, line one.\nline two is here\nline three is...\nthe end is here\n";

struct Told {
    LessonBox box{nullptr, 249, kScript, 1366, 768, nullptr, nullptr};

    Told() {
        box.narrationLength = 10000;
        box.tick(1000);
        box.mouseUp(box.clientLeft() + 80, box.clientTop() + 25, InputEvent::Button::Left);
    }
    std::string at(std::uint64_t elapsed) {
        box.tick(1000 + elapsed);
        const std::vector<std::string> shown = box.currentCaption();
        return shown.empty() ? "" : shown.front();
    }
};

TEST(LessonCaption, FollowsTheNarratorsTimesWhenThereIsOnePerLine) {
    Told told;
    told.box.captionTimes = {300, 2000, 2600, 9000};
    ASSERT_TRUE(told.box.narrationPlaying);
    EXPECT_EQ(told.at(0), "Princeps, line one.") << "up before the first word";
    EXPECT_EQ(told.at(1999), "Princeps, line one.");
    EXPECT_EQ(told.at(2000), "line two is here");
    EXPECT_EQ(told.at(8999), "line three is...");
    EXPECT_EQ(told.box.currentCaption().size(), 2u) << "the next line waits below";
    EXPECT_EQ(told.at(9000), "the end is here");
    EXPECT_EQ(told.box.currentCaption().size(), 1u);
    EXPECT_EQ(told.at(10000), "") << "nothing once it is all said";
}

TEST(LessonCaption, PacesByLengthWhenTheTimesDoNotFitTheScript) {
    Told told;
    told.box.captionTimes = {300, 2000, 2600};  // a line short: not to be trusted
    EXPECT_EQ(told.at(2400), "Princeps, line one.");
    EXPECT_EQ(told.at(3000), "line two is here");
    EXPECT_EQ(told.at(9999), "the end is here");
}

}  // namespace
}  // namespace tessarion
