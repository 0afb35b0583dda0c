// The real platform on SDL's offscreen video and dummy audio: one run of the desktop game
// (start, answer the welcome, drag a legion, end a turn, quit), sounds heard to their end, and
// a 1920 x 1080 window that shows the frame drawn at its pixels as it is and gives the mouse
// back in layout points.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "game/Game.h"
#include "model/Random.h"
#include "platform/SdlPlatform.h"
#include "res/ResourceStore.h"
#include "support/MapPoints.h"
#include "ui/Desktop.h"
#include "ui/FrameScale.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace tessarion {
namespace {

// The real platform, with a script of SDL events fed into SDL's own queue one
// at a time, so that they go through the same translation as a person's.
class ScriptedSdl : public SdlPlatform {
  public:
    bool openWindow(const std::string& title, int w, int h) override {
        frameWidth = w;
        frameHeight = h;
        return SdlPlatform::openWindow(title, w, h);
    }
    void setFrameScale(double pixelsPerPoint) override {
        scale = pixelsPerPoint;
        SdlPlatform::setFrameScale(pixelsPerPoint);
    }
    void present(const std::uint32_t* pixels, int w, int h) override {
        ++presented;
        frameWidth = w;
        frameHeight = h;
        SdlPlatform::present(pixels, w, h);
    }
    bool pollEvent(InputEvent& event) override {
        feed();
        return SdlPlatform::pollEvent(event);
    }
    bool waitEvent(InputEvent& event, int timeoutMs) override {
        feed();
        return SdlPlatform::waitEvent(event, timeoutMs < 0 ? 50 : std::min(timeoutMs, 50));
    }
    void sleep(int ms) override {
        // What the player does while the game sleeps arrives now.
        if (!duringSleep.empty()) {
            SDL_Event e = duringSleep.front()();
            duringSleep.pop_front();
            SDL_PushEvent(&e);
        }
        SdlPlatform::sleep(ms);
    }
    bool openUrl(const std::string&) override { return true; }

    std::deque<std::function<SDL_Event()>> script;
    std::deque<std::function<SDL_Event()>> duringSleep;
    int frameWidth = 0;  // in pixels, as last shown
    int frameHeight = 0;
    double scale = 1.0;  // pixels a point
    int presented = 0;

  private:
    // The next scripted event only once the game has taken the one before, as
    // a person's hand waits for the screen.
    void feed() {
        SDL_PumpEvents();
        if (!script.empty() && !SDL_HasEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL)) {
            SDL_Event e = script.front()();
            script.pop_front();
            SDL_PushEvent(&e);
        }
    }
};

SDL_Event keyDown(SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    e.key.state = SDL_PRESSED;
    return e;
}

// The real platform on SDL's offscreen video and silent audio.
class SdlPlatformTest : public ::testing::Test {
  protected:
    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        // The video driver's own libraries keep a few allocations for good;
        // they are not the game's to free.
        __lsan_disable();
#endif
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        sdl_ = std::make_unique<SdlPlatform>();
        if (!sdl_->ready()) {
            GTEST_SKIP() << "SDL's offscreen video is not available";
        }
    }
    void TearDown() override {
        sdl_.reset();
#if defined(__SANITIZE_ADDRESS__)
        __lsan_enable();
#endif
    }
    std::unique_ptr<SdlPlatform> sdl_;
};

