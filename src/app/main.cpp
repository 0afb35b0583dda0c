#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <unistd.h>

#include "Version.h"
#include "app/Console.h"
#include "app/Numbers.h"
#include "app/Simulator.h"
#include "app/WebSite.h"
#include "game/Events.h"
#include "game/Game.h"
#include "game/GameSession.h"
#include "game/Scenarios.h"
#include "model/InternalError.h"
#include "model/PrintableText.h"
#include "model/Random.h"
#include "platform/FileSystem.h"
#include "platform/HostSystem.h"
#include "platform/SdlPlatform.h"
#include "res/Languages.h"
#include "res/ResourceStore.h"
#include "savegame/EmergencySave.h"
#include "savegame/SaveGame.h"
#include "ui/ChronicleExport.h"
#include "ui/Desktop.h"
#include "ui/Language.h"
#include "ui/PictureStore.h"
#include "ui/Screen.h"
#include "ui/Screenshot.h"

namespace {

std::string usage() {
    return "Usage: tessarion [options]\n"
           "\n"
           "  (no option)        play the game in its window\n"
           "  --console          play without a window: text commands on standard input\n"
           "  --simulate ...     play whole games headless for balance statistics\n"
           "                     (--games N --skill 0|1|2|all --seed S --player idle|general|all\n"
           "                      --from 235|" +
           tessarion::scenarioIds("|") +
           " --csv FILE)\n"
           "  --seed N           start the random generator from N (0 to 4294967295)\n"
           "  --screenshot FILE  write the screen of a new game as a PNG, without a window\n"
           "  --fullscreen       start in full screen (F11 switches)\n"
           "  --windowed         start in a window (the default where the screen has room)\n"
           "  --load FILE        load a saved game once the game is up\n"
           "  --nosound          start with the sound switched off\n"
           "  --language CODE    speak en, de, fr, it or es (the default is the system's)\n"
           "                     (these four hold for the run; the settings file keeps the "
           "menus' choices)\n"
           "  --export-resources DIR  write every picture (ID.png), sound (NAME.wav) and a contact "
           "sheet\n"
           "  --export-chronicle SAVEDGAME OUTPREFIX  write the saved game's chronicle as\n"
           "                     OUTPREFIX.png (a chart) and OUTPREFIX.csv (one row a year)\n"
           "  --scenarios        list the scenarios: id, first year played, menu label\n"
           "  --help             show this text\n"
           "  --version          show the version\n";
}

// One line a scenario, for scripts: "1100 260 Valerian (260 AD)".
void listScenarios() {
    for (const tessarion::Scenario& s : tessarion::scenarios()) {
        std::cout << s.id << ' ' << s.firstYear() << ' ' << s.label << '\n';
    }
}

int screenshot(tessarion::Game& game, const std::string& path) {
    tessarion::beginFirstGame(game);
    tessarion::Screen screen(game, tessarion::Screen::kLayoutWidth,
                             tessarion::Screen::kLayoutHeight);
    screen.buildOverlayKeys();
    screen.loadPictures();
    std::string error;
    if (!tessarion::writeScreenshot(screen, path, error)) {
        std::cerr << "tessarion: " << error << "\n";
        return 1;
    }
    return 0;
}

// A saved game's chronicle as a chart and a table, without a window.
int exportChronicle(const std::string& saved, const std::string& prefix) {
    tessarion::GameSession session(tessarion::clockSeed());
    tessarion::Game& game = session.game();
    try {
        const tessarion::FileResult loaded = tessarion::loadGame(game, saved);
        if (!loaded.ok) {
            std::cerr << "tessarion: " << tessarion::printableText(saved) << ": " << loaded.error
                      << "\n";
            return 1;
        }
        const tessarion::ChronicleExport written =
            tessarion::exportChronicle(game, tessarion::ColourScheme::Standard, prefix);
        if (!written.ok) {
            std::cerr << "tessarion: " << written.error << "\n";
            return 1;
        }
    } catch (...) {
        std::cerr << "tessarion: internal error: " << tessarion::describeCurrentException() << "\n";
        return 3;
    }
    return 0;
}

// What the command line chose for this run; nothing leaves it to the settings.
// The language the system asks for, among the game's.
std::string systemLanguage() {
    auto env = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string_view(value != nullptr ? value : "");
    };
    const std::string host = tessarion::userInterfaceLanguages();
    return std::string(tessarion::res::systemLanguage(
        host.empty() ? env("LANGUAGE") : host, env("LC_ALL"), env("LC_MESSAGES"), env("LANG")));
}

