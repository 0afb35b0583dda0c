#pragma once

// Where the screen gets its pictures and its font. Until the embedded
// resource store is in the build, stand-ins of the right sizes are made here.
#include "ui/Placeholders.h"

namespace tessarion {
namespace store = placeholder;
}
