// The settings file: written whole, read leniently, and kept by the desktop
// between runs under the command line's choices for one run.
#include "ui/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "game/Game.h"
#include "ui/AdvisorBox.h"
#include "ui/DesktopFixture.h"

namespace tessarion {
namespace {

namespace fs = std::filesystem;

TEST(SettingsTest, ReadingKeepsWhatItUnderstandsAndNotesTheRest) {
    const SettingsRead read = parseSettings(
        "# edited by hand\r\n"
        "Sound = OFF\r\n"
        "skillLevel = impossible\n"
        "this line is garbage\n"
        "soundVolume = 150\n"
        "aSettingOfANewerGame = 3\n"
        "  colours=colour-blind  \n"
        "fullscreen = on\n"
        "windowWidth = 1200\n"
        "windowHeight = 7oo");
    EXPECT_FALSE(read.settings.sound);
    EXPECT_EQ(read.settings.skillLevel, 1);
    EXPECT_EQ(read.settings.soundVolume, 100);
    EXPECT_EQ(read.settings.colours, ColourScheme::ColourBlind);
    EXPECT_EQ(read.settings.fullscreen, std::optional<bool>(true));
    EXPECT_EQ(read.settings.windowWidth, 1200);
    EXPECT_EQ(read.settings.windowHeight, 0);
    // The skill, the garbage line, the volume and the height; the unknown name is no fault.
    ASSERT_EQ(read.notes.size(), 4u);
    EXPECT_NE(read.notes[0].find("line 3"), std::string::npos) << read.notes[0];
}

// A damaged line costs that line alone; a newer game's settings survive the
// rewrite of an older one.
TEST(SettingsTest, BadBytesSpoilOnlyTheirLineAndUnknownNamesAreKept) {
    const std::string damaged = std::string("\0\x01\x02junk = 1\n", 12);
    const SettingsRead read = parseSettings("sound = off\n" + damaged +
                                            "skillLevel = hard\n"
                                            "futureKey = Seven Hills\n"
                                            "\xff\xfe = 3\n"
                                            "colours = colour-blind\x7f\n"
                                            "soundVolume = 25");
    EXPECT_FALSE(read.settings.sound);
    EXPECT_EQ(read.settings.skillLevel, 2);
    EXPECT_EQ(read.settings.soundVolume, 25);
    EXPECT_EQ(read.settings.colours, ColourScheme::Standard);
    ASSERT_EQ(read.notes.size(), 3u);
    EXPECT_NE(read.notes[0].find("line 2"), std::string::npos) << read.notes[0];
    using Other = std::pair<std::string, std::string>;
    EXPECT_EQ(read.settings.others, std::vector<Other>{Other("futureKey", "Seven Hills")});
    const SettingsRead again = parseSettings(formatSettings(read.settings));
    EXPECT_TRUE(again.notes.empty());
    EXPECT_EQ(again.settings, read.settings);

    // Past 64 KiB the rest goes, with a note; the lines before it stay.
    const SettingsRead huge =
        parseSettings("skillLevel = easy\n" + std::string(100000, '\n') + "sound = off\n");
    EXPECT_EQ(huge.settings.skillLevel, 0);
    EXPECT_TRUE(huge.settings.sound);
    EXPECT_EQ(huge.notes.size(), 1u);
}

// The desktop on the headless platform, with a settings file of its own. With
// no file it starts at the defaults, and the first change makes the folder.
class DesktopSettingsTest : public test::DesktopFixture {
  protected:
    const std::string file = (folder.path / "config" / "tessarion" / "settings.ini").string();

    // Starts the window on a screen of the given size; false when it did not start.
    bool start(int screenWidth = 1920, int screenHeight = 1080,
               std::optional<bool> fullscreen = std::nullopt, std::optional<bool> sound = {}) {
        desktop_.reset();
        platform = HeadlessPlatform(screenWidth, screenHeight);
        platform.quitWhenIdle = false;
        game_ = std::make_unique<Game>(5);
        DesktopConfig c = config();
        c.settingsFile = file;
        c.note = [this](const std::string& text) { notes.push_back(text); };
        c.showSplash = false;
        c.showIntro = false;
        c.fullscreen = fullscreen;
        c.sound = sound;
        makeDesktop(c);
        return desktop_->startUp();
    }
    void stop() {
        desktop_->shutDown();
        desktop_.reset();
    }
    Settings onDisk() {
        const SettingsRead read = loadSettings(file);
        EXPECT_TRUE(read.notes.empty());
        return read.settings;
    }

