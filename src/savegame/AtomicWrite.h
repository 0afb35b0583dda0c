#pragma once

#include <string>
#include <string_view>

#include "savegame/SaveGame.h"

namespace tessarion {

// Replaces the file at `path` with `bytes` so that a reader (or a crash) sees
// either the old file whole or the new one whole, keeping the replaced file
// as NAME.bak (files::replaceFile tells how). On any failure the old file
// stays and the message names the reason.
FileResult writeFileAtomically(const std::string& path, std::string_view bytes);

// Removes temporary files of the game's own naming left in `folder` by a save
// that was killed part-way (never those of a game still running). Returns how
// many were removed.
int removeStaleTemporaries(const std::string& folder);

// Why a file operation failed, in the player's words, from an errno value.
std::string fileErrorReason(int error);

}  // namespace tessarion
