#include "ui/Dialogs.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Version.h"
#include "game/Game.h"
#include "platform/Platform.h"
#include "savegame/SaveGame.h"
#include "savegame/SaveLimits.h"
#include "ui/AlertBox.h"
#include "ui/BoxChrome.h"
#include "ui/ChronicleBox.h"
#include "ui/ChronicleChart.h"
#include "ui/ChronicleExport.h"
#include "ui/Font.h"
#include "ui/Language.h"
#include "ui/LessonBox.h"
#include "ui/ModalRunner.h"
#include "ui/PictureFrameBox.h"
#include "ui/Screen.h"
#include "ui/SoundBoard.h"
#include "ui/YearReportBox.h"

namespace tessarion {

namespace fs = std::filesystem;

namespace {

std::string upperExtension(const std::string& name) {
    std::string ext = fs::path(name).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    return ext;
}

// The default extension of saved games.
std::string withExtension(std::string name) {
    return upperExtension(name) == ".TSN" ? name : name + ".TSN";
}

// ",  saved 2026-12-08 14:05" in local time, or nothing when the clock cannot say.
std::string savedAt(fs::file_time_type written) {
    // The file clock's own conversion is missing from some standard libraries (the
    // browser build's): carry the time across by its distance from now.
    const auto then = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
        written - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
    const std::time_t t = std::chrono::system_clock::to_time_t(then);
    char date[32];
    std::tm local{};
#ifdef _WIN32
    const bool known = localtime_s(&local, &t) == 0;
#else
    const bool known = localtime_r(&t, &local) != nullptr;
#endif
    if (known && std::strftime(date, sizeof date, "%Y-%m-%d %H:%M", &local) > 0) {
        return fillText(tr(",  saved %s"), {date});
    }
    return "";
}

// The year is the saved game's own, read by the same reader that loads it.
SavedGameEntry describeSavedGame(Game& game, const fs::directory_entry& file) {
    SavedGameEntry entry;
    entry.name = file.path().filename().string();
    std::error_code ec;
    const std::uintmax_t size = file.file_size(ec);
    std::string bytes;
    if (!ec && size <= kMaxSaveFileSize) {
        std::ifstream in(file.path(), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const SavedGameInfo info = inspectGameText(game, bytes);
    entry.damaged = !info.result.ok;
    entry.details =
        entry.damaged ? tr("damaged") : trFormat(N_("%d AD"), {std::to_string(info.year)});
    return entry;
}

// The credits the embedded fonts' and sounds' licences ask for, at the foot of the picture.
void creditAbout(PictureFrameBox& about) {
    about.decorate = [](Surface& s, int cx, int cy) {
        const std::string lines[] = {
            std::string(kGameTitle) +
                " - MIT licence. Fonts: DejaVu Sans (Bitstream Vera licence),",
            "EB Garamond (SIL Open Font License 1.1). Sounds: clips from 0ad-data by",
            "Wildfire Games (CC-BY-SA 3.0); FluidR3 GM soundfont by Frank Wen (MIT).",
            "Details in NOTICE beside the game."};
        const int lineHeight = 17;
        const int band = lineHeight * static_cast<int>(std::size(lines)) + 6;
        darken(s, cx, cy + 400 - band, cx + 600, cy + 400);
        const TextStyle saved = s.text;
        s.text = {0xFFF0E6D0, kBlack, false};
        for (std::size_t i = 0; i < std::size(lines); ++i) {
            s.drawText(cx + 10, cy + 400 - band + 3 + lineHeight * static_cast<int>(i), lines[i]);
        }
        s.text = saved;
    };
}

// The picture paints the labels and a dark slot after each, 90 x 28 at x 424
// and 4 above the row's height; the numbers are set in the labels' serif, on
// their baseline, inside the slots.
void numberResults(PictureFrameBox& box, int invasions, int plagues, int rebellions) {
    box.decorate = [invasions, plagues, rebellions, px = box.pictureX, py = box.pictureY](
                       Surface& s, int cx, int cy) {
        Font& font = labelFont();
        const TextStyle saved = s.text;
        s.text = {kWhite, kBlack, false};
        const std::pair<int, int> rows[] = {{127, invasions}, {168, plagues}, {210, rebellions}};
        for (auto [y, count] : rows) {
            char number[56];
            std::snprintf(number, sizeof number, "%d", count);
            const int baseline = cy + py + y + 14;
            // Twice, a pixel apart: the labels are bold and the font is not.
            for (int dx : {0, 1}) {
                s.drawText(cx + px + 424 + 8 + dx, baseline - font.ascent(), number, font);
            }
        }
        s.text = saved;
    };
}

}  // namespace

std::vector<SavedGameEntry> savedGamesIn(Game& game, const std::string& folder) {
    struct Found {
        SavedGameEntry entry;
        fs::file_time_type written;
    };
    std::vector<Found> found;
    std::error_code ec;
    for (const auto& file : fs::directory_iterator(folder, ec)) {
        if (upperExtension(file.path().string()) != ".TSN" || !file.is_regular_file(ec)) {
            continue;
        }
        Found f{describeSavedGame(game, file), file.last_write_time(ec)};
        f.entry.details += savedAt(f.written);
        found.push_back(std::move(f));
    }
    // Newest first: the game the player saved last is the one most often wanted.
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.written != b.written ? a.written > b.written : a.entry.name < b.entry.name;
    });
    std::vector<SavedGameEntry> entries;
    for (Found& f : found) {
        entries.push_back(std::move(f.entry));
    }
    return entries;
}

std::vector<SavedGameEntry> exportsIn(const std::string& folder) {
    std::vector<std::pair<fs::file_time_type, SavedGameEntry>> found;
    std::error_code ec;
    for (const auto& file : fs::directory_iterator(folder, ec)) {
        if (upperExtension(file.path().string()) != ".CSV" || !file.is_regular_file(ec)) {
            continue;
        }
        SavedGameEntry entry;
        entry.name = file.path().stem().string();
        const fs::file_time_type written = file.last_write_time(ec);
        const std::string when = savedAt(written);  // ",  saved ...", or nothing
        entry.details = when.empty() ? when : when.substr(3);
        found.emplace_back(written, std::move(entry));
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second.name < b.second.name;
    });
    std::vector<SavedGameEntry> entries;
    for (auto& f : found) {
        entries.push_back(std::move(f.second));
    }
    return entries;
}

