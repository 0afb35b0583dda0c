// The game's five sound effects, synthesised from scratch at build time.
#pragma once

#include <string>
#include <vector>

#include "Dsp.h"

namespace tessarion::audio {

struct EffectRecipe {
    const char* name;   // wave resource name, also the file name without ".wav"
    int bitsPerSample;  // PCM depth of the written file
    Signal (*make)();
};

// Every effect the game plays, in the order of the resource table.
const std::vector<EffectRecipe>& effectRecipes();

Signal makeSwordClash();
Signal makeMarch();
Signal makeCough();
Signal makeCrowdRally();
Signal makeIntroMusic();

}  // namespace tessarion::audio
