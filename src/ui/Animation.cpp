#include "ui/Animation.h"
#include "ui/Layout.h"

#include <optional>
#include <span>

#include "game/Game.h"
#include "ui/Screen.h"

namespace tessarion {

namespace {

// A set of the frames pictures.txt lists for it, in order.
void frames(SpriteAnimation& set, std::span<const PictureEntry> pictures, int delay,
            const PictureSource& source) {
    set.frames.clear();
    for (const PictureEntry& picture : pictures) {
        auto frame = std::make_unique<Sprite>(picture);
        frame->loadFor(source);
        set.frames.push_back(std::move(frame));
    }
    set.frameDelay = delay;
}

}  // namespace

Animator::Animator(Screen& screen, Hooks hooks) : screen_(screen), hooks_(std::move(hooks)) {}

void Animator::load(const PictureSource& source) {
    frames(romanMarch, pic::romanMarch, 50, source);
    frames(barbarianMarch, pic::barbarianMarch, 100, source);
    frames(persianMarch, pic::persianMarch, 75, source);
    frames(romanFall, pic::romanFall, 150, source);
    frames(rebelFall, pic::rebelFall, 100, source);
    frames(persianFall, pic::persianFall, 100, source);
    frames(barbarianFall, pic::barbarianFall, 100, source);
    crossedSwords.loadFor(source);
}

void Animator::playAnimation(SpriteAnimation& set, Surface& target, int x, int y, bool mirrored,
                             const Surface* ground) {
    if (set.frames.empty()) {
        return;
    }
    // Centre a wide figure on the narrow column where the icon stands.
    const int w = set.frames.front()->width;
    const int h = set.frames.front()->height;
    if (w > 30) {
        x -= (w - 30) / 2;
    }
    SavedPixels under;
    if (ground == nullptr) {
        const Area place{x, y, x + w, y + h};
        under.keep(target, {&place, 1});
    }
    set.currentFrame = 0;
    for (auto& frame : set.frames) {
        if (ground != nullptr) {
            target.blit(*ground, x, y, w, h, x, y);
        } else {
            under.putBack(target);
        }
        frame->drawTransparent(target, x, y, mirrored);
        if (hooks_.present) {
            hooks_.present();
        }
        if (hooks_.sleep) {
            hooks_.sleep(set.frameDelay);
        }
        ++set.currentFrame;
    }
}

void Animator::march(SpriteAnimation& set, Province* origin, Province* destination, int iconWidth,
                     int iconHeight, bool mirrored) {
    (void)destination;
    const int ox = legionX(*origin);
    const int oy = legionY(*origin);
    const int x = layout::windowXOfMap(ox, screen_.layoutOffsetX);
    const int y = layout::windowYOfMap(oy);
    // Take the mover's icon off the window; its count stays.
    screen_.window.blit(screen_.ground(), x, y, iconWidth, iconHeight, x, y);
    playAnimation(set, screen_.window, x, y, mirrored);
}

void Animator::animateMove(Province* origin, Province* destination) {
    const std::pair<std::string, std::string> move{origin->name, destination->name};
    if (shownMoves.count(move) != 0) {
        return;
    }
    Game& game = screen_.game();
    Empire* owner = game.getOwner(origin);
    if (owner == nullptr || !owner->isRomans()) {
        shownMoves.insert(move);
    }
    const int mx = (legionX(*origin) + legionX(*destination)) / 2 + screen_.layoutOffsetX + 205;
    const int my = (legionY(*origin) + legionY(*destination)) / 2;
    auto sound = [&] {
        if (hooks_.playSound) {
            hooks_.playSound(Sound::Battle);
        }
    };
    const std::optional<Power> power =
        owner != nullptr ? std::optional<Power>(owner->power) : std::nullopt;
    const bool eastward = legionX(*destination) >= legionX(*origin);
    if (power == Power::Romans) {
        sound();
        // The Roman frames face right; the others face left.
        march(romanMarch, origin, destination, 35, 65, legionX(*destination) < legionX(*origin));
    } else if (power == Power::GermanicTribes) {
        sound();
        march(barbarianMarch, origin, destination, 42, 60, eastward);
    } else if (power == Power::Sassanids) {
        sound();
        march(persianMarch, origin, destination, 40, 60, eastward);
    } else {
        crossedSwords.drawTransparent(screen_.window, mx - 11, my + 44);
        if (hooks_.present) {
            hooks_.present();
        }
        sound();
    }
    if (hooks_.sleep) {
        hooks_.sleep(330);
    }
}

void Animator::flashLegion(Power who, Province* province) {
    const int px = legionX(*province);
    const int py = legionY(*province);
    const int x = layout::windowXOfMap(px, screen_.layoutOffsetX);
    const int y = layout::windowYOfMap(py);
    switch (who) {
        case Power::Romans:
            screen_.window.blit(screen_.ground(), x, y, 35, 65, x, y);
            playAnimation(romanFall, screen_.window, x, y, false);
            break;
        case Power::RebellingLegions:
            playAnimation(rebelFall, screen_.window, x, y, false, &screen_.ground());
            break;
        case Power::Sassanids:
            playAnimation(persianFall, screen_.window, x, y, false, &screen_.ground());
            break;
        case Power::GermanicTribes:
            playAnimation(barbarianFall, screen_.window, x, y, false, &screen_.ground());
            break;
    }
}

}  // namespace tessarion
