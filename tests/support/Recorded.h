#pragma once

// Records kept beside the tests (the transcripts, the whole games, the map's
// table): what is played now must read as what was kept, line for line. After
// a change meant to alter them, write them anew with
// TESSARION_UPDATE_TRANSCRIPTS=1 and read the difference before committing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TestFolder.h"

namespace tessarion::test {

// The first line where the kept text and the played one part, with the last
// line before it that starts with `heading` (the game it belongs to), if any.
inline std::string firstDifference(const std::string& kept, const std::string& played,
                                   const std::string& heading = "") {
    std::istringstream a(kept);
    std::istringstream b(played);
    std::string within;
    for (int line = 1;; ++line) {
        std::string la;
        std::string lb;
        const bool moreA = static_cast<bool>(std::getline(a, la));
        const bool moreB = static_cast<bool>(std::getline(b, lb));
        if (!moreA && !moreB) {
            return "no difference";
        }
        if (!moreA || !moreB || la != lb) {
            return "line " + std::to_string(line) + (within.empty() ? "" : ", in " + within) +
                   "\n  kept:   " + (moreA ? la : "(end)") +
                   "\n  played: " + (moreB ? lb : "(end)");
        }
        if (!heading.empty() && la.rfind(heading, 0) == 0) {
            within = la;
        }
    }
}

// Compares the played text with the record at `path`, or writes the record
// anew when TESSARION_UPDATE_TRANSCRIPTS is set.
inline void expectAsRecorded(const std::string& path, const std::string& played,
                             const std::string& heading = "", const std::string& hint = "") {
    if (std::getenv("TESSARION_UPDATE_TRANSCRIPTS") != nullptr) {
        std::ofstream(path, std::ios::binary) << played;
        return;
    }
    const std::string kept = contentsOf(path);
    ASSERT_FALSE(kept.empty()) << path
                               << " is missing: write it with TESSARION_UPDATE_TRANSCRIPTS=1";
    EXPECT_TRUE(kept == played) << path << ": " << firstDifference(kept, played, heading) << hint;
}

}  // namespace tessarion::test