TEST_F(SdlPlatformTest, AWholeTurnInARealWindow) {
    sdl_.reset();  // the one platform: this one scripted
    ScriptedSdl platform;
    auto game = std::make_unique<Game>(11);
    DesktopConfig config;
    config.saveFolder = ::testing::TempDir() + "tessarion-sdl-test";
    config.pictures = res::decodePicture;
    config.sounds = {res::soundData, res::soundLength};
    config.lessonScript = res::lessonScript;
    config.lessonCaptionTimes = res::lessonCaptionTimes;
    config.aboutMs = 10;
    config.exitWaitMs = 10;
    Desktop desktop(platform, *game, config);

    // A layout point as a window pixel: the frame is drawn at the window's
    // pixels and centred, or scaled down while the window is smaller.
    auto mouse = [&](Uint32 type, int fx, int fy, Uint8 button) {
        return [&, type, fx, fy, button] {
            int ww = 0;
            int wh = 0;
            SDL_GetWindowSize(SDL_GetMouseFocus() ? SDL_GetMouseFocus() : SDL_GetWindowFromID(1),
                              &ww, &wh);
            const double fit = std::min({1.0, static_cast<double>(ww) / platform.frameWidth,
                                         static_cast<double>(wh) / platform.frameHeight});
            const double ox = (ww - platform.frameWidth * fit) / 2;
            const double oy = (wh - platform.frameHeight * fit) / 2;
            SDL_Event e{};
            e.type = type;
            e.button.windowID = 1;
            e.button.button = button;
            e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            e.button.x = static_cast<int>(std::floor(ox) + (fx + 0.5) * platform.scale * fit);
            e.button.y = static_cast<int>(std::floor(oy) + (fy + 0.5) * platform.scale * fit);
            return e;
        };
    };
    Shell& shell = desktop.shell();
    Province* italia = game->findProvince("Italia");
    Province* raetia = game->findProvince("Raetia");
    const auto from = test::pressPointFor(shell, italia);
    const auto to = test::dropPointFor(shell, raetia);
    ASSERT_TRUE(from && to);
    const int menu = MenuBar::kHeight;
    for (SDL_Keycode k : {SDLK_RETURN, SDLK_ESCAPE, SDLK_RETURN, SDLK_RETURN, SDLK_RETURN,
                          SDLK_RETURN, SDLK_RETURN}) {
        platform.script.push_back([k] { return keyDown(k); });
    }
    platform.script.push_back(
        mouse(SDL_MOUSEBUTTONDOWN, from->first + 12, from->second + menu + 12, SDL_BUTTON_LEFT));
    platform.script.push_back(
        mouse(SDL_MOUSEBUTTONUP, to->first, to->second + menu, SDL_BUTTON_LEFT));
    int inRaetiaAfterDrag = -1;
    auto rightDown = mouse(SDL_MOUSEBUTTONDOWN, 700, 400, SDL_BUTTON_RIGHT);
    auto rightUp = mouse(SDL_MOUSEBUTTONUP, 700, 400, SDL_BUTTON_RIGHT);
    platform.script.push_back([&, rightDown, rightUp] {
        inRaetiaAfterDrag = game->romans.legionsIn(raetia);  // the drag has been handled by now
        // An impatient second right click while the computer moves: dropped,
        // not a second year.
        platform.duringSleep.push_back(rightDown);
        platform.duringSleep.push_back(rightUp);
        return rightDown();
    });
    platform.script.push_back(mouse(SDL_MOUSEBUTTONUP, 700, 400, SDL_BUTTON_RIGHT));
    for (SDL_Keycode k : {SDLK_ESCAPE, SDLK_RETURN, SDLK_RETURN, SDLK_RETURN}) {
        platform.script.push_back([k] { return keyDown(k); });
    }
    platform.script.push_back([] {
        SDL_Event e{};
        e.type = SDL_QUIT;
        return e;
    });
    // The game changed since it began: Yes, leave it.
    platform.script.push_back([] { return keyDown(SDLK_RETURN); });

    EXPECT_EQ(desktop.run(), 0);
    EXPECT_EQ(game->year(), 236) << "one turn was played";
    EXPECT_EQ(inRaetiaAfterDrag, 1) << "the dragged legion stood in Raetia before the turn ended";
    EXPECT_TRUE(platform.script.empty());
    EXPECT_GT(platform.presented, 10);
}

// A RIFF/WAVE file of a soft tone, 16-bit.
std::vector<unsigned char> toneWave(int rate, int channels, double seconds) {
    std::vector<unsigned char> out;
    auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out.push_back(static_cast<unsigned char>(v >> (8 * i)));
        }
    };
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    const std::uint32_t data = frames * static_cast<std::uint32_t>(channels) * 2;
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put(36 + data, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put(16, 4);
    put(1, 2);
    put(static_cast<std::uint32_t>(channels), 2);
    put(static_cast<std::uint32_t>(rate), 4);
    put(static_cast<std::uint32_t>(rate * channels * 2), 4);
    put(static_cast<std::uint32_t>(channels * 2), 2);
    put(16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put(data, 4);
    for (std::uint32_t i = 0; i < frames * static_cast<std::uint32_t>(channels); ++i) {
        put(static_cast<std::uint16_t>(i / channels % 40 < 20 ? 2000 : -2000), 2);
    }
    return out;
}

TEST_F(SdlPlatformTest, ASoundHeldForIsHeardToItsEndInAnyFormat) {
    SdlPlatform& sdl = *sdl_;
    // The device plays 44.1 kHz stereo: the first needs no conversion at all, which once
    // made it come out empty, and so silent and over at once.
    const int formats[][2] = {{44100, 2}, {16000, 1}, {22050, 2}};
    for (const auto& format : formats) {
        SCOPED_TRACE(format[0]);
        const std::vector<unsigned char> wav = toneWave(format[0], format[1], 0.3);
        const std::uint64_t start = sdl.ticks();
        sdl.setVolume(50);
        sdl.playWave("tone", wav, SoundMode::Sync);
        EXPECT_GE(sdl.ticks() - start, 250u);
    }
    sdl.stopSound();
}

// The platform's one window (ids grow across the tests of this program).
SDL_Window* theWindow() {
    SDL_Window* found = nullptr;
    for (Uint32 id = 1; id < 256; ++id) {
        if (SDL_Window* w = SDL_GetWindowFromID(id)) {
            found = w;
        }
    }
    return found;
}

// The platform's window opened and made w x h pixels; null where no window
// can be opened here.
SDL_Window* openWindowOf(SdlPlatform& sdl, int w, int h) {
    if (!sdl.openWindow("test", 1366, 768)) {
        return nullptr;
    }
    SDL_Window* window = theWindow();
    if (window == nullptr) {
        ADD_FAILURE() << "the window opened cannot be found";
        return nullptr;
    }
    SDL_SetWindowSize(window, w, h);
    return window;
}

std::uint32_t patternAt(int x, int y) {
    return 0xFF000000u | (static_cast<std::uint32_t>(x * 7 + y * 131) & 0xFFFFFFu);
}

// w x h pixels of a frame, each its own colour.
void fillPattern(std::uint32_t* pixels, int w, int h) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            pixels[static_cast<std::size_t>(y * w + x)] = patternAt(x, y);
        }
    }
}

