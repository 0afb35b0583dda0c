// Events to the game's input: keys, the mouse and fingers mapped to the frame,
// and the window's own news.

#include <algorithm>

#include "platform/SdlPlatformImpl.h"

namespace tessarion {

namespace {

int dropInput(void* user, SDL_Event* e) {
    const Uint32 since = *static_cast<const Uint32*>(user);
    const bool input = e->type == SDL_KEYDOWN ||
                       (e->type >= SDL_TEXTEDITING && e->type <= SDL_TEXTINPUT) ||
                       (e->type >= SDL_MOUSEMOTION && e->type <= SDL_MOUSEWHEEL) ||
                       (e->type >= SDL_FINGERDOWN && e->type <= SDL_MULTIGESTURE);
    return input && e->common.timestamp >= since ? 0 : 1;
}

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
    const auto points = [&](int pixels) { return static_cast<int>(pixels / impl.pixelsPerPoint); };
    out.x = std::clamp(out.x, 0, std::max(points(impl.frameWidth) - 1, 0));
    out.y = std::clamp(out.y, 0, std::max(points(impl.frameHeight) - 1, 0));
    out.finger = static_cast<std::int64_t>(f.fingerId);
}

// The window's news: uncovered, put away, or moved and resized.
bool translateWindow(const SDL_WindowEvent& w, InputEvent& out, SdlPlatform::Impl& impl) {
    if (w.event == SDL_WINDOWEVENT_EXPOSED || w.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        out.type = InputEvent::Type::Exposed;
        return true;
    }
    // In the browser, the page put away (another tab, or the tab closing).
    if (w.event == SDL_WINDOWEVENT_HIDDEN || w.event == SDL_WINDOWEVENT_MINIMIZED) {
        out.type = InputEvent::Type::Hidden;
        return true;
    }
    if (w.event == SDL_WINDOWEVENT_MOVED || w.event == SDL_WINDOWEVENT_RESIZED ||
        w.event == SDL_WINDOWEVENT_MAXIMIZED || w.event == SDL_WINDOWEVENT_RESTORED) {
        impl.notePlace();
        out.type = InputEvent::Type::Placed;
        return true;
    }
    return false;
}

// A mouse button, pressed or let go, at its place in the frame.
bool translateButton(const SDL_MouseButtonEvent& b, InputEvent& out,
                     const SdlPlatform::Impl& impl) {
    if (b.which == SDL_TOUCH_MOUSEID) {
        return false;  // a finger, which comes as itself
    }
    out.type =
        b.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Type::MouseDown : InputEvent::Type::MouseUp;
    out.x = b.x;
    out.y = b.y;
    impl.toFrame(out.x, out.y);
    out.button = b.button == SDL_BUTTON_LEFT    ? InputEvent::Button::Left
                 : b.button == SDL_BUTTON_RIGHT ? InputEvent::Button::Right
                                                : InputEvent::Button::Other;
    return true;
}

bool translate(const SDL_Event& e, InputEvent& out, SdlPlatform::Impl& impl) {
    out = InputEvent{};
    out.time = e.common.timestamp;
    switch (e.type) {
        case SDL_QUIT:
            out.type = InputEvent::Type::Quit;
            return true;
        case SDL_WINDOWEVENT:
            return translateWindow(e.window, out, impl);
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
            return translateButton(e.button, out, impl);
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

// What discardInput does, also while a synchronous sound plays.
void SdlPlatform::Impl::discardInput(std::uint64_t since) {
    SDL_PumpEvents();
    Uint32 from = static_cast<Uint32>(since);
    SDL_FilterEvents(&dropInput, &from);
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

bool SdlPlatform::Impl::takeExposed(InputEvent& event) {
    if (!exposedWhileBusy) {
        return false;
    }
    exposedWhileBusy = false;
    event = InputEvent{};
    event.type = InputEvent::Type::Exposed;
    event.time = SDL_GetTicks64();
    return true;
}

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

}  // namespace tessarion