struct WindowOptions {
    std::optional<bool> fullscreen;
    std::optional<bool> sound;
    std::optional<std::string> load;
    std::optional<std::string> language;
};

int desktop(tessarion::Game& game, const WindowOptions& options) {
    tessarion::returnFreedMemoryPromptly();
    tessarion::SdlPlatform platform;
    if (!platform.ready()) {
        std::cerr << "tessarion: no display to open a window on (try --console)\n";
        return 1;
    }
    tessarion::DesktopConfig config;
    config.saveFolder = tessarion::savedGamesFolder();
    // An ordinary saved game among the player's own, so File > Load lists it.
    config.autosaveFile = (std::filesystem::path(config.saveFolder) / "autosave.TSN").string();
    config.pictures = tessarion::store::decodePicture;
    config.largePictures = tessarion::store::decodeLargePicture;
    config.sounds = {tessarion::res::soundData, tessarion::res::soundLength};
    config.lessonScript = tessarion::res::lessonScript;
    config.lessonCaptionTimes = tessarion::res::lessonCaptionTimes;
    // The pages in the language the window speaks at the moment they are opened.
    config.webAddress = [](const std::string& page) {
        return tessarion::webAddress(page, std::string(tessarion::languageCode()));
    };
    config.settingsFile = tessarion::settingsFile();
    // Notes quote the settings file and its folder: nothing in them reaches
    // the terminal raw.
    config.note = [](const std::string& text) {
        std::cerr << "tessarion: " << tessarion::printableText(text) << "\n";
    };
    config.fullscreen = options.fullscreen;
    config.sound = options.sound;
    config.loadFile = options.load;
    config.language = options.language;
    config.systemLanguage = systemLanguage();
    tessarion::Desktop window(platform, game, config);
    return window.run();
}

// The window's game, or its screen as a picture.
int windowGame(std::optional<std::uint32_t> seed, const std::optional<std::string>& shot,
               const WindowOptions& window) {
    // The window's game, the one the whole program plays on.
    tessarion::GameSession session(seed ? *seed : tessarion::clockSeed());
    try {
        if (shot) {
            // English unless asked: the pictures of the docs are made this way.
            tessarion::setLanguage(window.language.value_or("en"));
            return screenshot(session.game(), *shot);
        }
        return desktop(session.game(), window);
    } catch (...) {
        std::cerr << "tessarion: internal error: " << tessarion::describeCurrentException() << "\n";
        return 3;
    }
}

// What the command line asks the program to play.
struct Options {
    std::optional<std::uint32_t> seed;
    bool console = false;
    std::optional<std::string> shot;
    WindowOptions window;
};

// The value that follows the option `args[i]`, moving `i` on to it; when the
// line ends before it, nothing, and standard error hears what the option needs.
const std::string* valueOf(const std::vector<std::string>& args, std::size_t& i,
                           const char* needs) {
    if (i + 1 >= args.size()) {
        std::cerr << "tessarion: " << tessarion::printableText(args[i]) << " needs " << needs
                  << "\n";
        return nullptr;
    }
    return &args[++i];
}

