#pragma once

#include <string>
#include <string_view>

#include "savegame/SaveGame.h"

namespace tessarion {

// Replaces the file at `path` with `bytes` so that a reader (or a crash) sees
// either the old file whole or the new one whole: the bytes go to a temporary
// file beside the target, which is flushed to the disk and then renamed over
// it. A link is written through to the file it names; anything that is not a
// regular file is never replaced; the replaced file's permissions stay and
// the replaced file itself is kept as NAME.bak. On any failure the temporary
// file is removed, the old file stays, and the message names the reason.
FileResult writeFileAtomically(const std::string& path, std::string_view bytes);

// Removes temporary files of the game's own naming left in `folder` by a save
// that was killed part-way (never those of a game still running). Returns how
// many were removed.
int removeStaleTemporaries(const std::string& folder);

// Why a file operation failed, in the player's words, from an errno value.
std::string fileErrorReason(int error);

}  // namespace tessarion