int Dialogs::screenWidth() const {
    return screen_.width();
}

int Dialogs::screenHeight() const {
    return screen_.height();
}

PictureSource Dialogs::pictureSource() const {
    return {config_.pictures, config_.largePictures, screen_.scale()};
}

void Dialogs::loadPictures() {
    portrait_.loadFor(pictureSource());
}

void Dialogs::showPicture(Graphic& picture, PictureFrameBox& box) {
    // Megabytes on a large screen, and seldom shown: let go once the box closes.
    picture.loadFor(pictureSource());
    runner_.run(box);
    picture.surface = Surface();
}

void Dialogs::showSplash() {
    PictureFrameBox splash(&splash_, "", 640, 480, screenWidth(), screenHeight());
    splash.closeAt = platform_.ticks() + 5000;
    showPicture(splash_, splash);
}

int Dialogs::advise(AdvisorBox::Kind kind, const std::string& text) {
    AdvisorBox box(kind, text, screenWidth(), screenHeight(), &portrait_, screen_.window.scale());
    runner_.run(box);
    return box.endCode;
}

void Dialogs::alert(const std::string& caption, const std::string& text) {
    AlertBox box(caption, text, screenWidth(), screenHeight());
    runner_.run(box);
}

void Dialogs::showAbout(std::optional<int> lifetimeMs) {
    PictureFrameBox about(&about_, tr("About Tessarion"), 600, 400, screenWidth(), screenHeight());
    if (lifetimeMs) {
        about.closeAt = platform_.ticks() + static_cast<std::uint64_t>(*lifetimeMs);
    }
    creditAbout(about);
    showPicture(about_, about);
}

void Dialogs::showResults(int invasions, int plagues, int rebellions) {
    // The reign's chronicle stands beside the picture, so the box waits for
    // the player instead of closing by itself.
    constexpr int kPictureWidth = 612;
    constexpr int kChartWidth = 560;
    PictureFrameBox box(&results_, tr("Results"), kPictureWidth + kChartWidth, 406, screenWidth(),
                        screenHeight());
    box.pictureX = 6;
    box.pictureY = 3;
    numberResults(box, invasions, plagues, rebellions);
    const auto numbers = box.decorate;
    box.decorate = [numbers, this](Surface& s, int cx, int cy) {
        numbers(s, cx, cy);
        const ChronicleChart chart(screen_.game().chronicle, cx + kPictureWidth, cy + 3,
                                   kChartWidth - 6, 400);
        chart.draw(s, screen_.colours());
    };
    showPicture(results_, box);
}

void Dialogs::showYearReport() {
    Game& game = screen_.game();
    YearReportBox box(yearReportTitle(game.lastYear), yearReportRows(game.lastYear, game),
                      screenWidth(), screenHeight());
    runner_.run(box);
}

void Dialogs::showChronicle() {
    const Game& game = screen_.game();
    ChronicleBox box(chronicleTitle(game), game.chronicle, screen_.colours(), screenWidth(),
                     screenHeight());
    runner_.run(box);
}

