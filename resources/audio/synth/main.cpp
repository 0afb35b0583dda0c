// Build-time tool: writes one of the game's synthesised sound effects as a WAV file.
//   tessarion_sfx NAME OUTPUT.wav
#include <cstdio>
#include <cstring>
#include <exception>

#include "Effects.h"

int main(int argc, char** argv) {
    using namespace tessarion::audio;
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s NAME OUTPUT.wav\n", argv[0]);
        return 2;
    }
    for (const EffectRecipe& r : effectRecipes()) {
        if (std::strcmp(r.name, argv[1]) == 0) {
            try {
                writeWave(r.make(), r.bitsPerSample, argv[2]);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
                return 1;
            }
            return 0;
        }
    }
    std::fprintf(stderr, "%s: no effect called %s\n", argv[0], argv[1]);
    return 2;
}
