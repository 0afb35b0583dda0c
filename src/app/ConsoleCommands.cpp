#include "app/ConsoleCommands.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <istream>
#include <ostream>
#include <sstream>

#include "app/Console.h"
#include "app/ConsoleHost.h"
#include "app/ConsolePerson.h"
#include "app/Numbers.h"
#include "engine/Orders.h"
#include "engine/RomanEmpire.h"
#include "game/Chronicle.h"
#include "game/Game.h"
#include "game/Scenarios.h"
#include "game/StateJson.h"
#include "game/TurnCycle.h"
#include "model/InternalError.h"
#include "savegame/EmergencySave.h"
#include "ui/Language.h"
#include "ui/Reports.h"
#include "ui/Screen.h"
#include "ui/Screenshot.h"
#include "ui/Shell.h"

namespace tessarion {

namespace {

// The text and blanks after it up to `width` letters (an accented letter is
// one), as a column of the map's table.
std::string padded(std::string text, std::size_t width) {
    std::size_t letters = 0;
    for (unsigned char c : text) {
        letters += (c & 0xC0) != 0x80;
    }
    if (letters < width) {
        text.append(width - letters, ' ');
    }
    return text;
}

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
std::string mapText(Game& game, bool translated) {
    const auto say = [translated](std::string_view english) {
        return translated ? tr(english) : std::string(english);
    };
    std::ostringstream o;
    o << (translated ? trFormat(N_("Year %d AD"), {std::to_string(game.year())})
                     : "Year " + std::to_string(game.year()) + " AD")
      << '\n';
    o << padded(say(N_("Province")), 14) << ' ' << padded(say(N_("Held by")), 18) << ' '
      << say(N_("Legions")) << '\n';
    for (auto& p : game.provinces) {
        Empire* owner = game.ownerOf(p.get());
        std::string legions;
        for (Empire* e : game.powers()) {
            const int n = e->legionsIn(p.get());
            if (n == 0) {
                continue;
            }
            legions += (legions.empty() ? "" : ", ") + say(e->name) + " " + std::to_string(n);
            if (e == &game.romans) {
                int ready = 0;
                for (const auto& l : e->legions) {
                    ready += sameProvince(l->province, p.get()) && !l->moved;
                }
                legions += translated ? " (" + trFormat(N_("%d can move"), {std::to_string(ready)}) + ")"
                                      : " (" + std::to_string(ready) + " can move)";
            }
        }
        o << padded(say(p->name), 14) << ' ' << padded(owner ? say(owner->name) : say(N_("nobody")), 18)
          << ' ' << (legions.empty() ? say(N_("none")) : legions) << '\n';
    }
    return o.str();
}

std::string reportText(const Game& game, bool translated) {
    std::ostringstream o;
    for (const ReportLine& line : economicReportLines(game)) {
        o << line.text << (line.red ? " (!)" : "") << '\n';
    }
    o << (translated ? tr("MILITARY REPORT") : "MILITARY REPORT") << '\n';
    for (const std::string& news : game.newsLog) {
        o << "  " << (translated ? tr(news) : news) << '\n';
    }
    return o.str();
}

// A command refused for what was typed: the session says why and the game is
// left as it was.
struct Refusal {
    std::string reason;
};

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

// A file path, the only argument of screenshot, save and load.
const std::string& path(const Tokens& t) {
    if (t.size() != 2 || t[1].empty()) {
        throw Refusal{formatText(N_("%s needs a file path"), t[0].c_str())};
    }
    return t[1];
}

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
    static const std::string text = formatText(N_("a new game; a scenario (%s)"), scenarioIds(", ").c_str());
    return text.c_str();
}

// In the order of the `commands` list.
const ConsoleCommand kCommands[] = {
    {"map", true, &CommandLoop::map, "map", N_("every province: owner and legions")},
    {"report", true, &CommandLoop::report, "report", N_("the economic and military reports")},
    {"drop", false, &CommandLoop::drop, "drop FROM TO",
     N_("move or attack with a legion (names with blanks in quotes)")},
    {"end", true, &CommandLoop::endTurn, "end", N_("end the turn")},
    {"answer", false, &CommandLoop::answer, "answer yes|no ...", N_("answers for the next questions")},
    {"play", false, &CommandLoop::play, "play general",
     N_("let the built-in general give this turn's orders")},
    {"pfj", true, &CommandLoop::peoplesFront, "pfj", N_("the People's Front of Judea")},
    {"new", true, &CommandLoop::newGame, "new, scenario ID", newGamePurpose()},
    {"scenario", false, &CommandLoop::scenario, nullptr, nullptr},
    {"skill", false, &CommandLoop::skill, "skill 0|1|2",
     N_("Easy, Normal, Hard (from the next new game)")},
    {"save", false, &CommandLoop::file, "save FILE, load FILE", N_("saved games")},
    {"load", false, &CommandLoop::file, nullptr, nullptr},
    {"help", true, &CommandLoop::help, "help", N_("the Prefect's hints")},
    {"state", true, &CommandLoop::state, "state", N_("the whole game as JSON")},
    {"chronicle", true, &CommandLoop::chronicle, "chronicle",
     N_("the game year by year as CSV, with history beside it")},
    {"quit", true, &CommandLoop::quit, "quit", N_("leave")},
    {"seed", false, &CommandLoop::seed, nullptr, nullptr},
    {"press", false, &CommandLoop::pointer, nullptr, nullptr},
    {"release", false, &CommandLoop::pointer, nullptr, nullptr},
    {"command", false, &CommandLoop::menuCommand, nullptr, nullptr},
    {"screenshot", false, &CommandLoop::screenshot, nullptr, nullptr},
    {"commands", true, &CommandLoop::listCommands, nullptr, nullptr},
};

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

CommandLoop::CommandLoop(Game& game, Shell& shell, ConsoleHost& host, PersonHost* person,
                         std::ostream& out)
    : game_(game), shell_(shell), host_(host), person_(person), out_(out) {
    if (person_ != nullptr) {
        person_->startTelling();
    }
}

CommandLoop::~CommandLoop() = default;

std::string CommandLoop::told(std::string_view english) const {
    return person_ != nullptr ? tr(english) : std::string(english);
}

int CommandLoop::readCommands(std::istream& in, bool interactive) {
    if (interactive) {
        PersonHost::greet(out_);
    }
    std::string line;
    for (;;) {
        if (person_ != nullptr) {
            person_->prompt();
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
                throw Refusal{formatText(N_("the line is longer than %s bytes"),
                                        std::to_string(kLongestLine).c_str())};
            }
            if (const std::optional<int> code = carryOut(line)) {
                return *code;
            }
        } catch (const Refusal& refusal) {
            out_ << "ERROR: " << Console::escapeText(told(refusal.reason)) << '\n';
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
        throw Refusal{N_("unclosed quote")};
    }
    if (t->empty() || (*t)[0][0] == '#') {
        return std::nullopt;
    }
    const auto command = std::find_if(std::begin(kCommands), std::end(kCommands), [&](auto& c) {
        return (*t)[0] == c.name && (!c.bare || t->size() == 1);
    });
    if (command == std::end(kCommands)) {
        throw Refusal{formatText(N_("unknown command: %s"), line.c_str())};
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
    if (person_ != nullptr) {
        person_->tellNewYear();
    }
    return std::nullopt;
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

void CommandLoop::state(const Tokens&) {
    out_ << stateJson(game_) << '\n';
}
void CommandLoop::newGame(const Tokens&) {
    shell_.command(cmd::kNewGame, 1);
}
void CommandLoop::endTurn(const Tokens&) {
    shell_.rightButtonUp();
}
void CommandLoop::help(const Tokens&) {
    shell_.command(cmd::kHelp);
}
void CommandLoop::map(const Tokens&) {
    out_ << mapText(game_, person_ != nullptr);
}
void CommandLoop::report(const Tokens&) {
    out_ << reportText(game_, person_ != nullptr);
}
void CommandLoop::chronicle(const Tokens&) {
    out_ << chronicleCsv(game_);
}

void CommandLoop::seed(const Tokens& t) {
    const std::optional<std::uint32_t> seed = t.size() == 2 ? parseSeed(t[1]) : std::nullopt;
    if (!seed) {
        throw Refusal{N_("seed needs a number from 0 to 4294967295")};
    }
    game_.random.seed(*seed);
}

void CommandLoop::skill(const Tokens& t) {
    const std::string why = N_("skill needs 0, 1 or 2");
    expectArguments(t, 1, 1, why);
    shell_.command(cmd::kEasy + static_cast<int>(number(t[1], 0, 2, why)));
}

void CommandLoop::answer(const Tokens& t) {
    const auto yesOrNo = [](const std::string& a) { return a == "yes" || a == "no"; };
    if (t.size() < 2 || !std::all_of(t.begin() + 1, t.end(), yesOrNo)) {
        throw Refusal{N_("answer takes yes or no, one or more")};
    }
    for (auto a = t.begin() + 1; a != t.end(); ++a) {
        host_.answers.push_back(*a == "yes");
    }
}

// press X Y, release X Y: the left button at a window point.
void CommandLoop::pointer(const Tokens& t) {
    const std::string why = formatText(N_("%s needs two whole numbers X Y"), t[0].c_str());
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
        throw Refusal{
            formatText(N_("unknown province %s"), (from == nullptr ? t[1] : t[2]).c_str())};
    }
    const OrderResult result = orderLegion(game_, from, to);
    if (person_ != nullptr) {
        person_->tellOrder(result, from, to);
    }
}

void CommandLoop::play(const Tokens& t) {
    if (t.size() != 2 || t[1] != "general") {
        throw Refusal{N_("play takes the name of a built-in player: general")};
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
    const std::string why =
        formatText(N_("scenario needs one of the ids %s"), scenarioIds(", ").c_str());
    expectArguments(t, 1, 1, why);
    const int id = static_cast<int>(number(t[1], 0, 2147483647LL, why));
    if (!isScenario(id)) {
        throw Refusal{why};
    }
    startScenario(game_, id);
}

void CommandLoop::menuCommand(const Tokens& t) {
    const std::string why = N_("command needs an id and an optional number");
    expectArguments(t, 1, 2, why);
    const long long id = number(t[1], 0, 65535, why);
    const long long param = t.size() == 3 ? number(t[2], -2147483648LL, 2147483647LL, why) : 0;
    if (!shell_.command(static_cast<int>(id), static_cast<int>(param))) {
        throw Refusal{formatText(N_("unknown command id %s"), t[1].c_str())};
    }
}

void CommandLoop::listCommands(const Tokens&) {
    out_ << told(N_("Commands (docs/console.md has them all):")) << '\n';
    for (const ConsoleCommand& c : kCommands) {
        if (c.synopsis != nullptr) {
            out_ << "  " << padded(c.synopsis, 22) << ' ' << told(c.purpose) << '\n';
        }
    }
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

}  // namespace tessarion
