#include "app/Console.h"
#include "app/Numbers.h"
#include "game/GameSession.h"
#include "game/StateJson.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <sstream>

#include "app/WebSite.h"
#include "engine/Orders.h"
#include "engine/RomanEmpire.h"
#include "game/Chronicle.h"
#include "game/Events.h"
#include "game/Game.h"
#include "game/GeneralPlayer.h"
#include "game/Scenarios.h"
#include "game/TurnCycle.h"
#include "model/FrontEnd.h"
#include "model/InternalError.h"
#include "model/PrintableText.h"
#include "model/Random.h"
#include "model/YearRecord.h"
#include "savegame/AtomicWrite.h"
#include "savegame/EmergencySave.h"
#include "ui/Pictures.h"
#include "ui/Reports.h"
#include "ui/Screen.h"
#include "ui/Screenshot.h"
#include "ui/Shell.h"

namespace tessarion {

namespace {

// The console names a lesson's picture by its id, as the protocol always has.
int pictureIdOf(const Lesson& lesson) {
    const PictureEntry* picture = pictureNamed(lesson.picture);
    return picture != nullptr ? picture->id : -1;
}

// The year in a few lines a person reads: the summary, then each entry.
std::string yearParagraph(const YearRecord& record, Game& game) {
    std::string text = summariseYear(record, game) + ".";
    for (const YearEntry& e : record.entries) {
        text += "\n  " + describeEntry(e, game) + ".";
    }
    return text;
}

// The console's front end: every box as lines (MESSAGE, QUESTION and its
// answer, SHOW for pictures, lessons, Results and About), the dialogs answered
// from the command line. At a terminal a person reads the texts and answers
// the questions for which no answer was given beforehand.
class ConsoleHost : public ShellHost {
  public:
    ConsoleHost(Game& game, std::istream& in, std::ostream& out, bool terminal)
        : terminal(terminal), game_(game), in_(in), out_(out) {}

    void showMessage(const std::string& text) override {
        if (terminal) {
            out_ << '\n' << Console::plainText(text) << "\n\n";
            return;
        }
        out_ << "MESSAGE: " << Console::escapeText(text) << '\n';
    }
    bool askYesNo(const std::string& text, const Question&) override {
        if (terminal && answers.empty()) {
            return ask(text);
        }
        bool yes = false;
        if (!answers.empty()) {
            yes = answers.front();
            answers.pop_front();
        }
        if (terminal) {
            out_ << '\n' << Console::plainText(text) << "\n-> " << (yes ? "yes" : "no") << "\n\n";
            return yes;
        }
        out_ << "QUESTION: " << Console::escapeText(text) << (yes ? " -> yes" : " -> no") << '\n';
        return yes;
    }
    void openPictureBox(const std::string& picture) override {
        if (const Lesson* lesson = lessonForPicture(picture)) {
            out_ << "SHOW: lesson \"" << lesson->title << "\" (picture " << pictureIdOf(*lesson)
                 << ")\n";
        } else {
            out_ << "SHOW: picture " << picture << '\n';
        }
    }
    void showResults(int invasions, int plagues, int rebellions) override {
        out_ << "SHOW: Results (invasions " << invasions << ", plagues " << plagues
             << ", rebellions " << rebellions << ")\n";
    }
    void showChronicle() override { out_ << "SHOW: Chronicle\n"; }
    // The year's record as it closes: a line an entry for a pipe, a
    // paragraph for a person.
    void yearEnded(const YearRecord& record) override {
        if (terminal) {
            out_ << '\n' << Console::plainText(yearParagraph(record, game_)) << "\n";
            return;
        }
        for (const YearEntry& e : record.entries) {
            out_ << "REPORT: " << Console::escapeText(describeEntry(e, game_)) << '\n';
        }
    }
    void postCommand(int id, int param) override { posted.emplace_back(id, param); }
    void quit() override { quitRequested = true; }
    void refreshReports() override {
        if (onNews) {
            onNews();
        }
    }
    void playLesson(const Lesson& lesson) override {
        out_ << "SHOW: lesson \"" << lesson.title << "\" (picture " << pictureIdOf(lesson)
             << ", narration " << lesson.narration << ")\n";
    }
    void openWebPage(const std::string& path) override {
        out_ << "OPEN: " << webAddress(path) << '\n';
    }
    void showAbout() override { out_ << "SHOW: About Tessarion\n"; }
    std::optional<std::string> chooseSavePath() override { return takePath(); }
    std::optional<std::string> chooseLoadPath() override { return takePath(); }
    void alert(const std::string& caption, const std::string& text) override {
        out_ << "ALERT: " << caption << ": "
             << (terminal ? Console::plainText(text) : Console::escapeText(text)) << '\n';
    }

