#include "app/ConsolePerson.h"

#include <algorithm>
#include <cctype>
#include <istream>
#include <ostream>
#include <string_view>

#include "app/Console.h"
#include "engine/Orders.h"
#include "game/Game.h"
#include "model/YearRecord.h"
#include "ui/Language.h"

namespace tessarion {

namespace {

// The year in a few lines a person reads: the summary, then each entry.
std::string yearParagraph(const YearRecord& record, Game& game) {
    std::string text = summariseYear(record, game, wording()) + ".";
    for (const YearEntry& e : record.entries) {
        text += "\n  " + describeEntry(e, game, wording()) + ".";
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
    out_ << '\n' << Console::plainText(tr(text)) << "\n\n";
}

bool PersonHost::askYesNo(const std::string& text, const Question&) {
    if (answers.empty()) {
        return ask(text);
    }
    const bool yes = takeAnswer();
    out_ << '\n' << Console::plainText(tr(text)) << "\n-> " << tr(yes ? "yes" : "no") << "\n\n";
    return yes;
}

void PersonHost::yearEnded(const YearRecord& record) {
    out_ << '\n' << Console::plainText(yearParagraph(record, game_)) << "\n";
}

void PersonHost::alert(const std::string& caption, const std::string& text) {
    out_ << "ALERT: " << tr(caption) << ": " << Console::plainText(tr(text)) << '\n';
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
        out_ << "NEWS: " << tr(log[i]) << '\n';
    }
    toldNews_ = log;
}

void PersonHost::greet(std::ostream& out) {
    out << tr(
        "Tessarion, 235 AD. Type map and report to look around, commands for what you can "
        "do, quit to leave.\n");
}

void PersonHost::prompt() {
    out_ << "> " << std::flush;
}

void PersonHost::tellNewYear() {
    if (game_.turn != toldTurn_) {
        toldTurn_ = game_.turn;
        out_ << "\n== " << trFormat(N_("%d AD"), {std::to_string(game_.year())}) << " ==\n";
    }
}

void PersonHost::tellOrder(const OrderResult& result, const Province* from, const Province* to) {
    if (result.carriedOut()) {
        out_ << trFormat(N_("Done: a legion of %s sent to %s."), {from->name, to->name}) << '\n';
    } else if (!refusalReason(result.refusal).explainedByAdvisor) {
        out_ << trFormat(N_("No order: %s."), {refusalText(result.refusal, from, to, wording())})
             << '\n';
    }
}

bool PersonHost::ask(const std::string& text) {
    out_ << '\n' << Console::plainText(tr(text)) << '\n';
    std::string reply;
    const std::string yes = plainLowerCase(tr("yes"));
    const std::string no = plainLowerCase(tr("no"));
    for (;;) {
        out_ << tr("Yes or no? ") << std::flush;
        if (!std::getline(in_, reply)) {
            out_ << no << '\n';
            return false;  // the input has ended: the cautious answer
        }
        reply = plainLowerCase(reply);
        while (!reply.empty() && (reply.back() == ' ' || reply.back() == '\r')) {
            reply.pop_back();
        }
        // The language's words and their first letters; English's always.
        if (reply == "yes" || reply == "y" || reply == yes || reply == yes.substr(0, 1)) {
            out_ << '\n';
            return true;
        }
        if (reply == "no" || reply == "n" || reply == no || reply == no.substr(0, 1)) {
            out_ << '\n';
            return false;
        }
    }
}

}  // namespace tessarion