    // The third line of each advisor box that opens: what the note says.
    void listenToTheAdvisor() {
        desktop_->modal().onBoxOpened = [this](ModalBox& box) {
            if (auto* advisor = dynamic_cast<AdvisorBox*>(&box)) {
                said.push_back(advisor->lines().size() > 2 ? advisor->lines()[2] : "");
            }
        };
    }

    std::vector<std::string> notes;
    std::vector<std::string> said;
};

TEST_F(DesktopSettingsTest, TheMenusChoicesAndTheWindowAreThereAtTheNextStart) {
    ASSERT_TRUE(start());
    EXPECT_EQ(game_->skillLevel(), 1);
    EXPECT_FALSE(platform.fullscreen);
    desktop_->shell().command(cmd::kHard);
    desktop_->shell().command(cmd::kSound);
    desktop_->shell().command(cmd::kColours);
    EXPECT_EQ(desktop_->screen().colours(), ColourScheme::ColourBlind);
    // Each change is written as it is made: a run that is killed keeps them.
    EXPECT_EQ(onDisk().skillLevel, 2);
    EXPECT_FALSE(onDisk().sound);
    EXPECT_EQ(onDisk().colours, ColourScheme::ColourBlind);
    platform.windowWidth = 1500;
    platform.windowHeight = 900;
    // Moved and maximised: kept as it happens, the size it had before.
    platform.placed = {-1700, 60, 0, 0, true, true};
    InputEvent placed;
    placed.type = InputEvent::Type::Placed;
    desktop_->handle(placed);
    EXPECT_EQ(onDisk().windowX, std::optional<int>(-1700));
    EXPECT_TRUE(onDisk().windowMaximised);
    desktop_->shell().view.soundVolume = 40;
    stop();
    EXPECT_EQ(onDisk().windowWidth, 1500);
    EXPECT_EQ(onDisk().soundVolume, 40);

    ASSERT_TRUE(start());
    EXPECT_EQ(game_->skillLevel(), 2);
    EXPECT_FALSE(desktop_->shell().view.soundEnabled);
    EXPECT_EQ(desktop_->shell().view.soundVolume, 40);
    EXPECT_EQ(desktop_->screen().colours(), ColourScheme::ColourBlind);
    EXPECT_TRUE(desktop_->menuBar().isChecked(cmd::kColours));
    EXPECT_TRUE(desktop_->menuBar().isChecked(cmd::kHard));
    EXPECT_EQ(platform.windowWidth, 1500);
    EXPECT_EQ(platform.windowHeight, 900);
    EXPECT_EQ(platform.placed, (WindowPlace{-1700, 60, 1500, 900, true, true}));
    // The first game was set up at the remembered skill: Hard's treasury.
    EXPECT_EQ(game_->romans.treasury, 50000);

    // Full screen by F11 is remembered too, and so is leaving it.
    desktop_->handle(test::key(KeyCode::F11));
    EXPECT_TRUE(platform.fullscreen);
    EXPECT_EQ(onDisk().fullscreen, std::optional<bool>(true));
    stop();
    ASSERT_TRUE(start());
    EXPECT_TRUE(platform.fullscreen);
    desktop_->handle(test::key(KeyCode::F11));
    EXPECT_EQ(onDisk().fullscreen, std::optional<bool>(false));
}

TEST_F(DesktopSettingsTest, TheCommandLineHoldsForOneRunOnly) {
    Settings kept;
    kept.fullscreen = false;
    ASSERT_FALSE(storeSettings(file, kept).has_value());
    ASSERT_TRUE(start(1920, 1080, true, false));  // --fullscreen --nosound
    EXPECT_FALSE(desktop_->shell().view.soundEnabled);
    EXPECT_TRUE(platform.fullscreen);
    desktop_->shell().command(cmd::kEasy);
    stop();
    const Settings after = onDisk();
    EXPECT_EQ(after.skillLevel, 0);
    EXPECT_TRUE(after.sound);
    EXPECT_EQ(after.fullscreen, std::optional<bool>(false));
}

TEST_F(DesktopSettingsTest, ADamagedFileIsShownOnceKeepsItsGoodLinesAndIsWrittenAfresh) {
    fs::create_directories(fs::path(file).parent_path());
    std::ofstream(file, std::ios::binary)
        << std::string("skillLevel = hard\n\0\xff\xfe\nfutureKey = 7\n", 35);
    for (int run = 0; run < 2; ++run) {
        ASSERT_TRUE(start());
        listenToTheAdvisor();
        // The note if any, No to the hints, the Prefect's good luck.
        script({test::key(KeyCode::Enter), test::key(KeyCode::Escape), test::key(KeyCode::Enter)});
        if (run == 1) {
            platform.input.pop_front();
        }
        desktop_->firstPaint();
        EXPECT_TRUE(platform.input.empty());
        EXPECT_EQ(game_->skillLevel(), 2) << "the good line before the bad one";
        stop();
    }
    // Told once, on standard error and in the window, as settings.
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find(file), std::string::npos) << notes[0];
    EXPECT_EQ(std::count(said.begin(), said.end(), "Your settings file could not all be read:"), 1);
    // Written again at once, readable, keeping what another version wrote.
    EXPECT_EQ(onDisk().skillLevel, 2);
    const std::string text = contentsOf(file);
    EXPECT_EQ(text.find('\0'), std::string::npos);
    EXPECT_NE(text.find("futureKey = 7\n"), std::string::npos) << text;
}

TEST_F(DesktopSettingsTest, ASettingsFileThatCannotBeWrittenIsToldAsSettings) {
    fs::create_directories(file);  // a folder where the file should be
    ASSERT_TRUE(start());
    listenToTheAdvisor();
    // The notes of the reading and of the writing, No to the hints, good luck.
    script({test::key(KeyCode::Enter), test::key(KeyCode::Enter), test::key(KeyCode::Escape),
            test::key(KeyCode::Enter)});
    desktop_->firstPaint();
    desktop_->shell().command(cmd::kHard);
    desktop_->shell().command(cmd::kEasy);
    EXPECT_TRUE(platform.input.empty());
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes.back().find("Unable to save the game"), std::string::npos) << notes.back();
    EXPECT_EQ(
        std::count(said.begin(), said.end(), "Your settings could not be kept for the next game:"),
        1);
    stop();
}

