#pragma once

#include <string_view>

#include "game/Commands.h"
#include "model/Wording.h"

namespace tessarion {

// A history lesson: an entry of the History menu and, in its year, a
// milestone of the turn cycle. Adding a lesson is one line here (with its
// script in resources/audio/lessons and its picture, a `boxed` line of
// resources/art/pictures.txt).
struct Lesson {
    int menuId;
    const char* title;
    int year;  // the year whose turn plays it
    // The picture's name in resources/art/pictures.txt; the presentation
    // finds its id there, so the rules need no generated header.
    const char* picture;
    const char* narration;
    int zoomX;  // layout x, before the horizontal offset
    int zoomY;
};

// In the order of the History menu.
inline constexpr Lesson kLessons[] = {
    {2000, N_("Maximinus Thrax"), 236, "maximinus", "IDR_MAXIMINUS_THRAX", 673, 300},
    {2002, N_("Three Empires"), 260, "threeEmpires", "IDR_VALERIAN", 910, 360},
    {2003, N_("Aurelian"), 275, "aurelian", "IDR_AURELIAN", 489, 308},
    {2004, N_("Diocletian"), 285, "diocletian", "IDR_DIOCLETIAN", 737, 343},
    {2005, N_("Constantine I"), 313, "constantine", "IDR_CONSTANTINE", 737, 343},
    {2010, N_("Battle of Adrianople"), 378, "adrianople", "IDR_ADRIANOPLE", 702, 312},
    {2009, N_("Theodosius I"), 379, "theodosius", "IDR_THEODOSIUS", 737, 343},
    {2006, N_("Sack of 410 AD"), 410, "visigoths", "IDR_VISIGOTHS", 489, 308},
    {2007, N_("Sack of 455 AD"), 455, "vandals", "IDR_VANDAL_SACK", 489, 308},
    {2008, N_("Romulus Augustulus"), 476, "odoacer", "IDR_ODOACER", 489, 308},
};

static_assert(cmd::tableIds(kLessons, cmd::kLessonIds, [](const Lesson& l) { return l.menuId; }),
              "a lesson's menu id is another's, or outside the lessons' range");

// Each is null when no lesson matches.
const Lesson* lessonForMenu(int menuId);
const Lesson* lessonForPicture(std::string_view picture);
const Lesson* lessonForYear(int year);

}  // namespace tessarion
