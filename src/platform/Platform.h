#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessarion {

// The keys the game reacts to; everything else arrives as Other.
enum class KeyCode {
    Other,
    Letter,  // see InputEvent::letter
    Enter,
    Escape,
    Tab,
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    Alt,
    F10,
    F11,
    Space,
    Backspace,
};

struct InputEvent {
    enum class Type {
        None,
        Quit,  // the window's close box
        MouseMove,
        MouseDown,
        MouseUp,
        KeyDown,
        KeyUp,
        Text,     // a typed character (after the keyboard layout)
        Exposed,  // the window needs painting again
        Hidden,   // the window was hidden or minimised, or the page put away
        Placed,   // the window was moved, resized, maximised or restored
        // A finger on a touch screen, in frame coordinates like the mouse's;
        // `finger` tells the fingers apart. The mouse is never made up from them.
        TouchDown,
        TouchMove,
        TouchUp,
    };
    enum class Button { Left, Right, Other };

    Type type = Type::None;
    int x = 0;  // frame coordinates, already mapped back from the window
    int y = 0;
    Button button = Button::Left;
    KeyCode key = KeyCode::Other;
    char letter = 0;  // 'a'..'z' for KeyCode::Letter
    bool repeat = false;
    bool alt = false;
    bool shift = false;
    char text = 0;
    std::int64_t finger = 0;
    // When it arrived, in platform ticks. Scripted input may leave it 0: it
    // then arrives whenever the game next looks for input.
    std::uint64_t time = 0;
};

enum class SoundMode { Async, Sync, Loop };

// Where the window stands on the desktop when it is neither full screen nor
// maximised, and whether it is maximised.
struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool positioned = false;  // x and y are known
    bool maximised = false;
    bool operator==(const WindowPlace&) const = default;
};

// The mouse pointer's look: the usual arrow, or the sign that the game is at
// work and not listening.
enum class Cursor { Arrow, Wait };

// What the game needs from the machine: a window showing finished frames,
// input, time, sound, the browser and a file name. SdlPlatform does it for
// real; HeadlessPlatform records what was asked and plays back scripted input.
class Platform {
  public:
    virtual ~Platform() = default;

    // The size of the screen the window opens on, in pixels.
    virtual std::pair<int, int> screenSize() = 0;
    // Opens the window; the frames it shows are width x height pixels.
    virtual bool openWindow(const std::string& title, int width, int height) = 0;
    virtual void setFrameSize(int width, int height) = 0;
    virtual void showWindow() = 0;
    // The window's icon (0xAARRGGBB pixels).
    virtual void setIcon(const std::uint32_t* pixels, int width, int height) {
        (void)pixels, (void)width, (void)height;
    }
    virtual void hideWindow() = 0;
    // Shows a finished frame (0xAARRGGBB pixels), centred in the window as it
    // is, or scaled down while the window is smaller than the frame. The
    // pixels stay as they are until the next frame: the platform may show them
    // again when the window is uncovered.
    virtual void present(const std::uint32_t* pixels, int width, int height) = 0;
    // The window's own pixels, lent for a frame of width x height pixels, so
    // that a frame drawn there is shown without a copy (at 4K a copy takes
    // 33 MB): rows of `width` pixels, one after another. Null where the window
    // cannot lend them (none open, another pixel format, a frame not shown as
    // it is or not as wide as the window); the frame keeps pixels of its own
    // then. A loan lasts until endFrameLoan, or until the window's pixels are
    // about to go (the window resized, closed or full screen): the platform
    // first calls `giveBack`, which must stop drawing there, keep the frame's
    // picture in pixels of its own and say where they are. Presenting the lent
    // pixels shows them without a copy.
    virtual std::uint32_t* lendFrame(int width, int height,
                                     std::function<const std::uint32_t*()> giveBack) {
        (void)width, (void)height, (void)giveBack;
        return nullptr;
    }
    virtual void endFrameLoan() {}
    virtual bool pollEvent(InputEvent& event) = 0;
    // Waits up to timeoutMs for an event; a negative timeout waits for as long
    // as it takes, using no time of the processor meanwhile.
    virtual bool waitEvent(InputEvent& event, int timeoutMs) = 0;
    virtual void setCursor(Cursor cursor) { (void)cursor; }
    virtual void sleep(int ms) = 0;
    // While the game is busy (the computer's turn, an animation, a banner):
    // drops the presses, clicks, moves, touches and typing that arrived at or after
    // `since` (ticks) and have not been taken, so that none of them acts
    // later; what came before stays. Key releases stay too, so that no key is
    // left held. Also answers the desktop, so that the window is not taken for
    // hung, and shows the last frame again if the window was uncovered.
    virtual void discardInput(std::uint64_t since) = 0;
    virtual std::uint64_t ticks() = 0;
    virtual void toggleFullscreen() = 0;
    // Whether the window fills the screen.
    virtual bool isFullscreen() { return false; }
    // Whether a window on this screen, with its title bar and beside the
    // desktop's panels, can show a frame of this size pixel for pixel.
    virtual bool windowFits(int width, int height) {
        const auto [w, h] = screenSize();
        return w >= width && h >= height + 64;
    }
    // The window's size when it is not full screen (0 x 0 while none is open).
    virtual std::pair<int, int> windowSize() { return {0, 0}; }
    // The size the window opens at, instead of as large as the screen allows.
    virtual void setWindowSize(int width, int height) { (void)width, (void)height; }
    // The window's place, where the platform knows one (0 x 0 while none is
    // open); by default its size alone.
    virtual WindowPlace windowPlace() {
        const auto [w, h] = windowSize();
        return {0, 0, w, h, false, false};
    }
    // The place the window opens at, when it still lies on a screen.
    virtual void setWindowPlace(const WindowPlace& place) {
        setWindowSize(place.width, place.height);
    }
    // The pixels the frame may fill now: the inside of the window, or the
    // screen in full screen.
    virtual std::pair<int, int> drawableSize() { return windowSize(); }
    // The frames are drawn at this many pixels a point of the layout: input
    // arrives in points, mapped back from the window's pixels.
    virtual void setFrameScale(double pixelsPerPoint) { (void)pixelsPerPoint; }
    // The window is wider than the frame's shape would need: the width a
    // frame of the given height should have to fill it.
    virtual int frameWidthFor(int height, int minimum) = 0;

    // Plays a RIFF/WAVE sound; a new sound replaces the one playing. The
    // platform keeps its own copy while the sound plays and lets go of it when
    // the sound ends or is stopped.
    virtual void playWave(const std::string& name, std::span<const unsigned char> wav,
                          SoundMode mode) = 0;
    virtual void stopSound() = 0;
    // The loudness of every sound, in percent of the recording's own (0 to
    // 100); it applies at once to the sound playing, and to every later one.
    virtual void setVolume(int percent) { (void)percent; }

    // Whether leaving now would lose some of the game: the browser page then
    // asks before it closes.
    virtual void setUnsavedChanges(bool unsaved) { (void)unsaved; }

    // Opens an address in the player's browser; false when no browser could
    // be started for it.
    virtual bool openUrl(const std::string& url) = 0;

    // The desktop's own file chooser, where it has one: nothing when there is
    // none (the game then shows its own); otherwise the chosen path, or an
    // empty text when the player cancelled.
    virtual std::optional<std::string> nativeFileChooser(bool save, const std::string& folder) {
        (void)save, (void)folder;
        return std::nullopt;
    }
};

}  // namespace tessarion
