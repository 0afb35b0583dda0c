#pragma once

#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>

#include "ui/Shell.h"

namespace tessarion {

class Game;

// The console's front end for a pipe: every box as one line (MESSAGE,
// QUESTION and its answer, SHOW for pictures, lessons, Results and About,
// REPORT for the year's record), the dialogs answered from the command line.
// PersonHost (ConsolePerson.h) tells the same to a person at a terminal.
class ConsoleHost : public ShellHost {
  public:
    ConsoleHost(Game& game, std::ostream& out) : game_(game), out_(out) {}

    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text, const Question&) override;
    void openPictureBox(const std::string& picture) override;
    void showResults(int invasions, int plagues, int rebellions) override;
    void showChronicle() override;
    void yearEnded(const YearRecord& record) override;
    void postCommand(int id, int param) override { posted.emplace_back(id, param); }
    void quit() override { quitRequested = true; }
    void playLesson(const Lesson& lesson) override;
    void openWebPage(const std::string& path) override;
    void showAbout() override;
    std::optional<std::string> chooseSavePath() override { return takePath(); }
    std::optional<std::string> chooseLoadPath() override { return takePath(); }
    void alert(const std::string& caption, const std::string& text) override;

    // Answers given beforehand (the answer command), first asked first.
    std::deque<bool> answers;
    // The path the next file dialog answers with (the save and load commands).
    std::optional<std::string> nextPath;
    // Menu commands the game posted, and whether it asked to end the program.
    std::deque<std::pair<int, int>> posted;
    bool quitRequested = false;

  protected:
    // The answer given beforehand, or No when none was.
    bool takeAnswer();

    Game& game_;
    std::ostream& out_;

  private:
    std::optional<std::string> takePath();
};

}  // namespace tessarion
