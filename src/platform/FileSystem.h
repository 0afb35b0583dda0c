#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The game's few dealings with files, for the saved games and every other
// file the program writes, on POSIX systems, Windows and the browser. This
// header holds the standard library only: the rules reach the disk through it
// and nothing else of the platform.
namespace tessarion::files {

// Why a file operation failed, in the player's words, from an errno value.
std::string errorReason(int error);

// Reads the regular file at `path` into `bytes`, at most `limit` bytes (a
// larger file gives its first `limit` bytes, which tells it apart). Anything
// that is not a regular file (a folder, a FIFO, a device) is refused before
// it is opened, so no other program's data is consumed and nothing blocks.
// Returns why the file could not be read, or nothing.
std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit,
                                           std::string& bytes);

// How writing a file went. On failure, `reason` is in the player's words and
// `started` tells whether the bytes were being written (the disk filled, say)
// or the file could not even be set up (a folder that is not there, a target
// that is no regular file, a read-only save).
struct WriteOutcome {
    bool ok = false;
    bool started = false;
    bool alreadyThere = false;  // refused only because keepOut found a file
    std::string reason;
};

struct ReplaceOptions {
    // Keep the file replaced as NAME.bak.
    bool keepBackup = true;
    // Refuse, rather than replace, a file already at the path.
    bool keepOut = false;
};

// Replaces the file at `path` with `bytes` so that a reader (or a crash) sees
// either the old file whole or the new one whole: the bytes go to a temporary
// file beside the target, which is flushed to the disk and then renamed over
// it. A link is written through to the file it names; anything that is not a
// regular file is never replaced; the replaced file's permissions stay, and a
// file its owner made read-only is never replaced. On any failure the
// temporary file is removed and the old file stays. The first write to a
// folder also removes what earlier runs killed part-way left there.
WriteOutcome replaceFile(const std::string& path, std::string_view bytes,
                         ReplaceOptions options = {});

// Writes `bytes` to `path` as they are (a picture, an export), replacing what
// was there, and tells why it failed: every write and the close are checked,
// so a full disk, a file-size limit or a device that takes nothing is
// reported rather than leaving a short file behind in silence. A file is
// replaced as replaceFile does (without a backup), so a failed write leaves
// the old one whole; a device or a pipe is written directly.
std::optional<std::string> writeWholeFile(const std::string& path, std::string_view bytes);

// Removes temporary files of the game's own naming left in `folder` by a save
// that was killed part-way (never those of a game still running). Returns how
// many were removed.
int removeStaleTemporaries(const std::string& folder);

// A file-size limit or a reader that went away would otherwise end the
// program silently in the middle of a write; with this, the write fails and
// says why (EFBIG, EPIPE). Called once at start-up.
void reportFailedWritesInsteadOfDying();

}  // namespace tessarion::files
