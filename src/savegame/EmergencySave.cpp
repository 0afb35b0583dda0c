#include "savegame/EmergencySave.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <new>
#include <regex>
#include <system_error>

#include "savegame/AtomicWrite.h"
#include "savegame/SaveGame.h"

namespace tessarion {

namespace {

namespace fs = std::filesystem;

// One more than the highest emergency-N.TSN in the folder (1 in an empty one).
unsigned long nextNumber(const fs::path& folder) {
    static const std::regex kName(R"(emergency-([0-9]{1,9})\.TSN)");
    unsigned long highest = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::smatch match;
        if (std::regex_match(name, match, kName)) {
            highest = std::max(highest, std::stoul(match[1].str()));
        }
    }
    return highest + 1;
}

}  // namespace

EmergencySave saveForEmergency(Game& game, const std::string& folder) {
    EmergencySave result;
    try {
        const fs::path where = folder.empty() ? fs::path(".") : fs::path(folder);
        std::error_code ec;
        fs::create_directories(where, ec);
        const std::string path =
            (where / ("emergency-" + std::to_string(nextNumber(where)) + ".TSN")).string();
        const FileResult written = saveGame(game, path);
        if (written.ok) {
            result.saved = true;
            result.path = path;
        } else {
            result.reason = written.error;
        }
    } catch (const std::bad_alloc&) {
        result.reason = "there was not enough memory left";
    } catch (...) {
        result.reason = describeCurrentException();
    }
    return result;
}

std::string emergencyMessage(const std::string& error, const EmergencySave& save) {
    return "Tessarion has met an internal error and must close:\r\n" + error +
           (save.saved ? "\r\n\r\nThe game was saved to " + save.path
                       : "\r\n\r\nThe game could not be saved: " + save.reason);
}

std::string describeCurrentException() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "out of memory";
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "an unknown error";
    }
}

}  // namespace tessarion
