#pragma once

#include <cstddef>
#include <iterator>

namespace tessarion {

// Menu command ids: the menus, the keyboard, the console's `command` and the
// rules' own queued commands (play again at 476 AD) all speak in these. The
// scenarios and the lessons have ranges of their own, their ids in their
// tables (kScenarios in game/Scenarios.cpp, kLessons in game/Lessons.h); the
// compiler checks every table against the others, so no two commands can
// share an id.
namespace cmd {
inline constexpr int kNewGame = 3002;
inline constexpr int kSave = 3001;
inline constexpr int kLoad = 3000;
inline constexpr int kExit = 105;
// File > Export Chronicle: the chronicle's chart and its figures, beside each other.
inline constexpr int kExportChronicle = 3003;
inline constexpr int kEasy = 5000;
inline constexpr int kNormal = 5001;
inline constexpr int kHard = 5002;
inline constexpr int kSound = 6000;
// Options > Volume: 6000 plus the percent.
inline constexpr int kVolume25 = 6025;
inline constexpr int kVolume50 = 6050;
inline constexpr int kVolume75 = 6075;
inline constexpr int kVolume100 = 6100;
inline constexpr int kVolumes[] = {kVolume25, kVolume50, kVolume75, kVolume100};
constexpr int volumeOf(int command) {
    return command - kSound;
}
// The map's colours for colour-blind players, a switch beside Sound.
inline constexpr int kColours = 6001;
// History > Year Report and History > Chronicle; the lessons use 2000 to 2010.
inline constexpr int kYearReport = 2100;
inline constexpr int kChronicle = 2101;
inline constexpr int kStudyGuide = 106;
inline constexpr int kTakeQuiz = 108;
inline constexpr int kHelp = 110;
inline constexpr int kVideoTutorial = 103;
inline constexpr int kAbout = 104;

// Every command above, once: a new command goes here as well.
inline constexpr int kAll[] = {
    kNewGame,   kSave,          kLoad,       kExit,      kExportChronicle, kEasy,
    kNormal,    kHard,          kSound,      kVolume25,  kVolume50,        kVolume75,
    kVolume100, kColours,       kYearReport, kChronicle, kStudyGuide,      kTakeQuiz,
    kHelp,      kVideoTutorial, kAbout,
};

// The ranges of the tables' ids.
struct IdRange {
    int first;
    int last;
    constexpr bool holds(int id) const { return first <= id && id <= last; }
};
inline constexpr IdRange kScenarioIds{1100, 1199};
inline constexpr IdRange kLessonIds{2000, 2099};
// Options > Language: the first id plus the language's place in the list.
inline constexpr IdRange kLanguageIds{6200, 6209};

// No id twice among `ids`, and none in a table's range.
template <typename Ids>
constexpr bool ownIds(const Ids& ids) {
    for (std::size_t i = 0; i < std::size(ids); ++i) {
        if (kScenarioIds.holds(ids[i]) || kLessonIds.holds(ids[i]) || kLanguageIds.holds(ids[i])) {
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (ids[i] == ids[j]) {
                return false;
            }
        }
    }
    return true;
}
static_assert(ownIds(kAll), "two commands share an id, or one stands in a table's range");

// The ids a table gives its rows (`idOf(row)`): each in the table's range, no
// two alike.
template <typename Table, typename IdOf>
constexpr bool tableIds(const Table& table, IdRange range, IdOf idOf) {
    for (std::size_t i = 0; i < std::size(table); ++i) {
        if (!range.holds(idOf(table[i]))) {
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (idOf(table[i]) == idOf(table[j])) {
                return false;
            }
        }
    }
    return true;
}
}  // namespace cmd

}  // namespace tessarion
