#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "ui/Surface.h"

namespace tessarion {

class Graphic;

// A modal box drawn by the game over its window. Coordinates are those of the
// client area (below the menu bar). While a box is open no input reaches the
// game; the box ends by setting `done`.
class ModalBox {
  public:
    virtual ~ModalBox() = default;

    virtual void draw(Surface& target) const = 0;
    virtual void mouseDown(int x, int y, InputEvent::Button button) {
        (void)x, (void)y, (void)button;
    }
    virtual void mouseUp(int x, int y, InputEvent::Button button) {
        (void)x, (void)y, (void)button;
    }
    virtual void mouseMove(int x, int y) { (void)x, (void)y; }
    virtual void keyDown(const InputEvent& key) { (void)key; }
    // A typed character.
    virtual void text(char c) { (void)c; }
    // The time (platform ticks) at which the box wants tick(); none by default.
    virtual std::optional<std::uint64_t> deadline() const { return std::nullopt; }
    virtual void tick(std::uint64_t now) { (void)now; }
    // The window is being closed while the box is open: end it the gentle way.
    virtual void abandon() { done = true; }

    bool done = false;
    int endCode = 0;

    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Dialog units of the boxes' templates become pixels by the font, as on a
// desktop whose dialogs scale with their font.
int dluX(int units);
int dluY(int units);

// The frame every captioned box shares: border, caption bar, close box.
struct BoxChrome {
    static constexpr int kBorder = 2;
    static constexpr int kCaption = 24;
    // Draws the frame and caption; the client area is filled with `fill`.
    static void draw(Surface& target, int left, int top, int width, int height,
                     const std::string& title, bool closeBox, std::uint32_t fill);
    static bool onCloseBox(int left, int top, int width, int x, int y);
};

// A push button of a box.
struct BoxButton {
    int id = 0;
    std::string label;
    int x = 0;  // relative to the client area
    int y = 0;
    int w = 0;
    int h = 0;
    bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// The Praetorian Prefect's two boxes: a message with OK (108) and a question
// with Yes and No (107). The text does not wrap; it scrolls sideways, and
// with the keys once the player tabs into it.
class AdvisorBox : public ModalBox {
  public:
    enum class Kind { Message, Question };
    static constexpr const char* kTitle = "Message from the Praetorian Prefect";

    AdvisorBox(Kind kind, std::string text, int screenWidth, int screenHeight,
               const Graphic* portrait);

    void draw(Surface& target) const override;
    void mouseDown(int x, int y, InputEvent::Button button) override;
    void mouseUp(int x, int y, InputEvent::Button button) override;
    void keyDown(const InputEvent& key) override;
    void abandon() override;

    // Control ids as the templates number them.
    static constexpr int kOk = 2;
    static constexpr int kYes = 3;
    static constexpr int kNo = 4;

    Kind kind() const { return kind_; }
    const std::vector<std::string>& lines() const { return lines_; }
    int focus() const { return focus_; }  // a button id, or 0 for the text
    int scrollX() const { return scrollX_; }
    int scrollLine() const { return scrollLine_; }
    const BoxButton* button(int id) const;
    // Every line shows whole, without scrolling.
    bool textFits() const { return widestLine() + 8 <= textW_; }
    // Client area origin and the text rectangle, relative to the client.
    int clientLeft() const { return left + BoxChrome::kBorder; }
    int clientTop() const { return top + BoxChrome::kBorder + BoxChrome::kCaption; }

  private:
    void command(int id);
    // To the next tab stop, or back to the one before.
    void tab(bool back);
    // The arrows, Home and End move the text while it has the focus.
    void scrollText(KeyCode key);
    int visibleLines() const;
    int widestLine() const;

    Kind kind_;
    std::vector<std::string> lines_;
    const Graphic* portrait_;
    std::vector<BoxButton> buttons_;
    int portraitX_ = 0;
    int portraitY_ = 0;
    int textX_ = 0;
    int textY_ = 0;
    int textW_ = 0;
    int textH_ = 0;
    int focus_ = 0;
    int pressed_ = 0;
    int scrollX_ = 0;
    int scrollLine_ = 0;
};

// The platform's plain message box: a caption, a text and OK, or for a
// question Yes and No (endCode kYes or kNo; Escape and the close box say No).
class AlertBox : public ModalBox {
  public:
    AlertBox(std::string caption, std::string text, int screenWidth, int screenHeight,
             bool question = false);
    void draw(Surface& target) const override;
    void mouseUp(int x, int y, InputEvent::Button button) override;
    void keyDown(const InputEvent& key) override;

