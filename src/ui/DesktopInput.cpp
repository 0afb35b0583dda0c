#include "ui/Desktop.h"

#include "game/Game.h"
#include "ui/EndTurnButton.h"
#include "ui/YearSummary.h"

namespace tessarion {

// The desktop's input: the mouse, the keys and typing, to the menu bar, the
// year's line, the end-turn button and the shell.

namespace {

// The menu bar stands where the desktop's own would, outside the client
// area: nothing on its strip reaches the map.
bool onMenuBar(const InputEvent& e) {
    return layout::clientYOfFrame(e.y) < 0;
}

}  // namespace

Shell::Key Desktop::shellKey(const InputEvent& e) {
    if (e.key != KeyCode::Letter) {
        return Shell::Key::Other;
    }
    return e.letter == 'p'   ? Shell::Key::P
           : e.letter == 'f' ? Shell::Key::F
           : e.letter == 'j' ? Shell::Key::J
                             : Shell::Key::Other;
}

void Desktop::dispatch(const InputEvent& e) {
    switch (e.type) {
        case InputEvent::Type::MouseMove:
            if (menu_.active()) {
                menu_.mouseMove(e.x, e.y);
                runner_.presentFrame();
            } else if (!onMenuBar(e)) {
                shell_.mouseMove(e.x, layout::clientYOfFrame(e.y));
            }
            break;
        case InputEvent::Type::MouseDown:
            mouseDown(e);
            break;
        case InputEvent::Type::MouseUp:
            mouseUp(e);
            break;
        case InputEvent::Type::KeyDown:
            keyDown(e);
            break;
        case InputEvent::Type::KeyUp:
            keyUp(e);
            break;
        case InputEvent::Type::Text:
            if (!menu_.active()) {
                shell_.character(e.text);
            }
            break;
        default:
            break;
    }
}

void Desktop::mouseDown(const InputEvent& e) {
    if (e.button == InputEvent::Button::Left) {
        // Whatever this press starts, the last drag is over.
        shell_.dragSource = nullptr;
    }
    leftHeld_ = false;
    bool consumed = false;
    const bool menusWereActive = menu_.active();
    menu_.mouseDown(e.x, e.y, consumed);
    if (consumed || onMenuBar(e)) {
        runner_.presentFrame();
        return;
    }
    if (menusWereActive) {
        runner_.presentFrame();  // the bar let go of the keyboard
    }
    if (e.button == InputEvent::Button::Left) {
        shell_.hideMapCursor();
        const int y = layout::clientYOfFrame(e.y);
        summaryPressed_ = YearSummary::contains(game_, e.x, y, screen_->layoutOffsetX);
        if (summaryPressed_) {
            return;  // the summary line opens the year's report when let go
        }
        if (!shell_.endTurnButtonDown(e.x, y)) {
            shell_.leftButtonDown(e.x, y);
            leftHeld_ = true;
        }
    }
}

void Desktop::mouseUp(const InputEvent& e) {
    // The route of the drag goes with the button.
    leftHeld_ = false;
    bool consumed = false;
    const std::optional<int> id = menu_.mouseUp(e.x, e.y, consumed);
    if (consumed) {
        runner_.presentFrame();
        if (id) {
            command(*id);
        }
    } else if (e.button == InputEvent::Button::Left && summaryPressed_) {
        summaryPressed_ = false;
        if (YearSummary::contains(game_, e.x, layout::clientYOfFrame(e.y),
                                  screen_->layoutOffsetX)) {
            command(cmd::kYearReport);
        }
    } else if (e.button == InputEvent::Button::Left) {
        // The end-turn button lets go of a press wherever it ends, the menu
        // bar's strip included, so that it is never left drawn pressed.
        const int y = layout::clientYOfFrame(e.y);
        if (!shell_.endTurnButtonUp(e.x, y) && !onMenuBar(e)) {
            shell_.leftButtonUp(e.x, y);
        }
    } else if (onMenuBar(e)) {
        return;
    } else if (e.button == InputEvent::Button::Right) {
        shell_.rightButtonUp();
    }
}

void Desktop::keyDown(const InputEvent& e) {
    bool consumed = false;
    const std::optional<int> id = menu_.keyDown(e, consumed);
    if (!consumed) {
        shell_.keyDown(shellKey(e));
        mapKey(e);
        return;
    }
    runner_.presentFrame();
    if (id) {
        command(*id);
    }
}

void Desktop::mapKey(const InputEvent& e) {
    switch (e.key) {
        case KeyCode::Left:
            shell_.moveHighlight(Heading::Left);
            break;
        case KeyCode::Right:
            shell_.moveHighlight(Heading::Right);
            break;
        case KeyCode::Up:
            shell_.moveHighlight(Heading::Up);
            break;
        case KeyCode::Down:
            shell_.moveHighlight(Heading::Down);
            break;
        case KeyCode::Enter:
        case KeyCode::Space:
            // Held down, it would pick up and drop again and again.
            if (!e.repeat) {
                shell_.pickOrDrop();
            }
            break;
        case KeyCode::Escape:
            shell_.cancelPick();
            break;
        case KeyCode::Letter:
            // Held down it would end one turn after another.
            if (e.letter == EndTurnButton::kKey && !e.alt && !e.repeat) {
                shell_.endTurn();
            }
            break;
        default:
            break;
    }
}

void Desktop::keyUp(const InputEvent& e) {
    bool consumed = false;
    menu_.keyUp(e, consumed);
    if (consumed) {
        runner_.presentFrame();
    }
    if (e.key == KeyCode::Letter) {
        shell_.keyUp(shellKey(e));
    }
}

}  // namespace tessarion
