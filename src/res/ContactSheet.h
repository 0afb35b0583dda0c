#pragma once

#include <string>
#include <utility>
#include <vector>

#include "res/ResourceStore.h"

namespace tessarion::res {

// Lays every picture out at its real size, each under its id, on one PNG: the whole art of
// the game at a glance. The PNG's bytes, empty when it could not be encoded.
std::vector<unsigned char> contactSheetPng(const std::vector<std::pair<int, Image>>& pictures);

}  // namespace tessarion::res
