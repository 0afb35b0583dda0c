#include "ui/Settings.h"

#include "res/Languages.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "model/PrintableText.h"
#include "model/Skill.h"
#include "platform/FileSystem.h"

namespace tessarion {

namespace {

namespace fs = std::filesystem;

// Far more than any settings file needs; anything larger is not one.
constexpr std::size_t kMaxFileSize = 64 * 1024;
constexpr int kMinWindow = 320;
constexpr int kMaxWindow = 16384;
// How far off the first screen's corner a window may be placed: screens side
// by side, even above or to the left.
constexpr int kMaxPlace = 65536;

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

std::string onOffText(bool on) {
    return on ? "on" : "off";
}

bool readOnOff(bool& field, std::string_view value) {
    const auto v = onOff(value);
    field = v.value_or(field);
    return v.has_value();
}

bool readWindowSize(int& field, std::string_view value) {
    if (value == "0") {
        field = 0;
        return true;
    }
    const auto v = number(value, kMinWindow, kMaxWindow);
    field = v.value_or(field);
    return v.has_value();
}

bool readPlace(std::optional<int>& field, std::string_view value) {
    const auto v = number(value, -kMaxPlace, kMaxPlace);
    if (v) {
        field = *v;
    }
    return v.has_value();
}

// Every setting the game keeps, each once: its name as written (read without
// regard to case), how a value is taken (false for one the setting cannot
// have) and how it is written (nothing: the line is left out).
struct Key {
    const char* name;
    bool (*read)(Settings&, std::string_view);
    std::optional<std::string> (*write)(const Settings&);
};

const std::array<Key, 11> kKeys = {{
    {"sound", [](Settings& s, std::string_view v) { return readOnOff(s.sound, v); },
     [](const Settings& s) -> std::optional<std::string> { return onOffText(s.sound); }},
    {"soundVolume",
     [](Settings& s, std::string_view value) {
         const auto v = number(value, 0, 100);
         s.soundVolume = v.value_or(s.soundVolume);
         return v.has_value();
     },
     [](const Settings& s) -> std::optional<std::string> { return std::to_string(s.soundVolume); }},
    {"skillLevel",
     [](Settings& s, std::string_view value) {
         const std::string v = lower(value);
         for (std::size_t i = 0; i < kSkill.settingsNames.size(); ++i) {
             if (v == kSkill.settingsNames[i] || v == std::to_string(i)) {
                 s.skillLevel = static_cast<int>(i);
                 return true;
             }
         }
         return false;
     },
     [](const Settings& s) -> std::optional<std::string> {
         return std::string(kSkill.settingsNames[static_cast<std::size_t>(
             std::clamp(s.skillLevel, 0, kSkillLevels - 1))]);
     }},
    {"colours",
     [](Settings& s, std::string_view value) {
         const std::string v = lower(value);
         if (v != "standard" && v != "colour-blind") {
             return false;
         }
         s.colours = v == "colour-blind" ? ColourScheme::ColourBlind : ColourScheme::Standard;
         return true;
     },
     [](const Settings& s) -> std::optional<std::string> {
         return s.colours == ColourScheme::ColourBlind ? "colour-blind" : "standard";
     }},
    {"language",
     [](Settings& s, std::string_view value) {
         const res::Language* language = res::findLanguage(lower(value));
         if (language == nullptr) {
             return false;
         }
         s.language = std::string(language->code);
         return true;
     },
     [](const Settings& s) { return s.language; }},
    {"fullscreen",
     [](Settings& s, std::string_view value) {
         if (lower(value) == "auto") {
             s.fullscreen.reset();
             return true;
         }
         const auto v = onOff(value);
         if (v) {
             s.fullscreen = *v;
         }
         return v.has_value();
     },
     [](const Settings& s) -> std::optional<std::string> {
         return s.fullscreen ? onOffText(*s.fullscreen) : "auto";
     }},
    {"windowWidth",
     [](Settings& s, std::string_view v) { return readWindowSize(s.windowWidth, v); },
     [](const Settings& s) -> std::optional<std::string> { return std::to_string(s.windowWidth); }},
    {"windowHeight",
     [](Settings& s, std::string_view v) { return readWindowSize(s.windowHeight, v); },
     [](const Settings& s) -> std::optional<std::string> {
         return std::to_string(s.windowHeight);
     }},
    // The place is kept whole or not at all.
    {"windowX", [](Settings& s, std::string_view v) { return readPlace(s.windowX, v); },
     [](const Settings& s) -> std::optional<std::string> {
         return s.windowX && s.windowY ? std::optional(std::to_string(*s.windowX)) : std::nullopt;
     }},
    {"windowY", [](Settings& s, std::string_view v) { return readPlace(s.windowY, v); },
     [](const Settings& s) -> std::optional<std::string> {
         return s.windowX && s.windowY ? std::optional(std::to_string(*s.windowY)) : std::nullopt;
     }},
    {"windowMaximised",
     [](Settings& s, std::string_view v) { return readOnOff(s.windowMaximised, v); },
     [](const Settings& s) -> std::optional<std::string> { return onOffText(s.windowMaximised); }},
}};

// Takes one "name = value" into the settings; false when the value is not one
// the setting can have. A name the game does not know is kept as it stands.
bool take(Settings& s, const std::string& name, std::string_view original, std::string_view value) {
    for (const Key& key : kKeys) {
        if (name == lower(key.name)) {
            return key.read(s, value);
        }
    }
    // A setting of another version of the game, if it has a setting's name.
    const bool named =
        !original.empty() && std::all_of(original.begin(), original.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == '-' || c == '.';
        });
    if (named) {
        s.others.emplace_back(std::string(original), std::string(value));
    }
    return named;
}

// Bytes no settings line holds: control characters (a tab aside) and the
// like, the mark of a binary file or a damaged one.
bool isText(std::string_view line) {
    return std::none_of(line.begin(), line.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u < 0x20 && c != '\t') || u == 0x7F;
    });
}

