#pragma once

namespace tessarion {

// Menu command ids: the menus, the keyboard, the console's `command` and the
// rules' own queued commands (play again at 476 AD) all speak in these; the
// scenarios' ids are in their table (game/Scenarios.cpp).
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
}  // namespace cmd

}  // namespace tessarion
