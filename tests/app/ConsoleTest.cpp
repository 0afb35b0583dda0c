// The text console end to end, and the one reader of the numbers typed into it and into the
// options. Seeded campaigns played through the console are compared line for line with
// transcripts kept in tests/app/transcripts: any change to a draw, a message or the protocol
// shows there first. After a change that is meant to alter the games, write the transcripts
// anew and read the difference before committing:
//
//   TESSARION_UPDATE_TRANSCRIPTS=1 build/dev/tests/tessarion_tests --gtest_filter='Transcript*'
#include "app/Console.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>

#include "app/Numbers.h"
#include "game/Game.h"
#include "game/Scenarios.h"
#include "support/Recorded.h"
#include "ui/Language.h"

namespace tessarion {
namespace {

struct Session {
    int code;
    std::string out;
    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        std::istringstream in(out);
        std::string line;
        while (std::getline(in, line)) {
            result.push_back(line);
        }
        return result;
    }
    bool has(const std::string& fragment) const { return out.find(fragment) != std::string::npos; }
};

Session play(const std::string& input, std::uint32_t seed = 7) {
    std::istringstream in(input);
    std::ostringstream out;
    Console console(in, out);
    const int code = console.run(seed);
    return {code, out.str()};
}

TEST(ConsoleTest, TokenizerAndEscapes) {
    auto t = Console::tokenize("drop  \"Upper Rhine\" Belgica");
    ASSERT_TRUE(t);
    EXPECT_EQ(*t, (std::vector<std::string>{"drop", "Upper Rhine", "Belgica"}));
    EXPECT_FALSE(Console::tokenize("drop \"Upper Rhine"));
    // Every text stays on its line: a lone line feed is a line break too, and
    // any other control byte is shown, not sent.
    EXPECT_EQ(Console::escapeText("a\r\nb\rc\\d\ne\x1B[0m\x07"), "a\\nb\\rc\\\\d\\ne\\x1B[0m\\x07");
    EXPECT_EQ(Console::plainText("a\r\nb\x1B[2J\xE2\x80\xAE"), "a\nb\\x1B[2J\\u202E");
}

// Every refusal says what is wrong and leaves the game exactly as it was; a
// command that takes nothing is no command at all when given something.
TEST(ConsoleTest, RefusedCommandsLeaveTheGameAlone) {
    const std::pair<std::string, std::string> refusals[] = {
        {"frobnicate", "unknown command: frobnicate"},
        {"quit now", "unknown command: quit now"},
        {"end 2", "unknown command: end 2"},
        {"drop \"Upper Rhine", "unclosed quote"},
        {"skill 7", "skill needs 0, 1 or 2"},
        {"seed -1", "seed needs a number from 0 to 4294967295"},
        {"answer", "answer takes yes or no, one or more"},
        {"answer yes maybe", "answer takes yes or no, one or more"},
        {"press 1", "press needs two whole numbers X Y"},
        {"release 1 x", "release needs two whole numbers X Y"},
        {"drop Italia", "drop needs two province names"},
        {"drop Italia Atlantis", "unknown province Atlantis"},
        {"play hero", "play takes the name of a built-in player: general"},
        // Past the scenarios' range, so no scenario ever takes it.
        {"scenario 1200", "scenario needs one of the ids " + scenarioIds(", ")},
        {"command 70000", "command needs an id and an optional number"},
        {"command 9999", "unknown command id 9999"},
        {"screenshot", "screenshot needs a file path"},
        {"load \"\"", "load needs a file path"},
        // A backslash quoted from the line is shown as one, not as an escape.
        {"frob\\nicate", "unknown command: frob\\\\nicate"},
        // A line longer than any command is refused whole, and the next one read.
        {std::string(70000, 'x'), "the line is longer than 65536 bytes"},
    };
    std::string script = "skill 2\nnew\nstate\n";
    for (const auto& [line, message] : refusals) {
        script += line + "\n";
    }
    Session r = play(script + "state\n");
    const auto lines = r.lines();
    ASSERT_EQ(lines.size(), std::size(refusals) + 2) << r.out;
    EXPECT_NE(lines[0].find("\"treasury\": 50000"), std::string::npos);
    for (std::size_t i = 0; i < std::size(refusals); ++i) {
        EXPECT_EQ(lines[i + 1], "ERROR: " + refusals[i].second) << refusals[i].first;
    }
    EXPECT_EQ(lines.back(), lines[0]);
}

TEST(ConsoleTest, QuestionsTakeQueuedAnswersAndTheGameCanEndTheProgram) {
    Session r = play("answer no\ncommand 3002\nhelp\ncommand 105\nstate\n");
    EXPECT_TRUE(r.has("QUESTION: Discard the current game? -> no"));
    EXPECT_TRUE(r.has("QUESTION: Welcome, Princeps\\n\\nI am your advisor"));
    EXPECT_TRUE(r.has("-> no\nMESSAGE: If at any time you need help"));
    EXPECT_TRUE(r.has("QUIT\n"));
    EXPECT_FALSE(r.has("\"turn\"")) << "nothing runs after the game has ended";
    EXPECT_EQ(r.code, 0);
}

TEST(ConsoleTest, PicturesPagesAndScenarios) {
    Session r = play("command 2010\ncommand 108\ncommand 104\nscenario " +
                     std::to_string(scenarioOfYear(455)->id) + "\nstate\n");
    EXPECT_TRUE(
        r.has("SHOW: lesson \"Battle of Adrianople\" (picture 249, narration IDR_ADRIANOPLE)"));
    EXPECT_TRUE(r.has("OPEN: "));
    EXPECT_TRUE(r.has("/quiz.")) << "the quiz page, installed or on the web site";
    EXPECT_TRUE(r.has("SHOW: About"));
    EXPECT_TRUE(r.has("\"year\": 454"));
}

TEST(ConsoleTest, MapAndReportReadAsText) {
    // (The map and the report of whole games are in the kept transcripts.)
    Session r = play("drop Italia Raetia\nmap\nreport\ncommands\n");
    EXPECT_TRUE(r.has("\nRaetia         Romans             Romans 1 (0 can move)\n"));
    EXPECT_TRUE(r.has("  drop FROM TO"));
    EXPECT_FALSE(r.has("Type map and report")) << "no hint line when the input is not a person's";
}

// A person at a terminal reads the game in their language: every message
// and question of a seeded session is said otherwise than in English, and the
// answers are the language's words.
TEST(ConsoleTest, APersonReadsTheSessionInTheirLanguage) {
    auto session = [](std::string_view language, const std::string& yes) {
        setLanguage(language);
        // The listings and a refusal too, then years of questions.
        std::string input = "commands\nmap\nreport\nfoo\n";
        for (int year = 0; year < 12; ++year) {
            input += "end\n" + yes + "\n" + yes + "\n";
        }
        std::istringstream in(input);
        std::ostringstream out;
        Console(in, out, true, true).run(11);
        setLanguage("en");
        return out.str();
    };
    const std::string english = session("en", "yes");
    // The advisor's paragraphs and the questions, as the English session shows them.
    std::vector<std::string> said;
    std::istringstream lines(english);
    for (std::string line; std::getline(lines, line);) {
        // Every line of a text is the game's, but for the prompt's mark; short
        // ones may be a name, and "Princeps," is Latin in every language.
        // ("SHOW:" names what a window would open: the protocol's word.)
        line = line.substr(line.rfind("> ", 0) == 0 ? 2 : 0);
        if ((line.size() >= 20 && line.rfind("SHOW: ", 0) != 0) || line == "Yes or no? ") {
            said.push_back(line.substr(line.rfind("NEWS: ", 0) == 0 ? 6 : 0));
        }
    }
    ASSERT_GT(said.size(), 5u);
    for (const auto& [language, yes] : {std::pair{"de", "ja"}, std::pair{"fr", "oui"}}) {
        const std::string shown = session(language, yes);
        EXPECT_NE(shown.find("== 240"), std::string::npos)
            << language << ": the answers were taken";
        for (const std::string& line : said) {
            EXPECT_EQ(shown.find(line), std::string::npos) << language << " still says: " << line;
        }
    }
}

TEST(Numbers, OnlyAWholeNumberWithinTheBoundsIsTaken) {
    long long v = 99;
    for (const auto& [text, low, high] : {std::tuple{"0", 0LL, 2LL},
                                          {"2", 0LL, 2LL},
                                          {"-100000", -100000LL, 100000LL},
                                          {"4294967295", 0LL, 4294967295LL}}) {
        EXPECT_TRUE(parseNumber(text, low, high, v)) << text;
        EXPECT_EQ(std::to_string(v), text);
    }

    v = 7;
    for (const char* bad : {"", " 1", "1 ", "+1", "1x", "0x10", "1.0", "3", "-1", "--1",
                            "4294967296", "99999999999999999999999"}) {
        EXPECT_FALSE(parseNumber(bad, 0, 2, v)) << bad;
        EXPECT_EQ(v, 7) << "a refused text leaves the value alone: " << bad;
    }
    EXPECT_FALSE(parseNumber("4294967296", 0, 4294967295LL, v));
    EXPECT_FALSE(parseNumber("-9223372036854775809", -9223372036854775807LL - 1, 0, v));
    EXPECT_EQ(v, 7);
}

constexpr int kYears = 30;

std::string runConsole(const std::string& script, std::uint32_t seed, bool terminal) {
    std::istringstream in(script);
    std::ostringstream out;
    Console console(in, out, false, terminal);
    const int code = console.run(seed);
    out << "EXIT " << code << '\n';
    return out.str();
}

void compareWithStored(const std::string& name, const std::string& played) {
    test::expectAsRecorded(std::string(TESSARION_TRANSCRIPTS) + "/" + name + ".txt", played);
}

// The general plays every start at every skill for kYears turns. Every
// other year's questions are answered yes (peace bought, bonuses paid, a new
// game after a defeat), the rest no (and a refused bonus may bring a revolt).
TEST(TranscriptTest, TheGeneralPlaysEveryStartAtEverySkill) {
    for (int from : {235, 1100, 1101, 1102, 1103}) {
        for (int skill = 0; skill < 3; ++skill) {
            std::string script = "skill " + std::to_string(skill) + "\n";
            script += from == 235 ? "new\n" : "scenario " + std::to_string(from) + "\n";
            for (int year = 1; year <= kYears; ++year) {
                script += year % 2 == 0 ? "answer yes yes\n" : "";
                script += "play general\nend\n";
                if (year % 10 == 0) {
                    script += "report\n";
                }
            }
            script += "map\nstate\n";
            const auto seed = static_cast<std::uint32_t>(from * 10 + skill);
            compareWithStored("from-" + std::to_string(from) + "-skill-" + std::to_string(skill),
                              runConsole(script, seed, false));
        }
    }
}

// A person at a terminal: orders given by hand, accepted and refused for each
// reason the console gives, with the news told as it happens.
TEST(TranscriptTest, APersonAtATerminal) {
    std::string script =
        "drop Italia Raetia\n"
        "drop Raetia Italia\n"           // the legion there has moved
        "drop Italia Italia\n"           // already there
        "drop Italia \"Upper Rhine\"\n"  // the tribes' legions stand there: a raid
        "drop Italia Sarmatia\n"         // beyond the frontier, not next door
        "drop Italia Armenia\n"
        "drop Belgica Italia\n"    // no Roman legion in Belgica
        "drop Italia Britannia\n"  // a route
        "drop Italia Britannia\n"
        "drop Britannia Aegyptus\n"
        "drop Aegyptus Mesopotamia\n"
        "drop Syria Mesopotamia\n";
    for (int year = 1; year <= 12; ++year) {
        script +=
            "answer no no no no no no\nplay general\ndrop Italia Britannia\n"
            "drop Syria Mesopotamia\ndrop Dacia Sarmatia\nend\n";
    }
    script += "report\nmap\n";
    compareWithStored("terminal", runConsole(script, 2024, true));
}

}  // namespace
}  // namespace tessarion
