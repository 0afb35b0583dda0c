#include "savegame/AtomicWrite.h"

#include "platform/FileSystem.h"

namespace tessarion {

FileResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    const files::WriteOutcome outcome = files::replaceFile(path, bytes);
    if (outcome.ok) {
        return {true, "", ""};
    }
    if (outcome.started) {
        return {false, "ERROR", "Unable to save the game: " + outcome.reason};
    }
    return {false, "ERROR", "Unable to open file! (" + outcome.reason + ")"};
}

int removeStaleTemporaries(const std::string& folder) {
    return files::removeStaleTemporaries(folder);
}

std::string fileErrorReason(int error) {
    return files::errorReason(error);
}

}  // namespace tessarion
