#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "savegame/SavedGameFixture.h"

namespace tessarion {
namespace {

namespace fs = std::filesystem;

// Games saved from real play (seeded campaigns and the scenarios): each one
// damaged in one line, every way a file gets damaged by hand or by a disk.
class DamagedSaveTest : public SavedGameTest {
  protected:
    static std::vector<std::string> linesOf(const std::string& text) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find('\n', start);
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    }
    static std::string joined(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) {
            text += line + "\n";
        }
        return text;
    }

    std::vector<std::string> saves() {
        std::vector<std::string> texts;
        for (const auto& entry : fs::directory_iterator(TESSARION_SAVES)) {
            if (entry.path().extension() == ".TSN") {
                texts.push_back(contentsOf(entry.path()));
            }
        }
        EXPECT_GE(texts.size(), 10u);
        return texts;
    }

    // Refused, the game untouched, and the line named; the line's number.
    // (The game's state is taken once per save: thousands of files follow.)
    int refusedLine(const std::string& text) {
        if (before.empty()) {
            before = stateJson(*game);
        }
        const FileResult result = loadGameText(*game, text);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.caption, "ERROR");
        if (result.ok) {
            before = stateJson(*game);
        }
        const std::string& error = result.error;
        static const std::regex kLine(R"(^Unable to load the game, line ([0-9]+): .+)");
        std::smatch match;
        if (!std::regex_match(error, match, kLine)) {
            ADD_FAILURE() << "no line named: " << error;
            return 0;
        }
        return std::stoi(match[1].str());
    }

    void expectUntouched() {
        EXPECT_EQ(stateJson(*game), before);
        EXPECT_TRUE(advisor.messages.empty());
        before.clear();
    }

    std::string before;
};

TEST_F(DamagedSaveTest, EveryLineDeletedDuplicatedOrBlankedIsRefused) {
    int tried = 0;
    for (const std::string& save : saves()) {
        ASSERT_TRUE(loadGameText(*game, save).ok) << save;
        // Written again, byte for byte (a save written before the notes
        // after the comments gains them).
        ASSERT_EQ(asWrittenBefore(saveGameText(*game), save), save);
        const std::vector<std::string> lines = linesOf(save);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + lines[i]);
            std::vector<std::string> deleted = lines;
            deleted.erase(deleted.begin() + static_cast<long>(i));
            std::vector<std::string> duplicated = lines;
            duplicated.insert(duplicated.begin() + static_cast<long>(i), lines[i]);
            std::vector<std::string> blanked = lines;
            blanked[i].clear();
            refusedLine(joined(deleted));
            refusedLine(joined(duplicated));
            refusedLine(joined(blanked));
            tried += 3;
        }
        expectUntouched();
    }
    RecordProperty("damaged files refused", tried);
}

// What editors and other systems do to a text file without changing a word
// of it still loads to the same game.
TEST_F(DamagedSaveTest, ByteOrderMarkLineEndsAndTrailingBlanksAreHarmless) {
    for (const std::string& save : saves()) {
        std::string crlf;
        std::string padded;
        for (const std::string& line : linesOf(save)) {
            crlf += line + "\r\n";
            padded += line + " \t \n";
        }
        for (const std::string& variant :
             {"\xEF\xBB\xBF" + save, crlf, "\xEF\xBB\xBF" + crlf, padded, save + "\n\n  \n",
              save.substr(0, save.size() - 1)}) {
            newGame(3);
            const FileResult result = loadGameText(*game, variant);
            ASSERT_TRUE(result.ok) << result.error;
            const std::string resaved = saveGameText(*game);
            EXPECT_EQ(asWrittenBefore(resaved, save), save);
        }
    }
}

}  // namespace
}  // namespace tessarion
