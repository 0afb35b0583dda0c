#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
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
#include "model/InternalError.h"
#include "model/Random.h"
#include "platform/HostSystem.h"
#include "platform/SdlPlatform.h"
#include "res/ResourceStore.h"
#include "savegame/EmergencySave.h"
#include "ui/Desktop.h"
#include "ui/PictureStore.h"
#include "ui/Screen.h"
#include "ui/Screenshot.h"

namespace {

const char* const kUsage =
    "Usage: tessarion [options]\n"
    "\n"
    "  (no option)        play the game in its window\n"
    "  --console          play without a window: text commands on standard input\n"
    "  --simulate ...     play whole games headless for balance statistics\n"
    "                     (--games N --skill 0|1|2|all --seed S --player idle|general|all\n"
    "                      --from 235|1100|1101|1102|1103 --csv FILE)\n"
    "  --seed N           start the random generator from N (0 to 4294967295)\n"
    "  --screenshot FILE  write the screen of a new game as a PNG, without a window\n"
    "  --fullscreen       start in full screen (F11 switches)\n"
    "  --windowed         start in a window (the default)\n"
    "  --load FILE        load a saved game once the game is up\n"
    "  --nosound          start with the sound switched off\n"
    "  --export-resources DIR  write every picture (ID.png), sound (NAME.wav) and a contact sheet\n"
    "  --help             show this text\n"
    "  --version          show the version\n";

bool parseSeed(const char* text, std::uint32_t& seed) {
    long long value = 0;
    if (!tessarion::parseNumber(text, 0, 0xffffffffLL, value)) {
        return false;
    }
    seed = static_cast<std::uint32_t>(value);
    return true;
}

int screenshot(const std::string& path) {
    tessarion::beginFirstGame(tessarion::Game::instance());
    tessarion::Screen screen(tessarion::Game::instance(), tessarion::Screen::kLayoutWidth,
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

struct WindowOptions {
    bool fullscreen = false;
    bool sound = true;
    std::optional<std::string> load;
};

int desktop(const WindowOptions& options) {
    tessarion::SdlPlatform platform;
    if (!platform.ready()) {
        std::cerr << "tessarion: no display to open a window on (try --console)\n";
        return 1;
    }
    tessarion::DesktopConfig config;
    config.saveFolder = tessarion::savedGamesFolder();
    config.pictures = tessarion::store::decodePicture;
    config.sounds = tessarion::res::soundData;
    config.lessonScript = tessarion::res::lessonScript;
    config.lessonCaptionTimes = tessarion::res::lessonCaptionTimes;
    config.webAddress = tessarion::webAddress;
    config.fullscreen = options.fullscreen;
    config.sound = options.sound;
    config.loadFile = options.load;
    tessarion::Desktop game(platform, tessarion::Game::instance(), config);
    return game.run();
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<std::uint32_t> seed;
    bool console = false;
    std::optional<std::string> shot;
    WindowOptions window;
    tessarion::setProgramPath(argv[0]);
    // Windows: the text modes need the terminal; --console needs one even when
    // started from the desktop.
    const std::vector<std::string> args(argv + 1, argv + argc);
    tessarion::attachConsole(std::find(args.begin(), args.end(), "--console") != args.end());
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--version") {
            std::cout << tessarion::kGameTitle << "\n";
            return 0;
        }
        if (arg == "--simulate") {
            return tessarion::runSimulator(std::vector<std::string>(argv + i + 1, argv + argc),
                                           std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
        }
        if (arg == "--console") {
            console = true;
            continue;
        }
        if (arg == "--seed") {
            std::uint32_t value = 0;
            if (i + 1 >= argc || !parseSeed(argv[i + 1], value)) {
                std::cerr << "tessarion: --seed needs a number from 0 to 4294967295\n";
                return 2;
            }
            seed = value;
            ++i;
            continue;
        }
        if (arg == "--fullscreen" || arg == "--windowed") {
            window.fullscreen = arg == "--fullscreen";
            continue;
        }
        if (arg == "--nosound") {
            window.sound = false;
            continue;
        }
        if (arg == "--load") {
            if (i + 1 >= argc) {
                std::cerr << "tessarion: --load needs a saved game's file name\n";
                return 2;
            }
            window.load = argv[++i];
            continue;
        }
        if (arg == "--export-resources") {
            if (i + 1 >= argc) {
                std::cerr << "tessarion: --export-resources needs a folder\n";
                return 2;
            }
            return tessarion::res::exportResources(argv[i + 1], std::cerr);
        }
        if (arg == "--screenshot") {
            if (i + 1 >= argc) {
                std::cerr << "tessarion: --screenshot needs a file name\n";
                return 2;
            }
            shot = argv[++i];
            continue;
        }
        std::cerr << "tessarion: unknown option " << arg << "\n" << kUsage;
        return 2;
    }
    if (console) {
        tessarion::Console session(std::cin, std::cout, isatty(0) != 0,
                                   isatty(0) != 0 && isatty(1) != 0);
        return session.run(seed);
    }
    // The window's game, the one the whole program plays on.
    tessarion::GameSession session(seed ? *seed : tessarion::clockSeed());
    try {
        if (shot) {
            return screenshot(*shot);
        }
        return desktop(window);
    } catch (...) {
        std::cerr << "tessarion: internal error: " << tessarion::describeCurrentException() << "\n";
        return 3;
    }
}
