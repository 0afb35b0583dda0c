#include "app/ConsolePerson.h"

#include <algorithm>
#include <cctype>
#include <istream>
#include <ostream>

#include "app/Console.h"
#include "engine/Orders.h"
#include "game/Game.h"
#include "model/YearRecord.h"

namespace tessarion {

namespace {

// The year in a few lines a person reads: the summary, then each entry.
std::string yearParagraph(const YearRecord& record, Game& game) {
    std::string text = summariseYear(record, game) + ".";
    for (const YearEntry& e : record.entries) {
        text += "\n  " + describeEntry(e, game) + ".";
    }
    return text;
}

}  // namespace

PersonHost::PersonHost(Game& game, std::istream& in, std::ostream& out)
    : ConsoleHost(game, out), in_(in) {}

void PersonHost::startTelling() {
    toldTurn_ = game_.turn;
}

void PersonHost::showMessage(const std::string& text) {
    out_ << '\n' << Console::plainText(text) << "\n\n";
}

bool PersonHost::askYesNo(const std::string& text, const Question&) {
    if (answers.empty()) {
        return ask(text);
    }
    const bool yes = takeAnswer();
    out_ << '\n' << Console::plainText(text) << "\n-> " << (yes ? "yes" : "no") << "\n\n";
    return yes;
}

void PersonHost::yearEnded(const YearRecord& record) {
    out_ << '\n' << Console::plainText(yearParagraph(record, game_)) << "\n";
}

void PersonHost::alert(const std::string& caption, const std::string& text) {
    out_ << "ALERT: " << caption << ": " << Console::plainText(text) << '\n';
}

void PersonHost::refreshReports() {
    const std::vector<std::string> log(game_.newsLog.begin(), game_.newsLog.end());
    // The log is a window of the last lines: what is new follows the longest
    // tail of what was told that starts it.
    std::size_t overlap = std::min(toldNews_.size(), log.size());
    while (overlap > 0 && !std::equal(toldNews_.end() - static_cast<long>(overlap), toldNews_.end(),
                                      log.begin())) {
        --overlap;
    }
    for (std::size_t i = overlap; i < log.size(); ++i) {
        out_ << "NEWS: " << log[i] << '\n';
    }
    toldNews_ = log;
}

void PersonHost::greet(std::ostream& out) {
    out << "Tessarion, 235 AD. Type map and report to look around, commands for what you can "
           "do, quit to leave.\n";
}

void PersonHost::prompt() {
    out_ << "> " << std::flush;
}

void PersonHost::tellNewYear() {
    if (game_.turn != toldTurn_) {
        toldTurn_ = game_.turn;
        out_ << "\n== " << game_.year() << " AD ==\n";
    }
}

void PersonHost::tellOrder(const OrderResult& result, const Province* from, const Province* to) {
    if (result.carriedOut()) {
        out_ << "Done: a legion of " << from->name << " sent to " << to->name << ".\n";
    } else if (!refusalReason(result.refusal).explainedByAdvisor) {
        out_ << "No order: " << refusalText(result.refusal, from, to) << ".\n";
    }
}

bool PersonHost::ask(const std::string& text) {
    out_ << '\n' << Console::plainText(text) << '\n';
    std::string reply;
    for (;;) {
        out_ << "Yes or no? " << std::flush;
        if (!std::getline(in_, reply)) {
            out_ << "no\n";
            return false;  // the input has ended: the cautious answer
        }
        for (char& c : reply) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        while (!reply.empty() && (reply.back() == ' ' || reply.back() == '\r')) {
            reply.pop_back();
        }
        if (reply == "yes" || reply == "y") {
            out_ << '\n';
            return true;
        }
        if (reply == "no" || reply == "n") {
            out_ << '\n';
            return false;
        }
    }
}

}  // namespace tessarion