    const bool terminal;
    // Answers given beforehand (the answer command), first asked first.
    std::deque<bool> answers;
    // The path the next file dialog answers with (the save and load commands).
    std::optional<std::string> nextPath;
    // Menu commands the game posted, and whether it asked to end the program.
    std::deque<std::pair<int, int>> posted;
    bool quitRequested = false;
    // At a terminal the news is told as it is written.
    std::function<void()> onNews;

  private:
    std::optional<std::string> takePath() {
        std::optional<std::string> p = std::move(nextPath);
        nextPath.reset();
        return p;
    }
    bool ask(const std::string& text) {
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

    Game& game_;
    std::istream& in_;
    std::ostream& out_;
};

Province* provinceNamed(Game& game, const std::string& name) {
    for (auto& p : game.provinces) {
        if (p->name == name) {
            return p.get();
        }
    }
    return nullptr;
}

// A table a person (or a screen reader) can follow: every province, who holds
// it and whose legions stand there.
std::string mapText(Game& game) {
    std::ostringstream o;
    char line[256];
    std::snprintf(line, sizeof line, "%-14s %-18s %s\n", "Province", "Held by", "Legions");
    o << "Year " << game.year() << " AD\n" << line;
    for (auto& p : game.provinces) {
        Empire* owner = game.ownerOf(p.get());
        std::string legions;
        for (Empire* e : game.powers()) {
            const int n = e->legionsIn(p.get());
            if (n == 0) {
                continue;
            }
            legions += (legions.empty() ? "" : ", ") + e->name + " " + std::to_string(n);
            if (e == &game.romans) {
                int ready = 0;
                for (const auto& l : e->legions) {
                    ready += sameProvince(l->province, p.get()) && !l->moved;
                }
                legions += " (" + std::to_string(ready) + " can move)";
            }
        }
        std::snprintf(line, sizeof line, "%-14s %-18s %s\n", p->name.c_str(),
                      owner ? owner->name.c_str() : "nobody",
                      legions.empty() ? "none" : legions.c_str());
        o << line;
    }
    return o.str();
}

std::string reportText(const Game& game) {
    std::ostringstream o;
    for (const ReportLine& line : economicReportLines(game)) {
        o << line.text << (line.red ? " (!)" : "") << '\n';
    }
    o << "MILITARY REPORT\n";
    for (const std::string& news : game.newsLog) {
        o << "  " << news << '\n';
    }
    return o.str();
}

using Tokens = std::vector<std::string>;

// A command refused for what was typed: the session says why and the game is
// left as it was.
struct Refusal {
    std::string reason;
};

// The commands of one console session, on the game start-up has made.
class CommandLoop {
  public:
    CommandLoop(Game& game, Shell& shell, ConsoleHost& host, std::ostream& out, bool terminal)
        : game_(game),
          shell_(shell),
          host_(host),
          out_(out),
          terminal_(terminal),
          toldTurn_(game.turn) {}

    // Carries out commands until the input ends or the game ends the program;
    // returns the exit code.
    int readCommands(std::istream& in, bool interactive);
    // Why the output could not be written (an errno value), once it could not.
    int outputError = 0;

