#pragma once

// Where the screen gets its pictures and its font: the resources embedded in
// the program.
#include "res/ResourceStore.h"

namespace tessarion {
namespace store = res;
}
