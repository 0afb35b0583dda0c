#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/GeneralPlayer.h"

namespace tessarion {

class ConsoleHost;
class Game;
class PersonHost;
class Screen;
class Shell;

using Tokens = std::vector<std::string>;

// The commands of one console session, on the game start-up has made. At a
// terminal `person` tells what a person reads besides (ConsolePerson.h).
class CommandLoop {
  public:
    CommandLoop(Game& game, Shell& shell, ConsoleHost& host, PersonHost* person, std::ostream& out);
    ~CommandLoop();

    // Carries out commands until the input ends or the game ends the program;
    // returns the exit code.
    int readCommands(std::istream& in, bool interactive);
    // Why the output could not be written (an errno value), once it could not.
    int outputError = 0;

    // The commands. Each gets the whole line's tokens, its own name first, and
    // throws a Refusal before it changes anything.
    void quit(const Tokens&) { leaving_ = true; }
    void state(const Tokens&);
    void seed(const Tokens& t);
    void skill(const Tokens& t);
    void newGame(const Tokens&);
    void answer(const Tokens& t);
    void endTurn(const Tokens&);
    void pointer(const Tokens& t);
    void drop(const Tokens& t);
    void play(const Tokens& t);
    void peoplesFront(const Tokens&);
    void scenario(const Tokens& t);
    void menuCommand(const Tokens& t);
    void help(const Tokens&);
    void map(const Tokens&);
    void report(const Tokens&);
    void chronicle(const Tokens&);
    void listCommands(const Tokens&);
    void screenshot(const Tokens& t);
    void file(const Tokens& t);

  private:
    // What the session says in the person's language; a pipe gets the English.
    std::string told(std::string_view english) const;
    std::optional<int> carryOut(const std::string& line);
    int stopForInternalError();

    Game& game_;
    Shell& shell_;
    ConsoleHost& host_;
    PersonHost* person_;
    std::ostream& out_;
    bool leaving_ = false;
    GeneralPlayer general_;
    std::unique_ptr<Screen> screen_;  // made at the first screenshot
};

}  // namespace tessarion
