#include "platform/SdlPlatformImpl.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <tuple>
#include <vector>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#if defined(__linux__) || defined(__FreeBSD__)
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#endif

namespace tessarion {

void SdlPlatform::Impl::notePlace() {
    if (window == nullptr) {
        return;
    }
    const Uint32 flags = SDL_GetWindowFlags(window);
    if ((flags & (SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED | SDL_WINDOW_FULLSCREEN_DESKTOP |
                  SDL_WINDOW_HIDDEN)) != 0) {
        return;
    }
    SDL_GetWindowPosition(window, &normal.x, &normal.y);
    SDL_GetWindowSize(window, &normal.w, &normal.h);
    normalKnown = true;
}

SdlPlatform::SdlPlatform() : impl_(std::make_unique<Impl>()) {
    // The window's own surface, never one made of a GL texture: asking whether
    // GL would be faster loads the whole GL stack, tens of megabytes for a
    // game that draws every pixel itself.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Fingers arrive as fingers only: the game makes its own clicks and drags
    // of them, and a made-up mouse beside them would act twice.
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
    SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
    impl_->videoReady = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) == 0;
    impl_->openAudio();
}

SdlPlatform::~SdlPlatform() {
    impl_->closeAudio();
    if (impl_->waitCursor != nullptr) {
        SDL_FreeCursor(impl_->waitCursor);
    }
    if (impl_->window != nullptr) {
        impl_->takeBackFrame();
        SDL_DestroyWindow(impl_->window);
    }
    SDL_Quit();
}

bool SdlPlatform::ready() const {
    return impl_->videoReady;
}

std::pair<int, int> SdlPlatform::screenSize() {
    SDL_DisplayMode mode;
    if (impl_->videoReady && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        return {mode.w, mode.h};
    }
    return {1366, 768};
}

bool SdlPlatform::openWindow(const std::string& title, int width, int height) {
    if (!impl_->videoReady) {
        return false;
    }
    auto [sw, sh] = screenSize();
    // Start as large as fits the screen, keeping the frame's shape, unless the
    // player had made it another size.
    int w = std::min(width, sw - 40);
    int h = w * height / width;
    if (h > sh - 80) {
        h = sh - 80;
        w = h * width / height;
    }
    if (impl_->preferredWidth > 0 && impl_->preferredHeight > 0) {
        w = std::min(impl_->preferredWidth, sw);
        h = std::min(impl_->preferredHeight, sh);
    }
    w = std::max(w, 640);
    h = std::max(h, 400);
    // Where the player left it, if its title bar still lies on a screen (a
    // second screen may be gone); otherwise in the middle of the first.
    int x = SDL_WINDOWPOS_CENTERED;
    int y = SDL_WINDOWPOS_CENTERED;
    if (impl_->preferredPositioned) {
        const SDL_Rect titleBar{impl_->preferredX, impl_->preferredY, w, 32};
        for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
            SDL_Rect usable;
            SDL_Rect seen;
            if (SDL_GetDisplayUsableBounds(i, &usable) == 0 &&
                SDL_IntersectRect(&titleBar, &usable, &seen) == SDL_TRUE && seen.w >= 100 &&
                seen.h >= 16) {
                x = impl_->preferredX;
                y = impl_->preferredY;
                break;
            }
        }
    }
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN;
#ifdef __EMSCRIPTEN__
    // The canvas gets the device's own pixels: two to a CSS pixel on a
    // high-density tablet.
    flags |= SDL_WINDOW_ALLOW_HIGHDPI;
#endif
    impl_->window = SDL_CreateWindow(title.c_str(), x, y, w, h, flags);
    if (impl_->window == nullptr) {
        return false;
    }
    impl_->frameWidth = width;
    impl_->frameHeight = height;
    SDL_StartTextInput();
    return true;
}

void SdlPlatform::setFrameSize(int width, int height) {
    if (width == impl_->frameWidth && height == impl_->frameHeight) {
        return;
    }
    // The old frame does not fit the new size: nothing to show until the next.
    impl_->lastFrame = nullptr;
    impl_->frameWidth = width;
    impl_->frameHeight = height;
    impl_->placed = SDL_Rect{0, 0, 0, 0};
}

void SdlPlatform::showWindow() {
    if (impl_->window != nullptr) {
        SDL_ShowWindow(impl_->window);
        impl_->notePlace();
        if (impl_->preferredWidth == 0 || impl_->preferredMaximised) {
            SDL_MaximizeWindow(impl_->window);
        }
    }
}