    // The commands. Each gets the whole line's tokens, its own name first, and
    // throws a Refusal before it changes anything.
    void quit(const Tokens&) { leaving_ = true; }
    void state(const Tokens&) { out_ << stateJson(game_) << '\n'; }
    void seed(const Tokens& t);
    void skill(const Tokens& t);
    void newGame(const Tokens&) { shell_.command(cmd::kNewGame, 1); }
    void answer(const Tokens& t);
    void endTurn(const Tokens&) { shell_.rightButtonUp(); }
    void pointer(const Tokens& t);
    void drop(const Tokens& t);
    void play(const Tokens& t);
    void peoplesFront(const Tokens&);
    void scenario(const Tokens& t);
    void menuCommand(const Tokens& t);
    void help(const Tokens&) { shell_.command(cmd::kHelp); }
    void map(const Tokens&) { out_ << mapText(game_); }
    void report(const Tokens&) { out_ << reportText(game_); }
    void chronicle(const Tokens&) { out_ << chronicleCsv(game_); }
    void listCommands(const Tokens&);
    void screenshot(const Tokens& t);
    void file(const Tokens& t);

  private:
    std::optional<int> carryOut(const std::string& line);
    void tellNewYear();
    int stopForInternalError();

    Game& game_;
    Shell& shell_;
    ConsoleHost& host_;
    std::ostream& out_;
    bool terminal_;
    int toldTurn_;
    bool leaving_ = false;
    GeneralPlayer general_;
    std::unique_ptr<Screen> screen_;  // made at the first screenshot
};

struct ConsoleCommand {
    const char* name;
    // Takes no arguments: a line that gives it any is an unknown command.
    bool bare;
    void (CommandLoop::*carryOut)(const Tokens&);
    // Its line in the `commands` list, what to type and what it does; the
    // list leaves out those meant for tests and tools.
    const char* synopsis;
    const char* purpose;
};

// The `new` line of the `commands` list names the scenarios of the table.
const char* newGamePurpose() {
    static const std::string text = "a new game; a scenario (" + scenarioIds(", ") + ")";
    return text.c_str();
}

// In the order of the `commands` list.
const ConsoleCommand kCommands[] = {
    {"map", true, &CommandLoop::map, "map", "every province: owner and legions"},
    {"report", true, &CommandLoop::report, "report", "the economic and military reports"},
    {"drop", false, &CommandLoop::drop, "drop FROM TO",
     "move or attack with a legion (names with blanks in quotes)"},
    {"end", true, &CommandLoop::endTurn, "end", "end the turn"},
    {"answer", false, &CommandLoop::answer, "answer yes|no ...", "answers for the next questions"},
    {"play", false, &CommandLoop::play, "play general",
     "let the built-in general give this turn's orders"},
    {"pfj", true, &CommandLoop::peoplesFront, "pfj", "the People's Front of Judea"},
    {"new", true, &CommandLoop::newGame, "new, scenario ID", newGamePurpose()},
    {"scenario", false, &CommandLoop::scenario, nullptr, nullptr},
    {"skill", false, &CommandLoop::skill, "skill 0|1|2",
     "Easy, Normal, Hard (from the next new game)"},
    {"save", false, &CommandLoop::file, "save FILE, load FILE", "saved games"},
    {"load", false, &CommandLoop::file, nullptr, nullptr},
    {"help", true, &CommandLoop::help, "help", "the Prefect's hints"},
    {"state", true, &CommandLoop::state, "state", "the whole game as JSON"},
    {"chronicle", true, &CommandLoop::chronicle, "chronicle",
     "the game year by year as CSV, with history beside it"},
    {"quit", true, &CommandLoop::quit, "quit", "leave"},
    {"seed", false, &CommandLoop::seed, nullptr, nullptr},
    {"press", false, &CommandLoop::pointer, nullptr, nullptr},
    {"release", false, &CommandLoop::pointer, nullptr, nullptr},
    {"command", false, &CommandLoop::menuCommand, nullptr, nullptr},
    {"screenshot", false, &CommandLoop::screenshot, nullptr, nullptr},
    {"commands", true, &CommandLoop::listCommands, nullptr, nullptr},
};

namespace {

// The longest command line the console takes.
constexpr std::size_t kLongestLine = 64 * 1024;

enum class LineRead { Line, TooLong, End };

// The next line of input without its line feed. A line longer than any
// command is read to its end but not kept, so that however long it is it
// costs no memory. End only when the input ends before anything is read.
LineRead readLine(std::istream& in, std::string& line) {
    line.clear();
    std::streambuf* source = in.rdbuf();
    if (!in || source == nullptr) {
        return LineRead::End;
    }
    bool any = false;
    bool tooLong = false;
    for (;;) {
        const int c = source->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            return !any ? LineRead::End : tooLong ? LineRead::TooLong : LineRead::Line;
        }
        any = true;
        if (c == '\n') {
            return tooLong ? LineRead::TooLong : LineRead::Line;
        }
        if (line.size() < kLongestLine) {
            line += static_cast<char>(c);
        } else {
            tooLong = true;
        }
    }
}

}  // namespace

int CommandLoop::readCommands(std::istream& in, bool interactive) {
    if (interactive) {
        out_ << "Tessarion, 235 AD. Type map and report to look around, commands for what you can "
                "do, quit to leave.\n";
    }
    std::string line;
    for (;;) {
        if (terminal_) {
            out_ << "> " << std::flush;
        }
        const LineRead read = readLine(in, line);
        if (read == LineRead::End) {
            return 0;
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        // A write that fails while the command runs (the state of a game to a
        // full disk) leaves its reason here.
        errno = 0;
        try {
            if (read == LineRead::TooLong) {
                throw Refusal{"the line is longer than " + std::to_string(kLongestLine) + " bytes"};
            }
            if (const std::optional<int> code = carryOut(line)) {
                return *code;
            }
        } catch (const Refusal& refusal) {
            out_ << "ERROR: " << Console::escapeText(refusal.reason) << '\n';
        } catch (...) {
            return stopForInternalError();
        }
        out_.flush();
        if (!out_) {
            // Nobody hears the game any more (a full disk, a closed pipe): the
            // program says why on its way out.
            outputError = errno;
            return 1;
        }
    }
}

// The exit code when the line ends the console.
std::optional<int> CommandLoop::carryOut(const std::string& line) {
    const std::optional<Tokens> t = Console::tokenize(line);
    if (!t) {
        throw Refusal{"unclosed quote"};
    }
    if (t->empty() || (*t)[0][0] == '#') {
        return std::nullopt;
    }
    const auto command = std::find_if(std::begin(kCommands), std::end(kCommands), [&](auto& c) {
        return (*t)[0] == c.name && (!c.bare || t->size() == 1);
    });
    if (command == std::end(kCommands)) {
        throw Refusal{"unknown command: " + line};
    }
    (this->*command->carryOut)(*t);
    if (leaving_) {
        return 0;
    }
    // Menu commands the rules posted run as the window's queue would run them.
    while (!host_.quitRequested && !host_.posted.empty()) {
        auto [id, param] = host_.posted.front();
        host_.posted.pop_front();
        shell_.command(id, param);
    }
    if (host_.quitRequested) {
        out_ << "QUIT\n";
        return 0;
    }
    tellNewYear();
    return std::nullopt;
}

void CommandLoop::tellNewYear() {
    if (terminal_ && game_.turn != toldTurn_) {
        toldTurn_ = game_.turn;
        out_ << "\n== " << game_.year() << " AD ==\n";
    }
}

int CommandLoop::stopForInternalError() {
    // The game cannot go on; keep it beside the saves the session names
    // relative to the current folder.
    const std::string what = describeCurrentException();
    const EmergencySave saved = saveForEmergency(game_, ".");
    out_ << "INTERNAL ERROR: " << Console::escapeText(what)
         << (saved.saved ? " (the game was saved to " + saved.path + ")"
                         : " (the game could not be saved: " + saved.reason + ")")
         << '\n';
    return 3;
}

// Refuses a command given fewer than `least` or more than `most` arguments.
void expectArguments(const Tokens& t, std::size_t least, std::size_t most,
                     const std::string& refusal) {
    if (t.size() < least + 1 || t.size() > most + 1) {
        throw Refusal{refusal};
    }
}

// An argument that must be a whole number within [minimum, maximum].
long long number(const std::string& text, long long minimum, long long maximum,
                 const std::string& refusal) {
    long long value = 0;
    if (!parseNumber(text, minimum, maximum, value)) {
        throw Refusal{refusal};
    }
    return value;
}

void CommandLoop::seed(const Tokens& t) {
    const std::optional<std::uint32_t> seed = t.size() == 2 ? parseSeed(t[1]) : std::nullopt;
    if (!seed) {
        throw Refusal{"seed needs a number from 0 to 4294967295"};
    }
    game_.random.seed(*seed);
}

void CommandLoop::skill(const Tokens& t) {
    const std::string why = "skill needs 0, 1 or 2";
    expectArguments(t, 1, 1, why);
    shell_.command(cmd::kEasy + static_cast<int>(number(t[1], 0, 2, why)));
}

void CommandLoop::answer(const Tokens& t) {
    const auto yesOrNo = [](const std::string& a) { return a == "yes" || a == "no"; };
    if (t.size() < 2 || !std::all_of(t.begin() + 1, t.end(), yesOrNo)) {
        throw Refusal{"answer takes yes or no, one or more"};
    }
    for (auto a = t.begin() + 1; a != t.end(); ++a) {
        host_.answers.push_back(*a == "yes");
    }
}

// press X Y, release X Y: the left button at a window point.
void CommandLoop::pointer(const Tokens& t) {
    const std::string why = t[0] + " needs two whole numbers X Y";
    expectArguments(t, 2, 2, why);
    const int x = static_cast<int>(number(t[1], -100000, 100000, why));
    const int y = static_cast<int>(number(t[2], -100000, 100000, why));
    if (t[0] == "press") {
        shell_.leftButtonDown(x, y);
    } else {
        shell_.leftButtonUp(x, y);
    }
}

void CommandLoop::drop(const Tokens& t) {
    expectArguments(t, 2, 2, "drop needs two province names");
    Province* from = provinceNamed(game_, t[1]);
    Province* to = provinceNamed(game_, t[2]);
    if (from == nullptr || to == nullptr) {
        throw Refusal{"unknown province " + (from == nullptr ? t[1] : t[2])};
    }
    const OrderResult result = orderLegion(game_, from, to);
    if (terminal_ && result.carriedOut()) {
        out_ << "Done: a legion of " << from->name << " sent to " << to->name << ".\n";
    } else if (terminal_ && !refusalReason(result.refusal).explainedByAdvisor) {
        out_ << "No order: " << refusalText(result.refusal, from, to) << ".\n";
    }
}

void CommandLoop::play(const Tokens& t) {
    if (t.size() != 2 || t[1] != "general") {
        throw Refusal{"play takes the name of a built-in player: general"};
    }
    general_.playTurn(game_);
}

// The keys held down together, then let go.
void CommandLoop::peoplesFront(const Tokens&) {
    shell_.keyDown(Shell::Key::P);
    shell_.keyDown(Shell::Key::F);
    shell_.keyDown(Shell::Key::J);
    shell_.keyUp(Shell::Key::J);
    shell_.keyUp(Shell::Key::F);
    shell_.keyUp(Shell::Key::P);
}

void CommandLoop::scenario(const Tokens& t) {
    // Any id of the table, wherever its row stands.
    const std::string why = "scenario needs one of the ids " + scenarioIds(", ");
    expectArguments(t, 1, 1, why);
    const int id = static_cast<int>(number(t[1], 0, 2147483647LL, why));
    if (!isScenario(id)) {
        throw Refusal{why};
    }
    startScenario(game_, id);
}

void CommandLoop::menuCommand(const Tokens& t) {
    const std::string why = "command needs an id and an optional number";
    expectArguments(t, 1, 2, why);
    const long long id = number(t[1], 0, 65535, why);
    const long long param = t.size() == 3 ? number(t[2], -2147483648LL, 2147483647LL, why) : 0;
    if (!shell_.command(static_cast<int>(id), static_cast<int>(param))) {
        throw Refusal{"unknown command id " + t[1]};
    }
}

void CommandLoop::listCommands(const Tokens&) {
    out_ << "Commands (docs/console.md has them all):\n";
    char line[160];
    for (const ConsoleCommand& c : kCommands) {
        if (c.synopsis != nullptr) {
            std::snprintf(line, sizeof line, "  %-22s %s\n", c.synopsis, c.purpose);
            out_ << line;
        }
    }
}

// A file path, the only argument of screenshot, save and load.
const std::string& path(const Tokens& t) {
    if (t.size() != 2 || t[1].empty()) {
        throw Refusal{t[0] + " needs a file path"};
    }
    return t[1];
}

void CommandLoop::screenshot(const Tokens& t) {
    const std::string& file = path(t);
    if (!screen_) {
        screen_ = std::make_unique<Screen>(game_, Screen::kLayoutWidth, Screen::kLayoutHeight);
        screen_->buildOverlayKeys();
        screen_->loadPictures();
    }
    std::string why;
    if (!writeScreenshot(*screen_, file, why)) {
        throw Refusal{why};
    }
}

// save PATH, load PATH: the file dialog answers with PATH.
void CommandLoop::file(const Tokens& t) {
    host_.nextPath = path(t);
    shell_.command(t[0] == "save" ? cmd::kSave : cmd::kLoad);
}

}  // namespace

std::string Console::escapeText(const std::string& text) {
    std::string out;
    std::string plain;  // the run of text since the last line break
    auto endRun = [&](const char* escape) {
        out += printableText(plain) + escape;
        plain.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            endRun("\\n");
            ++i;
        } else if (c == '\n') {
            endRun("\\n");
        } else if (c == '\r') {
            endRun("\\r");
        } else if (c == '\\') {
            endRun("\\\\");
        } else {
            plain += c;
        }
    }
    endRun("");
    return out;
}

std::string Console::plainText(const std::string& text) {
    std::string out;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += printableText(line) + '\n';
            line.clear();
            i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 1 : 0;
        } else {
            line += text[i];
        }
    }
    return out + printableText(line);
}