    static constexpr int kYes = 6;
    static constexpr int kNo = 7;
    const std::vector<std::string>& lines() const { return lines_; }
    const BoxButton& button(int i) const { return buttons_[static_cast<std::size_t>(i)]; }
    int clientLeft() const { return left + BoxChrome::kBorder; }
    int clientTop() const { return top + BoxChrome::kBorder + BoxChrome::kCaption; }

  private:
    std::string caption_;
    std::vector<std::string> lines_;
    std::vector<BoxButton> buttons_;
};

// A box that shows one picture: the splash (no caption), About and Results.
// It closes on Enter, Escape, the close box or a click, and by itself when
// given a lifetime.
class PictureFrameBox : public ModalBox {
  public:
    PictureFrameBox(const Graphic* picture, std::string caption, int clientWidth, int clientHeight,
                    int screenWidth, int screenHeight);
    void draw(Surface& target) const override;
    void mouseUp(int x, int y, InputEvent::Button button) override;
    void keyDown(const InputEvent& key) override;
    std::optional<std::uint64_t> deadline() const override { return closeAt; }
    void tick(std::uint64_t now) override;

    std::optional<std::uint64_t> closeAt;
    // Extra drawing on the client area (the numbers of the Results box).
    std::function<void(Surface& target, int clientX, int clientY)> decorate;
    int pictureX = 0;  // picture position in the client area
    int pictureY = 0;

    int clientLeft() const;
    int clientTop() const;

  private:
    const Graphic* picture_;
    std::string caption_;
    int clientWidth_;
    int clientHeight_;
};

// The lesson box (105): a 600 x 400 picture, the narration's play and stop
// button, and the lesson's words as captions while it is told.
class LessonBox : public ModalBox {
  public:
    LessonBox(const Graphic* picture, int pictureId, std::string script, int screenWidth,
              int screenHeight, const Graphic* playButton, const Graphic* stopButton);

    void draw(Surface& target) const override;
    void mouseDown(int x, int y, InputEvent::Button button) override;
    void mouseUp(int x, int y, InputEvent::Button button) override;
    void keyDown(const InputEvent& key) override;
    std::optional<std::uint64_t> deadline() const override;
    void tick(std::uint64_t now) override;

    // Asked to start (true) or stop (false) the narration; given the time now.
    std::function<void(bool start)> onNarration;
    // How long the narration runs, to pace the captions (ms; 0 when unknown).
    std::uint64_t narrationLength = 0;
    // When each caption line is spoken (ms from the start); used when it has one time per
    // line, else the lines are paced by their length.
    std::vector<std::uint64_t> captionTimes;
    bool narrationPlaying = false;
    int pictureId;

    int clientLeft() const { return left + BoxChrome::kBorder; }
    int clientTop() const { return top + BoxChrome::kBorder + BoxChrome::kCaption; }
    // The caption lines shown at the moment.
    std::vector<std::string> currentCaption() const;

  private:
    const Graphic* picture_;
    const Graphic* play_;
    const Graphic* stop_;
    std::vector<std::string> script_;
    std::uint64_t now_ = 0;
    std::uint64_t startedAt_ = 0;
    bool pressedButton_ = false;
};

// A saved game in the player's folder, as the file boxes list it.
struct SavedGameEntry {
    std::string name;     // the file's name, without folder
    std::string details;  // the game's year and the date it was saved, or what is wrong
    bool damaged = false;
};

// Choosing a saved game: the saved games of the player's folder to pick from
// (in the order given; the load box starts on the first), and for saving a
// name to type.
class FileBox : public ModalBox {
  public:
    FileBox(bool saving, std::vector<SavedGameEntry> existing, int screenWidth, int screenHeight);

    void draw(Surface& target) const override;
    void mouseDown(int x, int y, InputEvent::Button button) override;
    void mouseUp(int x, int y, InputEvent::Button button) override;
    void keyDown(const InputEvent& key) override;
    void text(char c) override;

    // The chosen name (without folder), once done with endCode 1.
    std::string name;
    int selected() const { return selected_; }
    const std::vector<SavedGameEntry>& files() const { return files_; }

  private:
    int clientLeft() const { return left + BoxChrome::kBorder; }
    int clientTop() const { return top + BoxChrome::kBorder + BoxChrome::kCaption; }
    void choose();
    int rowAt(int x, int y) const;

    bool saving_;
    std::vector<SavedGameEntry> files_;
    int selected_ = -1;
    int firstRow_ = 0;
    BoxButton ok_;
    BoxButton cancel_;
    int pressed_ = 0;
};

// Darkens a rectangle of the surface so that light text reads on it.
void darken(Surface& s, int left, int top, int right, int bottom);

// Splits a text at its line breaks (CR LF, or a lone LF or CR).
std::vector<std::string> splitLines(const std::string& text);

}  // namespace tessarion
