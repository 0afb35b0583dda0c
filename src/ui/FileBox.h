#pragma once

#include <string>
#include <vector>

#include "ui/BoxChrome.h"
#include "ui/ModalBox.h"

namespace tessarion {

// A saved game in the player's folder, as the file boxes list it.
struct SavedGameEntry {
    std::string name;     // the file's name, without folder
    std::string details;  // the game's year and the date it was saved, or what is wrong
    bool damaged = false;
};

// Choosing a saved game: the saved games of the player's folder to pick from
// (in the order given; the load box starts on the first), and for saving a
// name to type.
class FileBox : public ModalBox {
  public:
    FileBox(bool saving, std::vector<SavedGameEntry> existing, int screenWidth, int screenHeight);

    void draw(Surface& target) const override;
    void mouseDown(int x, int y, InputEvent::Button button) override;
    void mouseUp(int x, int y, InputEvent::Button button) override;
    void keyDown(const InputEvent& key) override;
    void text(char c) override;

    // The chosen name (without folder), once done with endCode 1.
    std::string name;
    // The caption, the line above the list and what an empty list says, when
    // not the saved games' own.
    std::string title;
    std::string prompt;
    std::string emptyList;
    int selected() const { return selected_; }
    const std::vector<SavedGameEntry>& files() const { return files_; }

  private:
    int clientLeft() const { return left + BoxChrome::kBorder; }
    int clientTop() const { return top + BoxChrome::kBorder + BoxChrome::kCaption; }
    void choose();
    int rowAt(int x, int y) const;

    bool saving_;
    std::vector<SavedGameEntry> files_;
    int selected_ = -1;
    int firstRow_ = 0;
    BoxButton ok_;
    BoxButton cancel_;
    int pressed_ = 0;
};

}  // namespace tessarion