std::optional<std::vector<std::string>> Console::tokenize(const std::string& line) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        std::string token;
        if (line[i] == '"') {
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string::npos) {
                return std::nullopt;
            }
            token = line.substr(i + 1, close - i - 1);
            i = close + 1;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
                token += line[i++];
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

int Console::run(std::optional<std::uint32_t> seed) {
    // Start-up, as the windowed game does it up to the first game being ready.
    GameSession gameSession(seed ? *seed : clockSeed());
    Game* game = &gameSession.game();
    ConsoleHost host(*game, in_, out_, terminal_);
    Shell shell(*game, host);
    FrontEndScope frontEnd(*game, host);
    beginFirstGame(*game);
    // Saves killed part-way by an earlier run leave their temporary files.
    removeStaleTemporaries(".");

    // At a terminal the news is told line by line as it is written, and each
    // new year once it begins.
    std::vector<std::string> toldNews;
    if (terminal_) {
        host.onNews = [&] {
            const std::vector<std::string> log(game->newsLog.begin(), game->newsLog.end());
            // The log is a window of the last lines: what is new follows the
            // longest tail of what was told that starts it.
            std::size_t overlap = std::min(toldNews.size(), log.size());
            while (overlap > 0 && !std::equal(toldNews.end() - static_cast<long>(overlap),
                                              toldNews.end(), log.begin())) {
                --overlap;
            }
            for (std::size_t i = overlap; i < log.size(); ++i) {
                out_ << "NEWS: " << log[i] << '\n';
            }
            toldNews = log;
        };
    }
    CommandLoop loop(*game, shell, host, out_, terminal_);
    const int code = loop.readCommands(in_, interactive_);
    outputError_ = loop.outputError;
    return code;
}

}  // namespace tessarion
