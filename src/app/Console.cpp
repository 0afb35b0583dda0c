#include "app/Console.h"
#include "app/Numbers.h"
#include "game/GameSession.h"
#include "game/StateJson.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <istream>
#include <ostream>
#include <sstream>

#include "app/GeneralPlayer.h"
#include "app/WebSite.h"
#include "engine/Orders.h"
#include "engine/RomanEmpire.h"
#include "engine/Routes.h"
#include "game/Events.h"
#include "game/Game.h"
#include "game/Scenarios.h"
#include "game/TurnCycle.h"
#include "model/FrontEnd.h"
#include "model/InternalError.h"
#include "model/Random.h"
#include "savegame/AtomicWrite.h"
#include "savegame/EmergencySave.h"
#include "ui/Reports.h"
#include "ui/Screen.h"
#include "ui/Screenshot.h"
#include "ui/Shell.h"

namespace tessarion {

namespace {

// Everything the player would see in a box, as console lines.
class ConsoleAdvisor {
  public:
    // With `terminal` set a person reads the texts, and answers the questions
    // for which no answer was given beforehand.
    ConsoleAdvisor(std::istream& in, std::ostream& out, bool terminal)
        : in_(in), out_(out), terminal_(terminal) {}

    void showMessage(const std::string& text) {
        ++spoken;
        if (terminal_) {
            out_ << '\n' << Console::plainText(text) << "\n\n";
            return;
        }
        out_ << "MESSAGE: " << Console::escapeText(text) << '\n';
    }
    bool askYesNo(const std::string& text) {
        ++spoken;
        if (terminal_ && answers.empty()) {
            return ask(text);
        }
        bool yes = false;
        if (!answers.empty()) {
            yes = answers.front();
            answers.pop_front();
        }
        if (terminal_) {
            out_ << '\n' << Console::plainText(text) << "\n-> " << (yes ? "yes" : "no") << "\n\n";
            return yes;
        }
        out_ << "QUESTION: " << Console::escapeText(text) << (yes ? " -> yes" : " -> no") << '\n';
        return yes;
    }

    std::deque<bool> answers;
    // Boxes shown so far: an order refused without a word needs one from us.
    int spoken = 0;

  private:
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

    std::istream& in_;
    std::ostream& out_;
    bool terminal_;
};

// Why the rules give no order for a drag and say nothing about it.
std::string whyNoOrder(Province* from, Province* to) {
    Game& game = Game::instance();
    if (game.romans.legionsIn(from) == 0) {
        return "no Roman legion stands in " + from->name;
    }
    if (!hasReadyLegion(game.romans, from)) {
        return "the legions in " + from->name + " are already marching to their orders";
    }
    if (from == to) {
        return "the legion is already in " + to->name;
    }
    if (isBeyondBorder(to) && !isNeighbour(from, to) && !isNeighbour(to, from)) {
        return "too far beyond the frontier";
    }
    return "there is no way from " + from->name + " to " + to->name;
}

class ConsolePresentation {
  public:
    explicit ConsolePresentation(std::ostream& out) : out_(out) {}

    void openPictureBox(int pictureId) {
        if (const Lesson* lesson = lessonForPicture(pictureId)) {
            out_ << "SHOW: lesson \"" << lesson->title << "\" (picture " << pictureId << ")\n";
        } else {
            out_ << "SHOW: picture " << pictureId << '\n';
        }
    }
    void showResults(int invasions, int plagues, int rebellions) {
        out_ << "SHOW: Results (invasions " << invasions << ", plagues " << plagues
             << ", rebellions " << rebellions << ")\n";
    }
    void quit() { quitRequested = true; }
    void postCommand(int id, int param) { posted.emplace_back(id, param); }

    bool quitRequested = false;
    std::deque<std::pair<int, int>> posted;

  private:
    std::ostream& out_;
};

// The console's front end: the advisor's lines, the pictures and boxes as
// SHOW lines, the dialogs answered from the command line.
class ConsoleHost : public ShellHost {
  public:
    ConsoleHost(std::ostream& out, ConsoleAdvisor& advisor, ConsolePresentation& presentation)
        : out_(out), advisor_(advisor), presentation_(presentation) {}

