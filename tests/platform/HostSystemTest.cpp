// The operating-system answers: file addresses the browser can open, and the
// saved games' and settings' places from the environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/HostSystem.h"

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

}  // namespace
}  // namespace tessarion
