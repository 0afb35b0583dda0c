#include "ui/Settings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "savegame/AtomicWrite.h"

namespace tessarion {

namespace {

namespace fs = std::filesystem;

// Far more than any settings file needs; anything larger is not one.
constexpr std::size_t kMaxFileSize = 64 * 1024;
constexpr int kMinWindow = 320;
constexpr int kMaxWindow = 16384;

constexpr std::array<const char*, 3> kSkillNames = {"easy", "normal", "hard"};

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return out;
}

std::optional<int> number(std::string_view s, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<bool> onOff(std::string_view s) {
    const std::string v = lower(s);
    if (v == "on" || v == "yes" || v == "true" || v == "1") {
        return true;
    }
    if (v == "off" || v == "no" || v == "false" || v == "0") {
        return false;
    }
    return std::nullopt;
}

// Takes one "name = value" into the settings; false when the value is not one
// the setting can have.
bool take(Settings& s, const std::string& name, std::string_view value) {
    if (name == "sound") {
        const auto v = onOff(value);
        s.sound = v.value_or(s.sound);
        return v.has_value();
    }
    if (name == "soundvolume") {
        const auto v = number(value, 0, 100);
        s.soundVolume = v.value_or(s.soundVolume);
        return v.has_value();
    }
    if (name == "skilllevel") {
        const std::string v = lower(value);
        for (std::size_t i = 0; i < kSkillNames.size(); ++i) {
            if (v == kSkillNames[i] || v == std::to_string(i)) {
                s.skillLevel = static_cast<int>(i);
                return true;
            }
        }
        return false;
    }
    if (name == "colours") {
        const std::string v = lower(value);
        if (v == "standard" || v == "colour-blind") {
            s.colours = v == "colour-blind" ? ColourScheme::ColourBlind : ColourScheme::Standard;
            return true;
        }
        return false;
    }
    if (name == "fullscreen") {
        if (lower(value) == "auto") {
            s.fullscreen.reset();
            return true;
        }
        const auto v = onOff(value);
        if (v) {
            s.fullscreen = *v;
        }
        return v.has_value();
    }
    if (name == "windowwidth" || name == "windowheight") {
        int& field = name == "windowwidth" ? s.windowWidth : s.windowHeight;
        if (value == "0") {
            field = 0;
            return true;
        }
        const auto v = number(value, kMinWindow, kMaxWindow);
        field = v.value_or(field);
        return v.has_value();
    }
    return true;  // a setting of another version of the game
}

}  // namespace

std::string formatSettings(const Settings& s) {
    std::string out =
        "# Tessarion's settings, kept between games. The game writes this file\n"
        "# whenever a setting changes; a line it cannot read is left out.\n";
    out += std::string("sound = ") + (s.sound ? "on" : "off") + "\n";
    out += "soundVolume = " + std::to_string(s.soundVolume) + "\n";
    const int skill = std::clamp(s.skillLevel, 0, 2);
    out += std::string("skillLevel = ") + kSkillNames[static_cast<std::size_t>(skill)] + "\n";
    out += std::string("colours = ") +
           (s.colours == ColourScheme::ColourBlind ? "colour-blind" : "standard") + "\n";
    out += std::string("fullscreen = ") +
           (!s.fullscreen   ? "auto"
            : *s.fullscreen ? "on"
                            : "off") +
           "\n";
    out += "windowWidth = " + std::to_string(s.windowWidth) + "\n";
    out += "windowHeight = " + std::to_string(s.windowHeight) + "\n";
    return out;
}

SettingsRead parseSettings(std::string_view text) {
    SettingsRead read;
    if (text.size() > kMaxFileSize || text.find('\0') != std::string_view::npos) {
        read.notes.push_back("not a settings file: ignored");
        return read;
    }
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::size_t equals = line.find('=');
        const std::string where = "line " + std::to_string(lineNumber);
        if (equals == std::string_view::npos) {
            read.notes.push_back(where + " is not \"name = value\": passed over");
            continue;
        }
        const std::string name = lower(trim(line.substr(0, equals)));
        if (!take(read.settings, name, trim(line.substr(equals + 1)))) {
            read.notes.push_back(where + ": " + std::string(trim(line.substr(0, equals))) +
                                 " cannot be \"" + std::string(trim(line.substr(equals + 1))) +
                                 "\": the default is kept");
        }
    }
    return read;
}

SettingsRead loadSettings(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !fs::exists(path, ec)) {
        return {};
    }
    if (!fs::is_regular_file(path, ec) || fs::file_size(path, ec) > kMaxFileSize || ec) {
        return {Settings{}, {"not a settings file: ignored"}};
    }
    std::ifstream file(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file.good() && !file.eof()) {
        return {Settings{}, {"cannot be read: ignored"}};
    }
    return parseSettings(text);
}

std::optional<std::string> storeSettings(const std::string& path, const Settings& settings) {
    std::error_code ec;
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty()) {
        fs::create_directories(folder, ec);
    }
    const FileResult written = writeFileAtomically(path, formatSettings(settings));
    if (!written.ok) {
        return written.error;
    }
    return std::nullopt;
}

}  // namespace tessarion