// A value as a note may quote it: printable, and short.
std::string quoted(std::string_view value) {
    std::string v = printableText(value.substr(0, 24));
    if (value.size() > 24) {
        v += "...";
    }
    return v;
}

}  // namespace

std::string formatSettings(const Settings& s) {
    std::string out =
        "# Tessarion's settings, kept between games. The game writes this file\n"
        "# whenever a setting changes; a line it cannot read is left out.\n";
    for (const Key& key : kKeys) {
        if (const std::optional<std::string> value = key.write(s)) {
            out += std::string(key.name) + " = " + *value + "\n";
        }
    }
    if (!s.others.empty()) {
        out += "# Settings of other versions of the game, kept as they were:\n";
        for (const auto& [name, value] : s.others) {
            out += name + " = " + value + "\n";
        }
    }
    return out;
}

SettingsRead parseSettings(std::string_view text) {
    SettingsRead read;
    if (text.size() > kMaxFileSize) {
        text = text.substr(0, kMaxFileSize);
        const std::size_t lastLine = text.rfind('\n');
        text = text.substr(0, lastLine == std::string_view::npos ? 0 : lastLine + 1);
        read.notes.push_back(
            "longer than any settings file: what follows the first 64 KiB "
            "is passed over");
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
        const std::string where = "line " + std::to_string(lineNumber);
        if (!isText(line)) {
            read.notes.push_back(where + " holds bytes that are no text: passed over");
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            read.notes.push_back(where + " is not \"name = value\": passed over");
            continue;
        }
        const std::string_view original = trim(line.substr(0, equals));
        const std::string_view value = trim(line.substr(equals + 1));
        if (!take(read.settings, lower(original), original, value)) {
            read.notes.push_back(where + ": " + quoted(original) + " cannot be \"" + quoted(value) +
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
    if (!fs::is_regular_file(path, ec) || ec) {
        return {Settings{}, {"not a settings file: ignored"}};
    }
    std::ifstream file(path, std::ios::binary);
    // A byte more than the limit, so that a longer file is noticed.
    std::string text(kMaxFileSize + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad() || (file.fail() && !file.eof())) {
        return {Settings{}, {"cannot be read: ignored"}};
    }
    text.resize(static_cast<std::size_t>(file.gcount()));
    return parseSettings(text);
}

std::optional<std::string> storeSettings(const std::string& path, const Settings& settings) {
    std::error_code ec;
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty()) {
        fs::create_directories(folder, ec);
    }
    // Nothing to keep of the file replaced: the settings are written whole.
    const files::WriteOutcome written =
        files::replaceFile(path, formatSettings(settings), {.keepBackup = false});
    if (!written.ok) {
        return written.reason;
    }
    return std::nullopt;
}

}  // namespace tessarion
