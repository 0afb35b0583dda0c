#pragma once

// What the SDL platform's parts share: the window, the frame it shows, the
// input's bookkeeping and the audio device. Private to src/platform.

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/SdlPlatform.h"

namespace tessarion {

struct SdlPlatform::Impl {
    bool videoReady = false;
    SDL_Window* window = nullptr;
    int frameWidth = 0;  // in pixels
    int frameHeight = 0;
    double pixelsPerPoint = 1.0;
    // The frame last shown (the game keeps it until the next), to show again
    // when the window is uncovered or resized while the game is busy.
    const std::uint32_t* lastFrame = nullptr;
    // Where the frame lands in the window: as it is and centred, or scaled
    // down to fit, kept in shape.
    SDL_Rect placed{0, 0, 0, 0};
    // Device pixels to a unit of the window's size, in which SDL gives the
    // mouse and fingers: 1 but in a browser on a high-density screen.
    double pixelsPerUnit = 1.0;
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
    // The window was uncovered while the game was busy: the game hears of it
    // as one Exposed once it looks for input again.
    bool exposedWhileBusy = false;

    SDL_AudioDeviceID audio = 0;
    SDL_AudioSpec device{};  // the format the device plays
    // The one voice: samples in the device's format, guarded by the device lock.
    std::vector<Uint8> voice;
    std::size_t position = 0;
    bool looping = false;
    int volume = SDL_MIX_MAXVOLUME;  // SDL's scale, 0 to 128

    // Window (SdlPlatform.cpp)
    void notePlace();

    // Video (SdlVideo.cpp)
    void place(int w, int h);
    void toFrame(int& x, int& y) const;
    void showFrame();
    void showConverted(SDL_Surface* out);
    // The browser's canvas, which has the device's pixels where SDL's window
    // surface has only CSS pixels: the frame is put there directly.
    void showInCanvas();
    std::vector<std::uint32_t> canvasPixels;
    void fillRow(std::uint32_t* to, int fy) const;
    // The window's pixels lent as the frame (SdlPlatform::lendFrame), the
    // surface they belong to, and who to tell before they go. SDL lets go of
    // a window's surface only when asked for it again after a resize, so
    // every such question goes through windowSurface, which takes the loan
    // back first.
    std::uint32_t* lent = nullptr;
    SDL_Surface* lentFrom = nullptr;
    std::function<const std::uint32_t*()> giveBack;
    SDL_Surface* windowSurface();
    void takeBackFrame();
    void endLoan();
    // Shows the last frame again (the window was uncovered or resized while
    // the game could not paint).
    void representLastFrame() { showFrame(); }

    // Input (SdlInput.cpp)
    void discardInput(std::uint64_t since);
    bool takeExposed(InputEvent& event);

    // Audio (SdlAudio.cpp)
    void openAudio();
    void closeAudio();
    void release();
    bool playing();
    std::vector<Uint8> convert(const SDL_AudioSpec& source, const Uint8* samples,
                               Uint32 length) const;
    static void mix(void* user, Uint8* stream, int length);
};

}  // namespace tessarion
