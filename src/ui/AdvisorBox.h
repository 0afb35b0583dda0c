#pragma once

#include <string>
#include <vector>

#include "model/Wording.h"
#include "ui/BoxChrome.h"
#include "ui/ModalBox.h"

namespace tessarion {

class Graphic;

// The Praetorian Prefect's two boxes: a message with OK (108) and a question
// with Yes and No (107). The text does not wrap; it scrolls sideways, and
// with the keys once the player tabs into it.
class AdvisorBox : public ModalBox {
  public:
    enum class Kind { Message, Question };
    static constexpr const char* kTitle = N_("Message from the Praetorian Prefect");

    // `scale` is the window's: a line wider than the text field at it is
    // broken at its spaces (a language's longer sentence, the least legible
    // size on a small screen), so only a word wider than the field scrolls.
    AdvisorBox(Kind kind, std::string text, int screenWidth, int screenHeight,
               const Graphic* portrait, double scale = 1.0);

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
    double scale_;
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

}  // namespace tessarion