void Dialogs::openPictureBox(int pictureId) {
    const std::string narration = SoundBoard::narrationOf(pictureId);
    const std::string script =
        config_.lessonScript && !narration.empty() ? tr(config_.lessonScript(narration)) : "";
    LessonBox box(screen_.pictures.fullPicture(pictureId), pictureId, script, screenWidth(),
                  screenHeight(), &screen_.pictures.playButton, &screen_.pictures.stopButton);
    box.narrationLength = sounds_.length(narration);
    if (config_.lessonCaptionTimes && !narration.empty()) {
        box.captionTimes = config_.lessonCaptionTimes(narration);
    }
    box.onNarration = [this, narration](bool start) {
        if (start && !narration.empty()) {
            sounds_.playNarration(narration);
        } else {
            sounds_.stop();
        }
    };
    if (pictureId == kIntroPicture) {
        sounds_.playTheme();
    }
    box.tick(platform_.ticks());
    runner_.run(box);
    sounds_.stop();
}

void Dialogs::openWebPage(const std::string& path) {
    const std::string address = config_.webAddress ? config_.webAddress(path) : path;
    if (platform_.openUrl(address)) {
        return;
    }
    // Without a browser the player can still open the page by hand.
    const std::string where = address.rfind("file://", 0) == 0 ? address.substr(7) : address;
    alert(
        "Tessarion",
        fillText(N_("No web browser could be started to show this page.\r\nIt is here:\r\n\r\n%s"),
                 {where}));
}

std::optional<std::string> Dialogs::nativeChoice(bool save) {
    std::error_code ec;
    fs::create_directories(config_.saveFolder, ec);
    std::optional<std::string> native = platform_.nativeFileChooser(save, config_.saveFolder);
    if (native) {
        runner_.presentFrame();
    }
    return native;
}

std::optional<std::string> Dialogs::chooseSavePath() {
    if (std::optional<std::string> native = nativeChoice(true)) {
        return native->empty() ? std::nullopt : std::optional<std::string>(withExtension(*native));
    }
    std::string name;
    for (;;) {
        FileBox box(true, savedGamesIn(screen_.game(), config_.saveFolder), screenWidth(),
                    screenHeight());
        box.name = name;
        runner_.run(box);
        if (box.endCode != 1) {
            return std::nullopt;
        }
        name = box.name;
        const fs::path path = fs::path(config_.saveFolder) / withExtension(name);
        std::error_code ec;
        if (!fs::exists(path, ec)) {
            return path.string();
        }
        // Another game under that name would be lost: ask, and on No let the
        // player choose again.
        AlertBox ask(N_("Confirm Save As"),
                     fillText(N_("%s already exists.\r\nDo you want to replace it?"),
                              {path.filename().string()}),
                     screenWidth(), screenHeight(), true);
        runner_.run(ask);
        if (ask.endCode == AlertBox::kYes) {
            return path.string();
        }
        if (runner_.closing()) {
            return std::nullopt;
        }
    }
}

std::optional<std::string> Dialogs::chooseExportPath() {
    // The game's own box rather than the desktop's: the desktop's would ask to
    // save a game, among saved games, and an export writes two other files.
    std::error_code created;
    fs::create_directories(config_.saveFolder, created);
    std::string name;
    for (;;) {
        FileBox box(true, exportsIn(config_.saveFolder), screenWidth(), screenHeight());
        box.title = tr("Export the chronicle");
        box.prompt = tr("Chronicles exported (a .png picture and a .csv table each):");
        box.emptyList = tr("(no chronicles exported yet)");
        box.name = name;
        runner_.run(box);
        if (box.endCode != 1) {
            return std::nullopt;
        }
        name = exportPrefix(box.name);
        const fs::path prefix = fs::path(config_.saveFolder) / name;
        std::string taken;
        std::error_code ec;
        for (const char* extension : {".png", ".csv"}) {
            if (taken.empty() && fs::exists(prefix.string() + extension, ec)) {
                taken = name + extension;
            }
        }
        if (taken.empty()) {
            return prefix.string();
        }
        AlertBox ask(N_("Confirm Export"),
                     fillText(N_("%s already exists.\r\nDo you want to replace it?"), {taken}),
                     screenWidth(), screenHeight(), true);
        runner_.run(ask);
        if (ask.endCode == AlertBox::kYes) {
            return prefix.string();
        }
        if (runner_.closing()) {
            return std::nullopt;
        }
    }
}

std::optional<std::string> Dialogs::chooseLoadPath() {
    if (std::optional<std::string> native = nativeChoice(false)) {
        return native->empty() ? std::nullopt : native;
    }
    FileBox box(false, savedGamesIn(screen_.game(), config_.saveFolder), screenWidth(),
                screenHeight());
    runner_.run(box);
    if (box.endCode != 1) {
        return std::nullopt;
    }
    return (fs::path(config_.saveFolder) / box.name).string();
}

}  // namespace tessarion
