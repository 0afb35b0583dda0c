#pragma once

namespace tessarion {

// A history lesson: an entry of the History menu and, in its year, a
// milestone of the turn cycle. Adding a lesson is one line here (with its
// script in resources/audio/lessons and its picture).
struct Lesson {
    int menuId;
    const char* title;
    int year;  // the year whose turn plays it
    int pictureId;
    const char* narration;
    int zoomX;  // layout x, before the horizontal offset
    int zoomY;
};

// In the order of the History menu.
inline constexpr Lesson kLessons[] = {
    {2000, "Maximinus Thrax", 236, 162, "IDR_MAXIMINUS_THRAX", 673, 300},
    {2002, "Three Empires", 260, 233, "IDR_VALERIAN", 910, 360},
    {2003, "Aurelian", 275, 187, "IDR_AURELIAN", 489, 308},
    {2004, "Diocletian", 285, 160, "IDR_DIOCLETIAN", 737, 343},
    {2005, "Constantine I", 313, 161, "IDR_CONSTANTINE", 737, 343},
    {2010, "Battle of Adrianople", 378, 249, "IDR_ADRIANOPLE", 702, 312},
    {2009, "Theodosius I", 379, 248, "IDR_THEODOSIUS", 737, 343},
    {2006, "Sack of 410 AD", 410, 235, "IDR_VISIGOTHS", 489, 308},
    {2007, "Sack of 455 AD", 455, 163, "IDR_VANDAL_SACK", 489, 308},
    {2008, "Romulus Augustulus", 476, 164, "IDR_ODOACER", 489, 308},
};

// Each is null when no lesson matches.
const Lesson* lessonForMenu(int menuId);
const Lesson* lessonForPicture(int pictureId);
const Lesson* lessonForYear(int year);

}  // namespace tessarion