// Takes the option `args[i]`, and its value, into `options`; false when the
// option is wrong, as standard error has been told.
bool takeSetting(const std::vector<std::string>& args, std::size_t& i, Options& options) {
    const std::string& arg = args[i];
    if (arg == "--console") {
        options.console = true;
    } else if (arg == "--seed") {
        options.seed = i + 1 < args.size() ? tessarion::parseSeed(args[++i]) : std::nullopt;
        if (!options.seed) {
            std::cerr << "tessarion: --seed needs a number from 0 to 4294967295\n";
            return false;
        }
    } else if (arg == "--fullscreen" || arg == "--windowed") {
        options.window.fullscreen = arg == "--fullscreen";
    } else if (arg == "--language") {
        const std::string* code = valueOf(args, i, "a language: en, de, fr, it or es");
        if (code == nullptr) {
            return false;
        }
        if (tessarion::res::findLanguage(*code) == nullptr && *code != "pseudo") {
            std::cerr << "tessarion: --language " << tessarion::printableText(*code)
                      << " is not one of the game's: en, de, fr, it, es\n";
            return false;
        }
        options.window.language = *code;
    } else if (arg == "--nosound") {
        options.window.sound = false;
    } else if (arg == "--load" || arg == "--screenshot") {
        const bool load = arg == "--load";
        const std::string* file =
            valueOf(args, i, load ? "a saved game's file name" : "a file name");
        if (file == nullptr) {
            return false;
        }
        (load ? options.window.load : options.shot) = *file;
    } else {
        std::cerr << "tessarion: unknown option " << tessarion::printableText(arg) << "\n"
                  << usage();
        return false;
    }
    return true;
}

// The options in the order given; an exit code instead when one of them is
// wrong or is a whole run of its own (--help, --version, --simulate,
// --export-resources).
std::variant<Options, int> readOptions(const std::vector<std::string>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << usage();
            return 0;
        }
        if (arg == "--scenarios") {
            listScenarios();
            return 0;
        }
        if (arg == "--version") {
            std::cout << tessarion::kGameTitle << "\n";
            return 0;
        }
        if (arg == "--simulate") {
            return tessarion::runSimulator(
                std::vector<std::string>(args.begin() + static_cast<long>(i) + 1, args.end()),
                std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
        }
        if (arg == "--export-chronicle") {
            if (i + 2 >= args.size()) {
                std::cerr << "tessarion: --export-chronicle needs a saved game and a name for "
                             "the files\n";
                return 2;
            }
            return exportChronicle(args[i + 1], args[i + 2]);
        }
        if (arg == "--export-resources") {
            const std::string* folder = valueOf(args, i, "a folder");
            return folder != nullptr ? tessarion::res::exportResources(*folder, std::cerr) : 2;
        }
        if (!takeSetting(args, i, options)) {
            return 2;
        }
    }
    return options;
}

// Why standard output failed, where the part that wrote it could tell.
int outputError = 0;

// The program, with the exit code it ends with.
int run(int argc, char** argv) {
    // Writes that fail (a full disk, a file-size limit, a closed pipe) are
    // told and end with a non-zero code instead of killing the program.
    tessarion::files::reportFailedWritesInsteadOfDying();
    tessarion::setProgramPath(argv[0]);
    // Windows: the text modes need the terminal; --console needs one even when
    // started from the desktop.
    const std::vector<std::string> args(argv + 1, argv + argc);
    tessarion::attachConsole(std::find(args.begin(), args.end(), "--console") != args.end());
    const std::variant<Options, int> chosen = readOptions(args);
    if (const int* code = std::get_if<int>(&chosen)) {
        return *code;
    }
    const Options& options = std::get<Options>(chosen);
    if (options.console) {
        // A person at a terminal reads the game in their language; the
        // protocol for pipes stays English whatever is chosen.
        tessarion::setLanguage(options.window.language.value_or(systemLanguage()));
        tessarion::Console session(std::cin, std::cout, isatty(0) != 0,
                                   isatty(0) != 0 && isatty(1) != 0);
        const int code = session.run(options.seed);
        outputError = session.outputError();
        return code;
    }
    return windowGame(options.seed, options.shot, options.window);
}

// Whatever went to standard output must have reached it: a full disk, a
// file-size limit or a reader that went away is told, and the exit code says
// so, even where the run itself went well.
int outputChecked(int code) {
    errno = outputError;
    std::cout.flush();
    const bool failed = std::cout.fail() || std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (!failed) {
        return code;
    }
    const int error = errno;
    std::cerr << "tessarion: could not write the output"
              << (error != 0 ? " (" + tessarion::files::errorReason(error) + ")" : std::string())
              << "\n";
    return code != 0 ? code : 1;
}

}  // namespace

int main(int argc, char** argv) {
    return outputChecked(run(argc, argv));
}