TEST_F(SdlPlatformTest, AFullHdWindowShowsTheFrameAsItIsAndMapsTheMouseToPoints) {
    SdlPlatform& sdl = *sdl_;
    SDL_Window* window = openWindowOf(sdl, 1920, 1080);
    if (window == nullptr) {
        GTEST_SKIP() << "no window can be opened here";
    }
    ASSERT_EQ(sdl.drawableSize(), (std::pair{1920, 1080}));

    const FrameScale fit = FrameScale::forWindow(1920, 1080);
    sdl.setFrameScale(fit.scale);
    std::vector<std::uint32_t> frame(static_cast<std::size_t>(fit.pixelWidth) *
                                     static_cast<std::size_t>(fit.pixelHeight));
    fillPattern(frame.data(), fit.pixelWidth, fit.pixelHeight);
    sdl.present(frame.data(), fit.pixelWidth, fit.pixelHeight);

    SDL_Surface* shown = SDL_GetWindowSurface(window);
    ASSERT_NE(shown, nullptr);
    const int ox = (1920 - fit.pixelWidth) / 2;
    const int oy = (1080 - fit.pixelHeight) / 2;
    const std::vector<std::pair<int, int>> samples{
        {0, 0}, {1, 1}, {fit.pixelWidth - 1, fit.pixelHeight - 1}, {977, 513}};
    for (auto [x, y] : samples) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const Uint8*>(shown->pixels) + (oy + y) * shown->pitch);
        EXPECT_EQ(row[ox + x] & 0xFFFFFFu, patternAt(x, y) & 0xFFFFFFu) << x << "," << y;
    }

    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.windowID = SDL_GetWindowID(window);
    move.motion.x = ox + fit.toPixels(700);
    move.motion.y = oy + fit.toPixels(300);
    SDL_PushEvent(&move);
    InputEvent e;
    bool moved = false;
    while (!moved && sdl.pollEvent(e)) {
        moved = e.type == InputEvent::Type::MouseMove;
    }
    ASSERT_TRUE(moved);
    EXPECT_EQ(e.x, 700);
    EXPECT_EQ(e.y, 300);
}

// The frame drawn straight in the window's pixels is shown without a copy; a
// resize lets SDL free them, so the platform gives them back first, and the
// picture is kept and shown in the resized window.
TEST_F(SdlPlatformTest, TheWindowLendsItsPixelsAndTakesThemBackBeforeAResizeFreesThem) {
    SdlPlatform& sdl = *sdl_;
    SDL_Window* window = openWindowOf(sdl, 1366, 770);
    if (window == nullptr) {
        GTEST_SKIP() << "no window can be opened here";
    }
    const int w = 1366;
    const int h = 768;
    const auto size = static_cast<std::size_t>(w * h);
    std::vector<std::uint32_t> kept;
    int givenBack = 0;
    std::uint32_t* lent = nullptr;
    lent = sdl.lendFrame(w, h, [&] {
        ++givenBack;
        kept.assign(lent, lent + size);
        return kept.data();
    });
    ASSERT_NE(lent, nullptr);
    fillPattern(lent, w, h);
    sdl.present(lent, w, h);
    EXPECT_EQ(sdl.drawableSize(), (std::pair{1366, 770}));
    SDL_Surface* shown = SDL_GetWindowSurface(window);
    ASSERT_NE(shown, nullptr);
    const auto shownAt = [&](int x, int y) {
        return reinterpret_cast<const std::uint32_t*>(static_cast<const Uint8*>(shown->pixels) +
                                                      y * shown->pitch)[x] &
               0xFFFFFFu;
    };
    // Centred: a black row above and below.
    EXPECT_EQ(static_cast<const void*>(lent),
              static_cast<const Uint8*>(shown->pixels) + shown->pitch);
    EXPECT_EQ(shownAt(5, 0), 0u);
    EXPECT_EQ(shownAt(5, 769), 0u);
    EXPECT_EQ(givenBack, 0);

    SDL_SetWindowSize(window, w, h + 100);
    SDL_PumpEvents();
    sdl.present(lent, w, h);
    ASSERT_EQ(givenBack, 1);
    EXPECT_EQ(kept[size - 1], patternAt(w - 1, h - 1));
    shown = SDL_GetWindowSurface(window);
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(shown->h, h + 100);
    EXPECT_EQ(shownAt(977, 50 + 513), patternAt(977, 513) & 0xFFFFFFu);
    // A frame the window cannot show as it is gets no loan.
    EXPECT_EQ(sdl.lendFrame(w + 2, h, [] { return nullptr; }), nullptr);
}

}  // namespace
}  // namespace tessarion
