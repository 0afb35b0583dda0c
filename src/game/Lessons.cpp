#include "game/Lessons.h"

namespace tessarion {

namespace {

template <typename Pred>
const Lesson* findLesson(Pred pred) {
    for (const Lesson& l : kLessons) {
        if (pred(l)) {
            return &l;
        }
    }
    return nullptr;
}

}  // namespace

const Lesson* lessonForMenu(int menuId) {
    return findLesson([&](const Lesson& l) { return l.menuId == menuId; });
}

const Lesson* lessonForPicture(std::string_view picture) {
    return findLesson([&](const Lesson& l) { return l.picture == picture; });
}

const Lesson* lessonForYear(int year) {
    return findLesson([&](const Lesson& l) { return l.year == year; });
}

}  // namespace tessarion