TEST_F(DesktopSettingsTest, AScreenTooSmallForTheWindowGetsTheFramePixelForPixel) {
    // A 1366 x 768 laptop: full screen, the frame exactly the screen's size.
    ASSERT_TRUE(start(1366, 768));
    EXPECT_TRUE(platform.fullscreen);
    EXPECT_EQ(platform.frameWidth, 1366);
    EXPECT_EQ(platform.frameHeight, 768);
    // Only the empty rows under the layout went.
    EXPECT_GE(desktop_->screen().height(), Screen::kMinLayoutHeight);
    stop();
    // Not remembered as the player's choice: a larger screen next time opens a window.
    EXPECT_FALSE(onDisk().fullscreen.has_value());
    ASSERT_TRUE(start(1920, 1080));
    EXPECT_FALSE(platform.fullscreen);
    // The frame is the window's own pixels.
    EXPECT_EQ(std::pair(platform.frameWidth, platform.frameHeight), platform.windowSize());
    stop();

    // The player who left full screen on the laptop keeps a window there.
    Settings windowed;
    windowed.fullscreen = false;
    ASSERT_FALSE(storeSettings(file, windowed).has_value());
    ASSERT_TRUE(start(1366, 768));
    EXPECT_FALSE(platform.fullscreen);
}

}  // namespace
}  // namespace tessarion
