#include "platform/SdlPlatform.h"

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

struct SdlPlatform::Impl {
    bool videoReady = false;
    SDL_Window* window = nullptr;
    int frameWidth = 0;
    int frameHeight = 0;
    // The frame last shown (the game keeps it until the next), to show again
    // when the window is uncovered or resized while the game is busy.
    const std::uint32_t* lastFrame = nullptr;
    // Where the frame lands in the window: scaled to fit, kept in shape, centred.
    SDL_Rect placed{0, 0, 0, 0};
    // For each column of the placed frame, the frame's column shown there.
    std::vector<int> columns;
    std::vector<int> columnWeights;
    int columnsFor = 0;  // the frame width they were worked out for
    std::vector<int> rows;
    std::vector<int> rowWeights;
    int rowsFor = 0;
    SDL_Cursor* waitCursor = nullptr;
    Cursor cursor = Cursor::Arrow;
    bool fullscreen = false;
    // The window's place before full screen, to go back to without a window
    // manager's help.
    SDL_Rect windowed{0, 0, 0, 0};
    // The place the player last gave the window, when the game was told it.
    int preferredWidth = 0;
    int preferredHeight = 0;
    int preferredX = 0;
    int preferredY = 0;
    bool preferredPositioned = false;
    bool preferredMaximised = false;
    // The window's place while neither maximised nor full screen, followed as
    // it moves: a maximised window knows only the screen's.
    SDL_Rect normal{0, 0, 0, 0};
    bool normalKnown = false;

