#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "savegame/SavedGameFixture.h"

namespace tessarion {
namespace {

namespace fs = std::filesystem;

// Games saved from real play (seeded campaigns and the scenarios), as other
// systems and editors leave them.
class EditedSaveTest : public SavedGameTest {
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
};

// What editors and other systems do to a text file without changing a word
// of it still loads to the same game.
TEST_F(EditedSaveTest, ByteOrderMarkLineEndsAndTrailingBlanksAreHarmless) {
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
