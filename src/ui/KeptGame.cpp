#include "ui/KeptGame.h"

#include <filesystem>
#include <utility>

#include "model/Wording.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace tessarion {

KeptGame::KeptGame(Game& game, Platform& platform, std::string autosaveFile,
                   std::function<void(const std::string&)> note)
    : game_(game), platform_(platform), file_(std::move(autosaveFile)), note_(std::move(note)) {}

bool KeptGame::changed() const {
    return saveGameText(game_) != filedText_;
}

void KeptGame::filed() {
    filedText_ = saveGameText(game_);
    noteUnsaved();
}

void KeptGame::keep() {
    if (file_.empty() || over_) {
        return;
    }
    const std::string text = saveGameText(game_);
    if (text == keptText_) {
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file_).parent_path(), ec);
    if (const FileResult saved = saveGame(game_, file_); !saved.ok) {
        // Not worth a box at every year's end: the player's own saves say
        // what is wrong with the folder.
        if (note_) {
            note_("the game could not be kept in " + file_ + ": " + saved.error);
        }
        return;
    }
    keptText_ = filedText_ = text;
    noteUnsaved();
}

void KeptGame::keepOrForget() {
    if (!over_) {
        keep();
    } else if (!file_.empty()) {
        std::error_code ec;
        std::filesystem::remove(file_, ec);
    }
}

std::optional<int> KeptGame::keptYear() const {
    if (file_.empty()) {
        return std::nullopt;
    }
    std::string bytes;
    std::error_code ec;
    if (!std::filesystem::exists(file_, ec) || files::readRegularFile(file_, 1 << 20, bytes)) {
        return std::nullopt;
    }
    // A kept game that no longer loads is not offered; the next year's end
    // replaces it.
    const SavedGameInfo info = inspectGameText(game_, bytes);
    if (!info.result.ok) {
        return std::nullopt;
    }
    return info.year;
}

FileResult KeptGame::takeKept() {
    const FileResult loaded = loadGame(game_, file_);
    if (loaded.ok) {
        filedText_ = keptText_ = saveGameText(game_);
    }
    return loaded;
}

const char* KeptGame::leaveQuestion() const {
    return file_.empty() ? N_("Are you sure you want to discard the current game?")
                         : N_("Princeps,\r\n\r\nThe game has changed since it was last saved.\r\n"
                              "It will be kept and offered when you return.\r\n\r\n"
                              "Do you want to leave the game now?");
}

void KeptGame::noteUnsaved() {
    const bool unsaved = changed();
    if (unsaved != unsavedNoted_) {
        unsavedNoted_ = unsaved;
        platform_.setUnsavedChanges(unsaved);
    }
}

}  // namespace tessarion
