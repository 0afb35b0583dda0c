// A real window at 1920 x 1080 on SDL's offscreen video: the frame the game
// draws at the window's pixels is shown as it is, and the mouse comes back in
// layout points.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/SdlPlatform.h"
#include "ui/FrameScale.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace tessarion {
namespace {

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

std::uint32_t patternAt(int x, int y) {
    return 0xFF000000u | (static_cast<std::uint32_t>(x * 7 + y * 131) & 0xFFFFFFu);
}

class WindowScaleTest : public ::testing::Test {
  protected:
    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        __lsan_disable();  // the video driver keeps a few allocations for good
#endif
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        sdl_ = std::make_unique<SdlPlatform>();
        if (!sdl_->ready() || !sdl_->openWindow("scale", 1366, 768)) {
            GTEST_SKIP() << "no window can be opened here";
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

TEST_F(WindowScaleTest, AFullHdWindowShowsTheFrameAsItIsAndMapsTheMouseToPoints) {
    SdlPlatform& sdl = *sdl_;
    {
        SDL_Window* window = theWindow();
        ASSERT_NE(window, nullptr);
        SDL_SetWindowSize(window, 1920, 1080);
        ASSERT_EQ(sdl.drawableSize(), (std::pair{1920, 1080}));

        const FrameScale fit = FrameScale::forWindow(1920, 1080);
        sdl.setFrameScale(fit.scale);
        std::vector<std::uint32_t> frame(static_cast<std::size_t>(fit.pixelWidth) *
                                         static_cast<std::size_t>(fit.pixelHeight));
        for (int y = 0; y < fit.pixelHeight; ++y) {
            for (int x = 0; x < fit.pixelWidth; ++x) {
                frame[static_cast<std::size_t>(y * fit.pixelWidth + x)] = patternAt(x, y);
            }
        }
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
}

}  // namespace
}  // namespace tessarion
