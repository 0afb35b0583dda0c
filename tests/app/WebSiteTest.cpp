// Where the Help and History menus send the player.
#include "app/WebSite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tessarion {
namespace {

// The local file a file:// address names, or "" for any other address.
std::filesystem::path localFile(const std::string& address) {
    const std::string scheme = "file://";
    if (address.compare(0, scheme.size(), scheme) != 0) {
        return {};
    }
    return address.substr(scheme.size());
}

TEST(WebSite, PagesOpenFromTheCopyBesideTheGame) {
    // The tests run from the build tree, so the pages are those the build gathered.
    for (const char* page : {"/guide.html", "/tutorial.html"}) {
        const std::filesystem::path file = localFile(webAddress(page));
        ASSERT_FALSE(file.empty()) << webAddress(page);
        EXPECT_TRUE(file.is_absolute()) << file;
        EXPECT_EQ(file.filename(), std::filesystem::path(page).filename());
        EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
    }
}

TEST(WebSite, TheQuizIsAPageThatChecksItself) {
    // There is no server to run a script: the quiz's address opens its page.
    const std::filesystem::path quiz = localFile(webAddress("/quiz.php"));
    EXPECT_EQ(quiz.filename(), "quiz.html");
    EXPECT_TRUE(std::filesystem::is_regular_file(quiz)) << quiz;
    EXPECT_EQ(localFile(webAddress("quiz.php")), quiz) << "with or without the leading slash";
    EXPECT_EQ(localFile(webAddress("//quiz.php")), quiz);
    // Only the ending is mapped.
    EXPECT_EQ(localFile(webAddress("/php")).filename(), "php");
    // A language's own page where it was installed; English for any other code.
    EXPECT_EQ(localFile(webAddress("/quiz.php", "de")).filename(), "quiz.de.html");
    EXPECT_EQ(localFile(webAddress("/guide.html", "pt")).filename(), "guide.html");
    EXPECT_EQ(localFile(webAddress("/guide.html", "DE")).filename(), "guide.html");
}

}  // namespace
}  // namespace tessarion