    void notePlace() {
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

    SDL_AudioDeviceID audio = 0;
    SDL_AudioSpec device{};  // the format the device plays
    // The one voice: samples in the device's format, guarded by the device lock.
    std::vector<Uint8> voice;
    std::size_t position = 0;
    bool looping = false;
    int volume = SDL_MIX_MAXVOLUME;  // SDL's scale, 0 to 128

    // Lets go of the voice's memory (a narration in the device's format runs
    // to megabytes), not just of its samples.
    void release() {
        std::vector<Uint8>().swap(voice);
        position = 0;
        looping = false;
    }

    static void mix(void* user, Uint8* stream, int length) {
        auto* self = static_cast<Impl*>(user);
        std::memset(stream, self->device.silence, static_cast<std::size_t>(length));
        std::size_t written = 0;
        const std::size_t wanted = static_cast<std::size_t>(length);
        while (written < wanted && !self->voice.empty()) {
            const std::size_t left = self->voice.size() - self->position;
            const std::size_t n = std::min(left, wanted - written);
            // Mixed into the silence at the volume, which a setting change
            // thus reaches within one buffer.
            SDL_MixAudioFormat(stream + written, self->voice.data() + self->position,
                               self->device.format, static_cast<Uint32>(n), self->volume);
            written += n;
            self->position += n;
            if (self->position >= self->voice.size()) {
                if (self->looping) {
                    self->position = 0;
                } else {
                    self->release();
                }
            }
        }
    }

    // Fits the frame into a window of w x h pixels.
    void place(int w, int h) {
        SDL_Rect r{0, 0, w, h};
        if (frameWidth > 0 && frameHeight > 0 && w > 0 && h > 0) {
            const double scale =
                std::min(static_cast<double>(w) / frameWidth, static_cast<double>(h) / frameHeight);
            r.w = std::max(1, static_cast<int>(frameWidth * scale));
            r.h = std::max(1, static_cast<int>(frameHeight * scale));
            r.x = (w - r.w) / 2;
            r.y = (h - r.h) / 2;
        }
        if (r.w != static_cast<int>(columns.size()) || columnsFor != frameWidth) {
            columnsFor = frameWidth;
            taps(frameWidth, r.w, columns, columnWeights);
        }
        placed = r;
    }

    // Where each of n shown pixels takes its colour from a line of `from`
    // pixels. Larger than the frame: the nearest pixel, so that the pictures
    // stay crisp. Smaller: the two nearest, weighted (out of 256) by nearness,
    // so that no stroke of a letter drops out.
    static void taps(int from, int n, std::vector<int>& first, std::vector<int>& weight) {
        first.assign(static_cast<std::size_t>(std::max(n, 0)), 0);
        weight.assign(first.size(), 0);
        for (int i = 0; i < n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (n >= from) {
                first[k] = static_cast<int>((2LL * i + 1) * from / (2LL * n));
                continue;
            }
            // The middle of shown pixel i, in the frame's pixels, times 256.
            const long long at = std::max(0LL, ((2LL * i + 1) * from * 256) / (2LL * n) - 128);
            first[k] = static_cast<int>(std::min<long long>(at >> 8, from - 1));
            weight[k] = first[k] + 1 < from ? static_cast<int>(at & 255) : 0;
        }
    }

    static std::uint32_t mixPixels(std::uint32_t a, std::uint32_t b, unsigned w) {
        const std::uint32_t rb =
            (((a & 0xFF00FFu) * (256 - w) + (b & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
        const std::uint32_t g = (((a & 0xFF00u) * (256 - w) + (b & 0xFF00u) * w) >> 8) & 0xFF00u;
        return 0xFF000000u | rb | g;
    }

    // A window point as a frame point, through the scaling.
    void toFrame(int& x, int& y) const {
        if (placed.w <= 0 || placed.h <= 0) {
            return;
        }
        x = static_cast<int>(std::floor(static_cast<double>(x - placed.x) * frameWidth / placed.w));
        y = static_cast<int>(
            std::floor(static_cast<double>(y - placed.y) * frameHeight / placed.h));
    }

    // Draws the last frame into the window's own surface and shows it. No GPU,
    // no GL: the window's plain surface is all the game needs.
    void showFrame() {
        if (window == nullptr || lastFrame == nullptr) {
            return;
        }
        SDL_Surface* out = SDL_GetWindowSurface(window);
        if (out == nullptr) {
            return;
        }
        place(out->w, out->h);
        const Uint32 format = out->format->format;
        if (format != SDL_PIXELFORMAT_RGB888 && format != SDL_PIXELFORMAT_ARGB8888) {
            // An unusual screen: SDL converts (and scales, nearest neighbour).
            SDL_Surface* in = SDL_CreateRGBSurfaceWithFormatFrom(
                const_cast<std::uint32_t*>(lastFrame), frameWidth, frameHeight, 32, frameWidth * 4,
                SDL_PIXELFORMAT_ARGB8888);
            if (in != nullptr) {
                SDL_FillRect(out, nullptr, SDL_MapRGB(out->format, 0, 0, 0));
                SDL_Rect to = placed;
                SDL_BlitScaled(in, nullptr, out, &to);
                SDL_FreeSurface(in);
            }
            SDL_UpdateWindowSurface(window);
            return;
        }
        if (SDL_MUSTLOCK(out) && SDL_LockSurface(out) != 0) {
            return;
        }
        auto* base = static_cast<Uint8*>(out->pixels);
        const int fw = frameWidth;
        if (static_cast<int>(rows.size()) != placed.h || rowsFor != frameHeight) {
            rowsFor = frameHeight;
            taps(frameHeight, placed.h, rows, rowWeights);
        }
        for (int y = 0; y < out->h; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(base + static_cast<std::ptrdiff_t>(y) *
                                                                    out->pitch);
            const int fy = y - placed.y;
            if (fy < 0 || fy >= placed.h) {
                std::fill(row, row + out->w, 0xFF000000u);
                continue;
            }
            std::fill(row, row + placed.x, 0xFF000000u);
            std::fill(row + placed.x + placed.w, row + out->w, 0xFF000000u);
            const auto ky = static_cast<std::size_t>(fy);
            const std::uint32_t* in = lastFrame + static_cast<std::ptrdiff_t>(rows[ky]) * fw;
            std::uint32_t* to = row + placed.x;
            if (placed.w == fw && placed.h == frameHeight) {
                std::memcpy(to, in, static_cast<std::size_t>(fw) * 4);
                continue;
            }
            const unsigned wy = static_cast<unsigned>(rowWeights[ky]);
            const std::uint32_t* below = wy != 0 ? in + fw : in;
            for (int x = 0; x < placed.w; ++x) {
                const auto kx = static_cast<std::size_t>(x);
                const int c = columns[kx];
                const unsigned wx = static_cast<unsigned>(columnWeights[kx]);
                std::uint32_t top = in[c];
                std::uint32_t bottom = below[c];
                if (wx != 0) {
                    top = mixPixels(top, in[c + 1], wx);
                    bottom = mixPixels(bottom, below[c + 1], wx);
                }
                to[x] = wy != 0 ? mixPixels(top, bottom, wy) : top;
            }
        }
        if (SDL_MUSTLOCK(out)) {
            SDL_UnlockSurface(out);
        }
        SDL_UpdateWindowSurface(window);
    }

    // Shows the last frame again (the window was uncovered or resized while
    // the game could not paint).
    void representLastFrame() { showFrame(); }

    static int dropInput(void* user, SDL_Event* e) {
        const Uint32 since = *static_cast<const Uint32*>(user);
        const bool input = e->type == SDL_KEYDOWN ||
                           (e->type >= SDL_TEXTEDITING && e->type <= SDL_TEXTINPUT) ||
                           (e->type >= SDL_MOUSEMOTION && e->type <= SDL_MOUSEWHEEL) ||
                           (e->type >= SDL_FINGERDOWN && e->type <= SDL_MULTIGESTURE);
        return input && e->common.timestamp >= since ? 0 : 1;
    }

    // What discardInput does, also while a synchronous sound plays.
    void discardInput(std::uint64_t since) {
        SDL_PumpEvents();
        Uint32 from = static_cast<Uint32>(since);
        SDL_FilterEvents(&Impl::dropInput, &from);
        // Window events are taken here and answered with the last frame; the
        // game hears of them as one Exposed once it looks for input again.
        SDL_Event window[16];
        bool uncovered = false;
        while (SDL_PeepEvents(window, 16, SDL_GETEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT) > 0) {
            uncovered = true;
        }
        if (uncovered) {
            notePlace();
        }
        if (uncovered) {
            exposedWhileBusy = true;
            representLastFrame();
        }
    }

    bool takeExposed(InputEvent& event) {
        if (!exposedWhileBusy) {
            return false;
        }
        exposedWhileBusy = false;
        event = InputEvent{};
        event.type = InputEvent::Type::Exposed;
        event.time = SDL_GetTicks64();
        return true;
    }
    bool exposedWhileBusy = false;

    bool playing() {
        if (audio == 0) {
            return false;
        }
        SDL_LockAudioDevice(audio);
        const bool busy = !voice.empty();
        SDL_UnlockAudioDevice(audio);
        return busy;
    }
};

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
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        SDL_AudioSpec want{};
        want.freq = 44100;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 2048;
        want.callback = &Impl::mix;
        want.userdata = impl_.get();
        impl_->audio = SDL_OpenAudioDevice(nullptr, 0, &want, &impl_->device, 0);
        if (impl_->audio != 0) {
            SDL_PauseAudioDevice(impl_->audio, 0);
        }
    }
}

SdlPlatform::~SdlPlatform() {
    if (impl_->audio != 0) {
        SDL_CloseAudioDevice(impl_->audio);
    }
    if (impl_->waitCursor != nullptr) {
        SDL_FreeCursor(impl_->waitCursor);
    }
    if (impl_->window != nullptr) {
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
    impl_->window =
        SDL_CreateWindow(title.c_str(), x, y, w, h, SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
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

void SdlPlatform::present(const std::uint32_t* pixels, int width, int height) {
    if (impl_->window == nullptr) {
        return;
    }
    setFrameSize(width, height);
    impl_->lastFrame = pixels;
    impl_->showFrame();
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

namespace {

KeyCode keyOf(SDL_Keycode k, char& letter) {
    letter = 0;
    if (k >= SDLK_a && k <= SDLK_z) {
        letter = static_cast<char>('a' + (k - SDLK_a));
        return KeyCode::Letter;
    }
    switch (k) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return KeyCode::Enter;
        case SDLK_ESCAPE:
            return KeyCode::Escape;
        case SDLK_TAB:
            return KeyCode::Tab;
        case SDLK_LEFT:
            return KeyCode::Left;
        case SDLK_RIGHT:
            return KeyCode::Right;
        case SDLK_UP:
            return KeyCode::Up;
        case SDLK_DOWN:
            return KeyCode::Down;
        case SDLK_HOME:
            return KeyCode::Home;
        case SDLK_END:
            return KeyCode::End;
        case SDLK_LALT:
        case SDLK_RALT:
            return KeyCode::Alt;
        case SDLK_F10:
            return KeyCode::F10;
        case SDLK_F11:
            return KeyCode::F11;
        case SDLK_SPACE:
            return KeyCode::Space;
        case SDLK_BACKSPACE:
            return KeyCode::Backspace;
        default:
            return KeyCode::Other;
    }
}

// A finger's place: SDL gives it as a fraction of the window, which the
// frame's scaling then maps like the mouse.
void placeFinger(const SDL_TouchFingerEvent& f, const SdlPlatform::Impl& impl, InputEvent& out) {
    int w = 0;
    int h = 0;
    if (impl.window != nullptr) {
        SDL_GetWindowSize(impl.window, &w, &h);
    }
    out.x = static_cast<int>(f.x * static_cast<float>(w));
    out.y = static_cast<int>(f.y * static_cast<float>(h));
    impl.toFrame(out.x, out.y);
    out.x = std::clamp(out.x, 0, std::max(impl.frameWidth - 1, 0));
    out.y = std::clamp(out.y, 0, std::max(impl.frameHeight - 1, 0));
    out.finger = static_cast<std::int64_t>(f.fingerId);
}

bool translate(const SDL_Event& e, InputEvent& out, SdlPlatform::Impl& impl) {
    out = InputEvent{};
    out.time = e.common.timestamp;
    switch (e.type) {
        case SDL_QUIT:
            out.type = InputEvent::Type::Quit;
            return true;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                out.type = InputEvent::Type::Exposed;
                return true;
            }
            // In the browser, the page put away (another tab, or the tab closing).
            if (e.window.event == SDL_WINDOWEVENT_HIDDEN ||
                e.window.event == SDL_WINDOWEVENT_MINIMIZED) {
                out.type = InputEvent::Type::Hidden;
                return true;
            }
            if (e.window.event == SDL_WINDOWEVENT_MOVED ||
                e.window.event == SDL_WINDOWEVENT_RESIZED ||
                e.window.event == SDL_WINDOWEVENT_MAXIMIZED ||
                e.window.event == SDL_WINDOWEVENT_RESTORED) {
                impl.notePlace();
                out.type = InputEvent::Type::Placed;
                return true;
            }
            return false;
        case SDL_MOUSEMOTION:
            if (e.motion.which == SDL_TOUCH_MOUSEID) {
                return false;  // a finger, which comes as itself
            }
            out.type = InputEvent::Type::MouseMove;
            out.x = e.motion.x;
            out.y = e.motion.y;
            impl.toFrame(out.x, out.y);
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (e.button.which == SDL_TOUCH_MOUSEID) {
                return false;
            }
            out.type = e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Type::MouseDown
                                                     : InputEvent::Type::MouseUp;
            out.x = e.button.x;
            out.y = e.button.y;
            impl.toFrame(out.x, out.y);
            out.button = e.button.button == SDL_BUTTON_LEFT    ? InputEvent::Button::Left
                         : e.button.button == SDL_BUTTON_RIGHT ? InputEvent::Button::Right
                                                               : InputEvent::Button::Other;
            return true;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            out.type = e.type == SDL_KEYDOWN ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
            out.key = keyOf(e.key.keysym.sym, out.letter);
            out.repeat = e.key.repeat != 0;
            out.alt = (e.key.keysym.mod & KMOD_ALT) != 0;
            out.shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
            return true;
        case SDL_FINGERDOWN:
        case SDL_FINGERMOTION:
        case SDL_FINGERUP:
            if (e.tfinger.touchId == SDL_MOUSE_TOUCHID) {
                return false;  // the mouse, which comes as itself
            }
            out.type = e.type == SDL_FINGERDOWN     ? InputEvent::Type::TouchDown
                       : e.type == SDL_FINGERMOTION ? InputEvent::Type::TouchMove
                                                    : InputEvent::Type::TouchUp;
            placeFinger(e.tfinger, impl, out);
            return true;
        case SDL_TEXTINPUT:
            if (e.text.text[0] != 0 && e.text.text[1] == 0) {
                out.type = InputEvent::Type::Text;
                out.text = e.text.text[0];
                return true;
            }
            return false;
        default:
            return false;
    }
}

}  // namespace

bool SdlPlatform::pollEvent(InputEvent& event) {
    if (impl_->takeExposed(event)) {
        return true;
    }
    SDL_Event e;
    while (SDL_PollEvent(&e) != 0) {
        if (translate(e, event, *impl_)) {
            return true;
        }
    }
    return false;
}

bool SdlPlatform::waitEvent(InputEvent& event, int timeoutMs) {
    if (impl_->takeExposed(event)) {
        return true;
    }
    SDL_Event e;
    if (timeoutMs < 0) {
        // Asleep until something happens: an idle game costs no processor time.
        while (SDL_WaitEvent(&e) != 0) {
            if (translate(e, event, *impl_)) {
                return true;
            }
        }
        return false;
    }
    const Uint64 end = SDL_GetTicks64() + static_cast<Uint64>(timeoutMs);
    for (;;) {
        const Uint64 now = SDL_GetTicks64();
        const int left = now >= end ? 0 : static_cast<int>(end - now);
        if (SDL_WaitEventTimeout(&e, left) == 0) {
            return false;
        }
        if (translate(e, event, *impl_)) {
            return true;
        }
        if (left == 0) {
            return false;
        }
    }
}

void SdlPlatform::sleep(int ms) {
    SDL_Delay(static_cast<Uint32>(std::max(ms, 0)));
}

void SdlPlatform::discardInput(std::uint64_t since) {
    impl_->discardInput(since);
}

std::uint64_t SdlPlatform::ticks() {
    return SDL_GetTicks64();
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

void SdlPlatform::playWave(const std::string&, std::span<const unsigned char> wav, SoundMode mode) {
    if (impl_->audio == 0 || wav.empty()) {
        return;
    }
    SDL_AudioSpec source;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    SDL_RWops* rw = SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
    if (SDL_LoadWAV_RW(rw, 1, &source, &buffer, &length) == nullptr) {
        return;
    }
    std::vector<Uint8> converted;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, source.format, source.channels, source.freq, impl_->device.format,
                          impl_->device.channels, impl_->device.freq) >= 0) {
        cvt.len = static_cast<int>(length);
        converted.resize(static_cast<std::size_t>(cvt.len) *
                         static_cast<std::size_t>(std::max(cvt.len_mult, 1)));
        std::memcpy(converted.data(), buffer, length);
        cvt.buf = converted.data();
        // Called even when nothing needs converting: it is what sets the
        // length of the result (a sound already in the device's format would
        // otherwise come out empty, and silent).
        SDL_ConvertAudio(&cvt);
        converted.resize(static_cast<std::size_t>(cvt.len_cvt));
        // The conversion needed room for several times the result.
        converted.shrink_to_fit();
    }
    SDL_FreeWAV(buffer);

    SDL_LockAudioDevice(impl_->audio);
    impl_->voice = std::move(converted);
    impl_->position = 0;
    impl_->looping = mode == SoundMode::Loop;
    SDL_UnlockAudioDevice(impl_->audio);

    if (mode == SoundMode::Sync) {
        // The game waits for the sound: it is busy, so input in the meantime
        // is dropped, but the window goes on answering and repainting.
        const std::uint64_t started = SDL_GetTicks64();
        while (impl_->playing()) {
            impl_->discardInput(started);
            SDL_Delay(10);
        }
    }
}

void SdlPlatform::stopSound() {
    if (impl_->audio == 0) {
        return;
    }
    SDL_LockAudioDevice(impl_->audio);
    impl_->release();
    SDL_UnlockAudioDevice(impl_->audio);
}

void SdlPlatform::setVolume(int percent) {
    // Loudness is heard on a logarithmic scale: the square of the fraction
    // makes the steps sound even (75 % plays 5 dB down, 50 % 12 dB, 25 %
    // 24 dB), where the fraction itself would hardly change anything until
    // the lowest.
    const double fraction = std::clamp(percent, 0, 100) / 100.0;
    const int volume = static_cast<int>(std::lround(SDL_MIX_MAXVOLUME * fraction * fraction));
    if (impl_->audio == 0) {
        impl_->volume = volume;
        return;
    }
    SDL_LockAudioDevice(impl_->audio);
    impl_->volume = volume;
    SDL_UnlockAudioDevice(impl_->audio);
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