void SdlPlatform::setIcon(const std::uint32_t* pixels, int width, int height) {
    if (impl_->window == nullptr || pixels == nullptr || width <= 0 || height <= 0) {
        return;
    }
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(pixels), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (icon != nullptr) {
        SDL_SetWindowIcon(impl_->window, icon);
        SDL_FreeSurface(icon);
    }
}

void SdlPlatform::hideWindow() {
    if (impl_->window != nullptr) {
        SDL_HideWindow(impl_->window);
    }
}

void SdlPlatform::setCursor(Cursor cursor) {
    if (!impl_->videoReady || cursor == impl_->cursor) {
        return;
    }
    if (cursor == Cursor::Wait && impl_->waitCursor == nullptr) {
        impl_->waitCursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
    }
    SDL_Cursor* shape = cursor == Cursor::Wait ? impl_->waitCursor : SDL_GetDefaultCursor();
    if (shape != nullptr) {
        SDL_SetCursor(shape);
        impl_->cursor = cursor;
    }
}

void SdlPlatform::toggleFullscreen() {
    if (impl_->window == nullptr) {
        return;
    }
    SDL_Window* w = impl_->window;
    // Asked of the window, not remembered: a window manager may have changed it.
    const bool isFullscreen = (SDL_GetWindowFlags(w) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    if (!isFullscreen) {
        SDL_GetWindowPosition(w, &impl_->windowed.x, &impl_->windowed.y);
        SDL_GetWindowSize(w, &impl_->windowed.w, &impl_->windowed.h);
        // Without a window manager nobody makes the window as large as the
        // screen, while SDL believes it is and scales the frame for the
        // screen: the frame was cropped. The window is given the screen's
        // place first, which a window manager then takes over; once in full
        // screen SDL would no longer move it.
        SDL_Rect screen;
        if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(w), &screen) == 0) {
            SDL_SetWindowPosition(w, screen.x, screen.y);
            SDL_SetWindowSize(w, screen.w, screen.h);
        }
        impl_->fullscreen = SDL_SetWindowFullscreen(w, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
    } else {
        SDL_SetWindowFullscreen(w, 0);
        impl_->fullscreen = false;
        // Back to the window's own place and size, whoever manages windows.
        if (impl_->windowed.w > 0 && impl_->windowed.h > 0) {
            SDL_SetWindowSize(w, impl_->windowed.w, impl_->windowed.h);
            SDL_SetWindowPosition(w, impl_->windowed.x, impl_->windowed.y);
        }
    }
    impl_->representLastFrame();
}

