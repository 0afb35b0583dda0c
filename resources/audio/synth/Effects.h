// The parts of the game's sound effects that are synthesised at build time: the march's drum
// and horn (its boots are recorded, see effects.py) and the cough.
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

// Every synthesised effect, in the order of the resource table.
const std::vector<EffectRecipe>& effectRecipes();

Signal makeMarch();
Signal makeCough();

}  // namespace tessarion::audio