    void showMessage(const std::string& text) override { advisor_.showMessage(text); }
    bool askYesNo(const std::string& text) override { return advisor_.askYesNo(text); }
    void openPictureBox(int pictureId) override { presentation_.openPictureBox(pictureId); }
    void showResults(int invasions, int plagues, int rebellions) override {
        presentation_.showResults(invasions, plagues, rebellions);
    }
    void postCommand(int id, int param) override { presentation_.postCommand(id, param); }
    void refreshReports() override {
        if (onNews) {
            onNews();
        }
    }
    void playLesson(const Lesson& lesson) override {
        out_ << "SHOW: lesson \"" << lesson.title << "\" (picture " << lesson.pictureId
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
    void quit() override { presentation_.quit(); }

    // The path the next file dialog answers with (the save and load commands).
    std::optional<std::string> nextPath;
    bool terminal = false;
    // At a terminal the news is told as it is written.
    std::function<void()> onNews;

  private:
    std::optional<std::string> takePath() {
        std::optional<std::string> p = std::move(nextPath);
        nextPath.reset();
        return p;
    }

    std::ostream& out_;
    ConsoleAdvisor& advisor_;
    ConsolePresentation& presentation_;
};

Province* provinceNamed(const std::string& name) {
    for (auto& p : Game::instance().provinces) {
        if (p->name == name) {
            return p.get();
        }
    }
    return nullptr;
}

const char* const kCommandsText =
    "Commands (docs/console.md has them all):\n"
    "  map                    every province: owner and legions\n"
    "  report                 the economic and military reports\n"
    "  drop FROM TO           move or attack with a legion (names with blanks in quotes)\n"
    "  end                    end the turn\n"
    "  answer yes|no ...      answers for the next questions\n"
    "  play general           let the built-in general give this turn's orders\n"
    "  pfj                    the People's Front of Judea\n"
    "  new, scenario ID       a new game; a scenario (1100, 1101, 1102, 1103)\n"
    "  skill 0|1|2            Easy, Normal, Hard (from the next new game)\n"
    "  save FILE, load FILE   saved games\n"
    "  help                   the Prefect's hints\n"
    "  state                  the whole game as JSON\n"
    "  quit                   leave\n";

// A table a person (or a screen reader) can follow: every province, who holds
// it and whose legions stand there.
std::string mapText() {
    Game& game = Game::instance();
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

std::string reportText() {
    std::ostringstream o;
    for (const ReportLine& line : economicReportLines(Game::instance())) {
        o << line.text << (line.red ? " (!)" : "") << '\n';
    }
    o << "MILITARY REPORT\n";
    for (const std::string& news : Game::instance().newsLog) {
        o << "  " << news << '\n';
    }
    return o.str();
}

}  // namespace

std::string Console::escapeText(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "\\n";
            ++i;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out += c;
        }
    }
    return out;
}

std::string Console::plainText(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            i += i + 1 < text.size() && text[i + 1] == '\n' ? 1 : 0;
        } else {
            out += text[i];
        }
    }
    return out;
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
    ConsoleAdvisor advisor(in_, out_, terminal_);
    ConsolePresentation presentation(out_);
    ConsoleHost host(out_, advisor, presentation);
    host.terminal = terminal_;
    GeneralPlayer general;
    std::unique_ptr<Screen> screen;  // made at the first screenshot

    // Start-up, as the windowed game does it up to the first game being ready.
    GameSession session(seed ? *seed : clockSeed());
    Game* game = &session.game();
    Shell shell(*game, host);
    FrontEndScope frontEnd(host);
    beginFirstGame(*game);
    // Saves killed part-way by an earlier run leave their temporary files.
    removeStaleTemporaries(".");

    auto error = [&](const std::string& reason) { out_ << "ERROR: " << reason << '\n'; };
    // At a terminal the news is told line by line as it is written, and each
    // new year once it begins.
    std::vector<std::string> toldNews;
    int toldTurn = game->turn;
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
    auto tellNewYear = [&] {
        if (terminal_ && game->turn != toldTurn) {
            toldTurn = game->turn;
            out_ << "\n== " << game->year() << " AD ==\n";
        }
    };
    if (interactive_) {
        out_ << "Tessarion, 235 AD. Type map and report to look around, commands for what you can "
                "do, quit to "
                "leave.\n";
    }

    std::string line;
    for (;;) {
        if (terminal_) {
            out_ << "> " << std::flush;
        }
        if (!std::getline(in_, line)) {
            break;
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::optional<std::vector<std::string>> parsed = tokenize(line);
        if (!parsed) {
            error("unclosed quote");
            continue;
        }
        const std::vector<std::string>& t = *parsed;
        if (t.empty() || t[0][0] == '#') {
            continue;
        }
        const std::string& c = t[0];
        const std::size_t args = t.size() - 1;
        long long n = 0;
        long long m = 0;

        try {
            if (c == "quit" && args == 0) {
                return 0;
            } else if (c == "state" && args == 0) {
                out_ << stateJson(*game) << '\n';
            } else if (c == "seed") {
                if (args != 1 || !parseNumber(t[1], 0, 4294967295LL, n)) {
                    error("seed needs a number from 0 to 4294967295");
                    continue;
                }
                seedRandom(static_cast<std::uint32_t>(n));
            } else if (c == "skill") {
                if (args != 1 || !parseNumber(t[1], 0, 2, n)) {
                    error("skill needs 0, 1 or 2");
                    continue;
                }
                shell.command(cmd::kEasy + static_cast<int>(n));
            } else if (c == "new" && args == 0) {
                shell.command(cmd::kNewGame, 1);
            } else if (c == "answer") {
                std::deque<bool> queued;
                bool ok = args > 0;
                for (std::size_t i = 1; i < t.size(); ++i) {
                    if (t[i] == "yes") {
                        queued.push_back(true);
                    } else if (t[i] == "no") {
                        queued.push_back(false);
                    } else {
                        ok = false;
                    }
                }
                if (!ok) {
                    error("answer takes yes or no, one or more");
                    continue;
                }
                advisor.answers.insert(advisor.answers.end(), queued.begin(), queued.end());
            } else if (c == "end" && args == 0) {
                shell.rightButtonUp();
            } else if ((c == "press" || c == "release")) {
                if (args != 2 || !parseNumber(t[1], -100000, 100000, n) ||
                    !parseNumber(t[2], -100000, 100000, m)) {
                    error(c + " needs two whole numbers X Y");
                    continue;
                }
                if (c == "press") {
                    shell.leftButtonDown(static_cast<int>(n), static_cast<int>(m));
                } else {
                    shell.leftButtonUp(static_cast<int>(n), static_cast<int>(m));
                }
            } else if (c == "drop") {
                if (args != 2) {
                    error("drop needs two province names");
                    continue;
                }
                Province* from = provinceNamed(t[1]);
                Province* to = provinceNamed(t[2]);
                if (from == nullptr || to == nullptr) {
                    error("unknown province " + (from == nullptr ? t[1] : t[2]));
                    continue;
                }
                const int spoken = advisor.spoken;
                if (!shell.dragLegion(from, to)) {
                    error("no point on the map picks " + from->name + " and " + to->name);
                    continue;
                }
                if (terminal_ && shell.lastDropCarriedOut) {
                    out_ << "Done: a legion of " << from->name << " sent to " << to->name << ".\n";
                } else if (terminal_ && advisor.spoken == spoken) {
                    out_ << "No order: " << whyNoOrder(from, to) << ".\n";
                }
            } else if (c == "play") {
                if (args != 1 || t[1] != "general") {
                    error("play takes the name of a built-in player: general");
                    continue;
                }
                general.playTurn(shell);
            } else if (c == "pfj" && args == 0) {
                shell.keyDown(Shell::Key::P);
                shell.keyDown(Shell::Key::F);
                shell.keyDown(Shell::Key::J);
                shell.keyUp(Shell::Key::J);
                shell.keyUp(Shell::Key::F);
                shell.keyUp(Shell::Key::P);
            } else if (c == "scenario") {
                if (args != 1 || !parseNumber(t[1], 1100, 1103, n)) {
                    error("scenario needs an id from 1100 to 1103");
                    continue;
                }
                startScenario(*game, static_cast<int>(n));
            } else if (c == "command") {
                if (args < 1 || args > 2 || !parseNumber(t[1], 0, 65535, n) ||
                    (args == 2 && !parseNumber(t[2], -2147483648LL, 2147483647LL, m))) {
                    error("command needs an id and an optional number");
                    continue;
                }
                if (!shell.command(static_cast<int>(n), static_cast<int>(m))) {
                    error("unknown command id " + t[1]);
                    continue;
                }
            } else if (c == "help" && args == 0) {
                shell.command(cmd::kHelp);
            } else if (c == "map" && args == 0) {
                out_ << mapText();
            } else if (c == "report" && args == 0) {
                out_ << reportText();
            } else if (c == "commands" && args == 0) {
                out_ << kCommandsText;
            } else if (c == "screenshot") {
                if (args != 1 || t[1].empty()) {
                    error("screenshot needs a file path");
                    continue;
                }
                if (!screen) {
                    screen = std::make_unique<Screen>(*game, Screen::kLayoutWidth,
                                                      Screen::kLayoutHeight);
                    screen->buildOverlayKeys();
                    screen->loadPictures();
                }
                screen->hoveredProvince = nullptr;
                std::string why;
                if (!writeScreenshot(*screen, t[1], why)) {
                    error(why);
                    continue;
                }
            } else if ((c == "save" || c == "load")) {
                if (args != 1 || t[1].empty()) {
                    error(c + " needs a file path");
                    continue;
                }
                host.nextPath = t[1];
                shell.command(c == "save" ? cmd::kSave : cmd::kLoad);
            } else {
                error("unknown command: " + line);
                continue;
            }
            while (!presentation.quitRequested && !presentation.posted.empty()) {
                auto [id, param] = presentation.posted.front();
                presentation.posted.pop_front();
                shell.command(id, param);
            }
            if (presentation.quitRequested) {
                out_ << "QUIT\n";
                return 0;
            }
            tellNewYear();
        } catch (...) {
            // The game cannot go on; keep it beside the saves the session
            // names relative to the current folder.
            const std::string what = describeCurrentException();
            const EmergencySave saved = saveForEmergency(".");
            out_ << "INTERNAL ERROR: " << Console::escapeText(what)
                 << (saved.saved ? " (the game was saved to " + saved.path + ")"
                                 : " (the game could not be saved: " + saved.reason + ")")
                 << '\n';
            return 3;
        }
        out_.flush();
    }
    return 0;
}

}  // namespace tessarion
