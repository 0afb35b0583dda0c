#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "PictureManifest.h"
#include "model/Power.h"
#include "model/Sound.h"
#include "ui/Graphic.h"
#include "ui/Sprite.h"

namespace tessarion {

class Screen;
class Surface;
struct Province;

// A figure's frames, played in place one after another.
struct SpriteAnimation {
    int frameDelay = 100;
    int currentFrame = 0;
    std::vector<std::unique_ptr<Sprite>> frames;
};

// Marches and falls on the map, drawn straight onto the window: a soldier of
// the moving power marches in place where it sets out, one of the losing
// power falls where the legion was lost. The next paint wipes them away.
class Animator {
  public:
    struct Hooks {
        std::function<void(Sound)> playSound;
        std::function<void(int)> sleep;
        std::function<void()> present;  // shows the window surface
    };

    Animator(Screen& screen, Hooks hooks);

    // Builds the seven sets from their pictures, for the source's scale.
    void load(const PictureSource& source);

    void animateMove(Province* origin, Province* destination);
    void flashLegion(Power who, Province* province);
    // The set's frames one after another at (x, y) of target, each over
    // what lay there before the first: taken from `ground` where given
    // (same places), else kept from the target itself.
    void playAnimation(SpriteAnimation& set, Surface& target, int x, int y, bool mirrored,
                       const Surface* ground = nullptr);
    void clearShownMoves() { shownMoves.clear(); }

    SpriteAnimation romanMarch;
    SpriteAnimation barbarianMarch;
    SpriteAnimation persianMarch;
    SpriteAnimation romanFall;
    SpriteAnimation rebelFall;
    SpriteAnimation persianFall;
    SpriteAnimation barbarianFall;
    Sprite crossedSwords{pic::crossedSwords};

    // Enemy moves already shown this turn.
    std::set<std::pair<std::string, std::string>> shownMoves;

  private:
    void march(SpriteAnimation& set, Province* origin, Province* destination, int iconWidth,
               int iconHeight, bool mirrored);

    Screen& screen_;
    Hooks hooks_;
};

}  // namespace tessarion
