#pragma once

#include <cstdint>
#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "game/StateJson.h"

namespace tessarion {

// The game without a window, driven by one text command per line. This is the
// protocol of the tests and of power users (docs/console.md).
class Console {
  public:
    // `interactive`: a person types at a terminal, who gets a hint line first.
    // `terminal`: what is printed goes to a terminal too, to be read by a
    // person: texts keep their line breaks, the news and the new year are told
    // as they happen, orders are acknowledged and questions are asked.
    Console(std::istream& in, std::ostream& out, bool interactive = false, bool terminal = false)
        : in_(in), out_(out), interactive_(interactive), terminal_(terminal) {}

    // Start-up as the game's own up to the first game being ready, then read
    // commands until the input ends or the game ends the program.
    // Returns the process exit code.
    int run(std::optional<std::uint32_t> seed);
    // Why standard output stopped taking the game's lines (an errno value),
    // when run ended for that.
    int outputError() const { return outputError_; }

    // Splits a command line into tokens; a token in double quotes may hold blanks.
    // Nothing when a quote is left open.
    static std::optional<std::vector<std::string>> tokenize(const std::string& line);

    // Escapes CR LF and a lone LF as \n, a lone CR as \r, a backslash as \\,
    // and every other control or format character as printableText does.
    static std::string escapeText(const std::string& text);
    // The text with its line breaks as the terminal's own, every other
    // control or format character escaped.
    static std::string plainText(const std::string& text);

  private:
    std::istream& in_;
    std::ostream& out_;
    bool interactive_;
    bool terminal_;
    int outputError_ = 0;
};

}  // namespace tessarion
