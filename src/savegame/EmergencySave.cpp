#include "savegame/EmergencySave.h"

#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>

#include "model/PrintableText.h"
#include "model/Wording.h"
#include "platform/FileSystem.h"
#include "savegame/SaveGame.h"

namespace tessarion {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "emergency-";
constexpr std::string_view kSuffix = ".TSN";

// The number of an emergency save's name, leading zeros dropped; nothing for
// any other name. Numbers are kept as digits, so none is too long to count.
std::optional<std::string> numberIn(const std::string& name) {
    if (name.size() <= kPrefix.size() + kSuffix.size() || name.rfind(kPrefix, 0) != 0 ||
        name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0) {
        return std::nullopt;
    }
    std::string digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    return digits.empty() ? "0" : digits;
}

bool lessThan(const std::string& a, const std::string& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

std::string plusOne(std::string digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return "1" + digits;
}

// One more than the highest emergency-N.TSN in the folder (1 in an empty one).
std::string nextNumber(const fs::path& folder) {
    std::string highest = "0";
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (const std::optional<std::string> n = numberIn(it->path().filename().string())) {
            if (lessThan(highest, *n)) {
                highest = *n;
            }
        }
    }
    return plusOne(highest);
}

}  // namespace

EmergencySave saveForEmergency(Game& game, const std::string& folder) {
    EmergencySave result;
    try {
        if (std::optional<std::string> why = whyUnsavable(game)) {
            result.reason = "Unable to save the game: " + *why;
            return result;
        }
        const fs::path where = folder.empty() ? fs::path(".") : fs::path(folder);
        std::error_code ec;
        fs::create_directories(where, ec);
        const std::string text = saveGameText(game);
        // A save that appears under the chosen name meanwhile (another game
        // closing at the same moment) is never replaced: the next number is.
        std::string number = nextNumber(where);
        for (int attempt = 0; attempt < 100; ++attempt, number = plusOne(number)) {
            const std::string path =
                (where / (std::string(kPrefix) + number + std::string(kSuffix))).string();
            const files::WriteOutcome written =
                files::replaceFile(path, text, {.keepBackup = false, .keepOut = true});
            if (written.ok) {
                result.saved = true;
                result.path = path;
                return result;
            }
            if (!written.alreadyThere) {
                result.reason =
                    (written.started ? "Unable to save the game: " : "Unable to open file! (") +
                    written.reason + (written.started ? "" : ")");
                return result;
            }
        }
        result.reason = "every emergency save's name is taken";
    } catch (const std::bad_alloc&) {
        result.reason = "there was not enough memory left";
    } catch (...) {
        result.reason = describeCurrentException();
    }
    return result;
}

std::string emergencyMessage(const std::string& error, const EmergencySave& save) {
    // The folder comes from the environment, the error from anywhere.
    // One format each way, so that the window can show it in the player's language.
    return save.saved
               ? fillText(N_("Tessarion has met an internal error and must close:\r\n%s\r\n\r\n"
                             "The game was saved to %s"),
                          {printableText(error), printableText(save.path)})
               : fillText(N_("Tessarion has met an internal error and must close:\r\n%s\r\n\r\n"
                             "The game could not be saved: %s"),
                          {printableText(error), printableText(save.reason)});
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
