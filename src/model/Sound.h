#pragma once

// The effects the rules ask for (`Sound`), named in resources/audio/sounds.txt, the list of
// every sound, which the build turns into SoundEffects.h when it is configured. The front end
// maps each to its recording (SoundList.h); with no front end they are never heard.
#include "SoundEffects.h"
