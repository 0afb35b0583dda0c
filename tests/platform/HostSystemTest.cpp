// The operating-system answers: file addresses the browser can open, the saved games' and
// settings' places from the environment, and the save folder as the shell reads it back on its
// way to the file chooser: whatever the folder's name holds, the one word it was.
// The Help and History menus send the player to the pages beside the game.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "app/WebSite.h"
#include "platform/HostSystem.h"
#include "platform/SdlPlatform.h"

namespace tessarion {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// Decodes %XX escapes, as the browser does before opening the file.
std::string unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

TEST(HostSystemTest, FileAddressesEscapeWhatWouldCutThemAndKeepDriveLetters) {
    // A blank, '#' and '?' would end the path for the browser, '%' would start
    // an escape, and a non-ASCII name must arrive as its UTF-8 bytes.
    const std::string path = "/home/ana maria/Jeux #1/50%?/\xc3\xa9t\xc3\xa9/guide.html";
    const std::string url = fileUrl(path);
    EXPECT_EQ(url, "file:///home/ana%20maria/Jeux%20%231/50%25%3F/%C3%A9t%C3%A9/guide.html");
    EXPECT_EQ(unescape(url.substr(7)), path);

    // Windows: the drive letter comes after a third slash, the colon stays.
    EXPECT_EQ(fileUrl("C:/Games/Tessarion/web/quiz.html"),
              "file:///C:/Games/Tessarion/web/quiz.html");
}

TEST(HostSystemTest, SavesAndSettingsFollowTheirFoldersOrTheHomeFolder) {
    {
        ScopedEnv data("XDG_DATA_HOME", "/tmp/data here");
        ScopedEnv config("XDG_CONFIG_HOME", "/tmp/config here");
        EXPECT_EQ(savedGamesFolder(), "/tmp/data here/tessarion/saves");
        EXPECT_EQ(settingsFile(), "/tmp/config here/tessarion/settings.ini");
    }
    {
        // An empty folder variable counts as unset.
        ScopedEnv data("XDG_DATA_HOME", "");
        ScopedEnv config("XDG_CONFIG_HOME", "");
        ScopedEnv home("HOME", "/home/princeps");
        EXPECT_EQ(savedGamesFolder(), "/home/princeps/.local/share/tessarion/saves");
        EXPECT_EQ(settingsFile(), "/home/princeps/.config/tessarion/settings.ini");
    }
    {
        ScopedEnv data("XDG_DATA_HOME", nullptr);
        ScopedEnv home("HOME", nullptr);
        EXPECT_EQ(savedGamesFolder(), "saves");
    }
}

#if !defined(_WIN32)  // no POSIX shell to read the quotes back
// What /bin/sh makes of the quoted text as one argument of printf.
std::string echoedByTheShell(const std::string& text) {
    const std::string command = "printf '%s|' " + shellQuote(text);
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return "(no shell)";
    }
    std::string out;
    char buffer[256];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    pclose(pipe);
    return out;
}

TEST(ShellQuote, AnyFolderNameComesBackAsOneWord) {
    for (const std::string& name :
         {std::string("/home/ann/.local/share/tessarion/saves/"), std::string(""),
          std::string("My Saves/"), std::string("Ann's games/"), std::string("''"),
          std::string("a'b'c"), std::string("$(touch /tmp/x) `id` $HOME ; rm -rf ~ &"),
          std::string("\"quoted\" \\back\\slash"), std::string("two\nlines"),
          std::string("*.TSN ?[a-z] {a,b} ~user # not a comment"), std::string("-n")}) {
        EXPECT_EQ(echoedByTheShell(name), name + "|") << name;
    }
}
#endif

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
