#pragma once

#include <string>
#include <string_view>

#include "savegame/SaveGame.h"

namespace tessarion {

// Replaces the file at `path` with `bytes` so that a reader (or a crash) sees
// either the old file whole or the new one whole: the bytes go to a temporary
// file beside the target, which is flushed to the disk and then renamed over
// it. On any failure the temporary file is removed and the old file stays.
// "Unable to open file!" when not even the temporary file can be created.
FileResult writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace tessarion
