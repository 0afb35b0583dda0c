#pragma once

#include <string>

#include "ui/ColourScheme.h"

namespace tessarion {

struct Province;

// What the player chose for the window and what the pointer rests on: kept
// once, by the shell that changes it, and read by the screen, the menus and
// the sound board. The settings file keeps the choices between runs.
struct WindowState {
    bool soundEnabled = true;
    // Percent of full loudness.
    int soundVolume = 100;
    // The map's colours (the Options menu's colour-blind switch).
    ColourScheme colours = ColourScheme::Standard;
    // The language the window speaks (Options > Language), by its code.
    std::string language = "en";
    // The province under the pointer or the keyboard's highlight.
    Province* hoveredProvince = nullptr;
    // Why the last drop gave no order, for the province line; empty once the
    // player moves on (the next press, or the pointer reaching another province).
    std::string refusal;
};

}  // namespace tessarion