bool SdlPlatform::isFullscreen() {
    return impl_->window != nullptr &&
           (SDL_GetWindowFlags(impl_->window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

bool SdlPlatform::windowFits(int width, int height) {
#ifdef __EMSCRIPTEN__
    // The page fits the frame into whatever the browser gives it.
    (void)width, (void)height;
    return true;
#else
    SDL_Rect usable;
    if (!impl_->videoReady || SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        return true;
    }
    // A title bar is about this tall; without a window manager there is none,
    // but then the window cannot be larger than the screen either.
    constexpr int kTitleBar = 32;
    return usable.w >= width && usable.h >= height + kTitleBar;
#endif
}

std::pair<int, int> SdlPlatform::windowSize() {
    if (impl_->window == nullptr) {
        return {0, 0};
    }
    if (isFullscreen() && impl_->windowed.w > 0) {
        return {impl_->windowed.w, impl_->windowed.h};
    }
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(impl_->window, &w, &h);
    return {w, h};
}

void SdlPlatform::setWindowSize(int width, int height) {
#ifdef __EMSCRIPTEN__
    // The page sizes the canvas; another size would only blur it.
    (void)width, (void)height;
#else
    impl_->preferredWidth = std::max(width, 0);
    impl_->preferredHeight = std::max(height, 0);
#endif
}

WindowPlace SdlPlatform::windowPlace() {
#ifdef __EMSCRIPTEN__
    return {};  // the page places and sizes the canvas
#else
    if (impl_->window == nullptr) {
        return {};
    }
    impl_->notePlace();
    WindowPlace place;
    place.maximised = (SDL_GetWindowFlags(impl_->window) & SDL_WINDOW_MAXIMIZED) != 0;
    if (impl_->normalKnown) {
        place.x = impl_->normal.x;
        place.y = impl_->normal.y;
        place.width = impl_->normal.w;
        place.height = impl_->normal.h;
        place.positioned = true;
    } else {
        std::tie(place.width, place.height) = windowSize();
    }
    return place;
#endif
}

void SdlPlatform::setWindowPlace(const WindowPlace& place) {
    setWindowSize(place.width, place.height);
#ifndef __EMSCRIPTEN__
    impl_->preferredX = place.x;
    impl_->preferredY = place.y;
    impl_->preferredPositioned = place.positioned;
    impl_->preferredMaximised = place.maximised;
#endif
}

std::pair<int, int> SdlPlatform::drawableSize() {
    if (impl_->window == nullptr) {
        return screenSize();
    }
    int w = 0;
    int h = 0;
#ifdef __EMSCRIPTEN__
    SDL_GetWindowSizeInPixels(impl_->window, &w, &h);
#else
    // Asked of the lent surface while the window keeps its size: asking SDL
    // for the surface would let go of it after a resize.
    if (impl_->lentFrom != nullptr) {
        SDL_GetWindowSizeInPixels(impl_->window, &w, &h);
        if (w == impl_->lentFrom->w && h == impl_->lentFrom->h) {
            return {w, h};
        }
    }
    SDL_Surface* surface = impl_->windowSurface();
    if (surface != nullptr) {
        return {surface->w, surface->h};
    }
    SDL_GetWindowSize(impl_->window, &w, &h);
#endif
    return {w, h};
}

void SdlPlatform::setFrameScale(double pixelsPerPoint) {
    impl_->pixelsPerPoint = pixelsPerPoint > 0 ? pixelsPerPoint : 1.0;
}

int SdlPlatform::frameWidthFor(int height, int minimum) {
    if (impl_->window == nullptr) {
        return minimum;
    }
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(impl_->window, &w, &h);
    if (h <= 0) {
        return minimum;
    }
    const int wide = static_cast<int>(static_cast<long long>(w) * height / h);
    return std::max(minimum, wide);
}

void SdlPlatform::setUnsavedChanges(bool unsaved) {
#ifdef __EMSCRIPTEN__
    // The page's own script asks before the tab closes while this is set.
    EM_ASM({ Module.tessarionUnsaved = $0 != 0; }, unsaved ? 1 : 0);
#else
    (void)unsaved;
#endif
}

bool SdlPlatform::openUrl(const std::string& url) {
#if defined(__linux__) || defined(__FreeBSD__)
    // The desktop's opener, quietly: what a browser has to say (started as
    // root, say) does not belong on the game's terminal. Its exit status tells
    // whether a browser took the page; one still running after a moment has.
    const pid_t child = fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        const int null = open("/dev/null", O_RDWR);
        if (null >= 0) {
            dup2(null, STDIN_FILENO);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execlp("xdg-open", "xdg-open", url.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int waited = 0; waited < 3000; waited += 20) {
        int status = 0;
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) {
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        if (done < 0) {
            return false;
        }
        SDL_Delay(20);
    }
    // Still at work: the browser has the page. Reap it later, so no zombie stays.
    std::thread([child] {
        int status = 0;
        waitpid(child, &status, 0);
    }).detach();
    return true;
#else
    return SDL_OpenURL(url.c_str()) == 0;
#endif
}

std::string shellQuote(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

std::optional<std::string> SdlPlatform::nativeFileChooser(bool save, const std::string& folder) {
#if defined(__linux__) || defined(__FreeBSD__)
    // The desktop's chooser, when one of the usual helpers is installed.
    std::string command;
    if (std::system("command -v zenity >/dev/null 2>&1") == 0) {
        command = std::string("zenity --file-selection --title=") +
                  (save ? "'Save the game'" : "'Load a saved game'") +
                  (save ? " --save --confirm-overwrite" : "") +
                  " --filename=" + shellQuote(folder + "/") +
                  " --file-filter='Tessarion Files (*.TSN) | *.TSN *.tsn' 2>/dev/null";
    } else if (std::system("command -v kdialog >/dev/null 2>&1") == 0) {
        command = std::string("kdialog ") + (save ? "--getsavefilename " : "--getopenfilename ") +
                  shellQuote(folder + "/") + " 'Tessarion Files (*.TSN *.tsn)' 2>/dev/null";
    } else {
        return std::nullopt;
    }
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return std::nullopt;
    }
    std::string chosen;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        chosen += buffer;
    }
    pclose(pipe);
    while (!chosen.empty() && (chosen.back() == '\n' || chosen.back() == '\r')) {
        chosen.pop_back();
    }
    return chosen;
#else
    (void)save;
    (void)folder;
    return std::nullopt;
#endif
}

}  // namespace tessarion
