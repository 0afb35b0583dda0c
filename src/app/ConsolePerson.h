#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/ConsoleHost.h"

namespace tessarion {

struct OrderResult;
struct Province;

// The console for a person at a terminal: texts keep their line breaks, a
// question with no answer given beforehand is asked at the keyboard, the
// year's record is a paragraph, the news and each new year are told as they
// happen, a prompt shows where to type and orders are acknowledged. A pipe
// gets none of this (ConsoleHost).
class PersonHost : public ConsoleHost {
  public:
    PersonHost(Game& game, std::istream& in, std::ostream& out);

    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text, const Question&) override;
    void yearEnded(const YearRecord& record) override;
    void alert(const std::string& caption, const std::string& text) override;
    // The news, told line by line as it is written.
    void refreshReports() override;

    // Before the first command, for a person typing at the keyboard (whether
    // or not the game's lines reach a terminal).
    static void greet(std::ostream& out);
    // From now on each new year is told as it begins.
    void startTelling();
    // Before each command.
    void prompt();
    // After each command: the new year, once it has begun.
    void tellNewYear();
    // What became of an order given with drop.
    void tellOrder(const OrderResult& result, const Province* from, const Province* to);

  private:
    bool ask(const std::string& text);

    std::istream& in_;
    int toldTurn_ = 0;
    std::vector<std::string> toldNews_;
};

}  // namespace tessarion
