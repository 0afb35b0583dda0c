#pragma once

#include <string>
#include <utility>
#include <vector>

#include "res/ResourceStore.h"

namespace tessarion::res {

// Lays every picture out at its real size, each under its id, on one PNG: the whole art of
// the game at a glance.
bool writeContactSheet(const std::string& path, const std::vector<std::pair<int, Image>>& pictures);

}  // namespace tessarion::res
