// The lesson table the History menu, the turn cycle and the lesson box read.
#include "game/Lessons.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "game/Commands.h"
#include "game/Scenarios.h"

namespace tessarion {
namespace {

TEST(Lessons, EachLessonIsFoundOnceByMenuPictureAndYear) {
    std::set<std::string> pictures;
    std::set<std::string> narrations;
    int previousYear = 235;
    for (const Lesson& lesson : kLessons) {
        const std::string title = lesson.title;
        EXPECT_TRUE(pictures.insert(lesson.picture).second) << title;
        EXPECT_TRUE(narrations.insert(lesson.narration).second) << title;
        EXPECT_EQ(lessonForMenu(lesson.menuId), &lesson) << title;
        EXPECT_EQ(lessonForPicture(lesson.picture), &lesson) << title;
        EXPECT_EQ(lessonForYear(lesson.year), &lesson) << title;

        // The menu runs in the order of history, within the game's years.
        EXPECT_GT(lesson.year, previousYear) << title;
        EXPECT_LE(lesson.year, 476) << title;
        previousYear = lesson.year;

        // The zoom that leads into it starts on the 1366 x 768 layout.
        EXPECT_TRUE(lesson.zoomX >= 0 && lesson.zoomX < 1366 && lesson.zoomY >= 0 &&
                    lesson.zoomY < 768)
            << title;
        EXPECT_EQ(std::string(lesson.narration).rfind("IDR_", 0), 0u) << title;
    }
    EXPECT_EQ(lessonForYear(235), nullptr);
    EXPECT_EQ(lessonForMenu(0), nullptr);
    EXPECT_EQ(lessonForPicture("intro"), nullptr) << "the introduction has no lesson";
}

// Every command of the game, plain, a scenario's or a lesson's, fits the shell's low 16 bits
// (the compiler keeps the ids apart), and each lookup knows only its own.
TEST(CommandIds, EachLookupKnowsOnlyItsOwn) {
    std::vector<int> ids(std::begin(cmd::kAll), std::end(cmd::kAll));
    for (const Scenario& s : scenarios()) {
        ids.push_back(s.id);
    }
    for (const Lesson& l : kLessons) {
        ids.push_back(l.menuId);
    }
    for (int id : ids) {
        EXPECT_GT(id, 0);
        EXPECT_LE(id, 0xffff) << id;
        EXPECT_EQ(isScenario(id), findScenario(id) != nullptr && cmd::kScenarioIds.holds(id));
        EXPECT_EQ(lessonForMenu(id) != nullptr, cmd::kLessonIds.holds(id)) << id;
    }
}

}  // namespace
}  // namespace tessarion
