#include "ui/ModalRunner.h"

#include <algorithm>
#include <cmath>

#include "ui/Layout.h"
#include "ui/MenuBar.h"
#include "ui/Screen.h"

namespace tessarion {

ModalRunner::ModalRunner(Platform& platform, Screen& screen, MenuBar& menu)
    : platform_(platform), screen_(screen), menu_(menu) {}

Surface& ModalRunner::frame() {
    return screen_.frame;
}

const Surface& ModalRunner::frame() const {
    return screen_.frame;
}

void ModalRunner::keepUnder() {
    std::vector<Area> covered;
    if (const std::optional<MenuBar::Box> menu = menu_.openArea()) {
        covered.push_back({menu->left, menu->top, menu->right, menu->bottom});
    }
    if (box_ != nullptr) {
        // The box's soft shadow falls 4 points right and down.
        covered.push_back(
            {box_->left, box_->top, box_->left + box_->width + 4, box_->top + box_->height + 4});
    }
    under_.keep(screen_.frame, covered);
}

bool ModalRunner::putBack(const std::optional<std::vector<Area>>& drawn) {
    Surface& f = screen_.frame;
    const int barRows = f.pixelHeight() - screen_.window.pixelHeight();
    const std::vector<Area>& kept = under_.areas();
    bool within = drawn.has_value();
    for (const Area& d : drawn.value_or(std::vector<Area>{})) {
        within = within && (d.bottom <= barRows ||
                            std::any_of(kept.begin(), kept.end(), [&](const Area& k) {
                                return d.left >= k.left && d.top >= k.top && d.right <= k.right &&
                                       d.bottom <= k.bottom;
                            }));
    }
    under_.putBack(f);
    return within;
}

void ModalRunner::presentFrame() {
    Surface& f = screen_.frame;
    keepUnder();
    f.keepDamageLog(true);
    menu_.draw(f);
    if (box_ != nullptr) {
        box_->draw(f);
    }
    const std::optional<std::vector<Area>> drawn = f.takeDamage();
    f.keepDamageLog(false);
    platform_.present(f.pixels().data(), f.pixelWidth(), f.pixelHeight());
    if (!putBack(drawn) && mapPainted) {
        // Drawn where nothing was kept: the window is made again from the game.
        screen_.repaintAll();
    }
}

ModalRunner::BusyTime::BusyTime(ModalRunner& runner) : runner_(runner) {
    if (runner_.busy_++ == 0) {
        runner_.busySince_ = runner_.platform_.ticks();
        runner_.waited_ = false;
    }
}

ModalRunner::BusyTime::~BusyTime() {
    if (--runner_.busy_ == 0 && runner_.waited_) {
        runner_.discardInput();
    }
}

void ModalRunner::discardInput() {
    platform_.discardInput(busySince_);
    // A finger's lifting may have been dropped: what it began is void.
    touch_.reset();
}

std::vector<InputEvent> ModalRunner::fromTouch(const InputEvent& touch) {
    return touch_.translate(touch, box_ == nullptr && !menu_.active());
}

void ModalRunner::beginWait() {
    if (waiting_++ == 0 && box_ == nullptr) {
        platform_.setCursor(Cursor::Wait);
    }
}

void ModalRunner::endWait() {
    if (--waiting_ == 0) {
        platform_.setCursor(Cursor::Arrow);
    }
}

void ModalRunner::pause(int ms) {
    if (busy_ == 0) {
        platform_.sleep(ms);
        return;
    }
    waited_ = true;
    // In short steps, so that the window goes on answering and repainting.
    while (ms > 0) {
        const int step = std::min(ms, 20);
        platform_.sleep(step);
        ms -= step;
        discardInput();
    }
}

void ModalRunner::run(ModalBox& box) {
    // The outer box is open again once this one ends, however it ends: an
    // error inside must not leave the frame drawing a box that is gone.
    struct Open {
        ModalRunner& runner;
        ModalBox* outer;
        ~Open() {
            runner.box_ = outer;
            if (outer == nullptr && runner.waiting_ > 0) {
                runner.platform_.setCursor(Cursor::Wait);
            }
        }
    } open{*this, box_};
    box_ = &box;
    platform_.setCursor(Cursor::Arrow);
    box.top = layout::frameYOfClient(box.top);
    menu_.close();
    if (busy_ > 0) {
        // What the player did before the box opened is not an answer to it.
        waited_ = true;
        discardInput();
    }
    if (onBoxOpened) {
        onBoxOpened(box);
    }
    if (closing_) {
        box.abandon();
    }
    presentFrame();
    InputEvent e;
    while (!box.done) {
        const std::uint64_t now = platform_.ticks();
        box.tick(now);
        if (box.done) {
            break;
        }
        if (platform_.waitEvent(e, waitFor(box, now))) {
            deliver(box, e);
        }
        box.tick(platform_.ticks());
        presentFrame();
    }
    box_ = open.outer;
    if (mapPainted && !closing_) {
        // What lay under the box is painted again from the game as it is now:
        // the box may have been open while the map changed.
        screen_.paintScreen(screen_.window);
    }
    presentFrame();
}

int ModalRunner::waitFor(const ModalBox& box, std::uint64_t now) const {
    // Nothing is drawn again until something happens: the player's input, or
    // the box's own next moment (a caption, closing by itself).
    const std::optional<std::uint64_t> deadline = box.deadline();
    if (!deadline) {
        return -1;
    }
    return static_cast<int>(
        std::min<std::uint64_t>(*deadline - std::min(*deadline, now), 60 * 60 * 1000));
}

void ModalRunner::deliver(ModalBox& box, const InputEvent& e) {
    if (windowEvent && windowEvent(e)) {
        return;
    }
    if (isTouch(e)) {
        for (const InputEvent& m : fromTouch(e)) {
            deliver(box, m);
        }
        return;
    }
    switch (e.type) {
        case InputEvent::Type::Quit:
            // The window is closing: end the box gently and the game after it.
            closing_ = true;
            box.abandon();
            break;
        case InputEvent::Type::MouseDown:
            box.mouseDown(e.x, e.y, e.button);
            break;
        case InputEvent::Type::MouseUp:
            box.mouseUp(e.x, e.y, e.button);
            break;
        case InputEvent::Type::MouseMove:
            box.mouseMove(e.x, e.y);
            break;
        case InputEvent::Type::KeyDown:
            box.keyDown(e);
            break;
        case InputEvent::Type::KeyUp:
            if (keyReleased) {
                keyReleased(e);
            }
            break;
        case InputEvent::Type::Text:
            box.text(e.text);
            break;
        default:
            break;
    }
}

}  // namespace tessarion
