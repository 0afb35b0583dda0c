// Seeded campaigns played through the console, compared line for line with
// transcripts kept in tests/app/transcripts. Any change to a draw, a message
// or the protocol shows here first. After a change that is meant to alter the
// games, write the transcripts anew and read the difference before committing:
//
//   TESSARION_UPDATE_TRANSCRIPTS=1 build/dev/tests/tessarion_tests --gtest_filter='Transcript*'
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/Console.h"
#include "support/Recorded.h"

namespace tessarion {
namespace {

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
