#include "platform/HostSystem.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <system_error>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace tessarion {

namespace fs = std::filesystem;

namespace {

std::string utf8(const fs::path& path) {
    const std::u8string text = path.generic_u8string();
    return {text.begin(), text.end()};
}

#ifdef _WIN32
// The narrow form the C library's file functions take, when the ANSI code
// page can spell every character.
std::optional<std::string> ansi(const std::wstring& text) {
    BOOL lossy = FALSE;
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), length, nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy) {
        return std::nullopt;
    }
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), length, out.data(), size, nullptr, nullptr);
    return out;
}

// Whether a standard handle already leads somewhere (a pipe, a file, a console).
bool hasStandardHandle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}
#endif

}  // namespace

fs::path programFolder(const std::string& argv0) {
    std::error_code ec;
#if defined(_WIN32)
    // Long paths: grow the buffer until the whole name fits.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            break;
        }
        if (length < name.size()) {
            name.resize(length);
            return fs::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
#elif defined(__linux__)
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty()) {
        return self.parent_path();
    }
#endif
    return fs::absolute(fs::path(argv0), ec).parent_path();
}

#ifdef __EMSCRIPTEN__
// The page's languages, most wanted first; the caller frees the text.
EM_JS(char*, browserLanguages, (), {
    const list = (navigator.languages && navigator.languages.length) ? navigator.languages
                                                                     : [navigator.language || ""];
    return stringToNewUTF8(list.join(":"));
});
#endif

std::string userInterfaceLanguages() {
#if defined(__EMSCRIPTEN__)
    char* list = browserLanguages();
    std::string languages = list != nullptr ? list : "";
    std::free(list);
    return languages;
#elif defined(_WIN32)
    // The primary language of the user's interface language, named as the
    // locale variables would name it.
    switch (PRIMARYLANGID(GetUserDefaultUILanguage())) {
        case LANG_GERMAN:
            return "de";
        case LANG_FRENCH:
            return "fr";
        case LANG_ITALIAN:
            return "it";
        case LANG_SPANISH:
            return "es";
        default:
            return "en";
    }
#else
    return "";
#endif
}

std::string savedGamesFolder() {
#if defined(__EMSCRIPTEN__)
    return "/saves";
#elif defined(_WIN32)
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (appData == nullptr || *appData == L'\0') {
        return "saves";
    }
    // The rest of the game keeps paths in narrow strings, which the C library
    // reads in the ANSI code page: a user name outside it (Cyrillic on a
    // Western system, say) cannot be spelt there. The folder's short name can:
    // it is plain ASCII wherever the disk keeps short names, as system disks do.
    const std::wstring folder = appData;
    if (std::optional<std::string> narrow = ansi(folder + L"\\Tessarion")) {
        return *narrow;
    }
    const DWORD needed = GetShortPathNameW(appData, nullptr, 0);
    std::wstring shortName(needed, L'\0');
    const DWORD length = GetShortPathNameW(appData, shortName.data(), needed);
    if (needed > 0 && length > 0 && length < needed) {
        shortName.resize(length);
        if (std::optional<std::string> narrow = ansi(shortName + L"\\Tessarion")) {
            return *narrow;
        }
    }
    return "saves";  // in the working folder: better than one that cannot be opened
#else
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != '\0') {
        return (fs::path(data) / "tessarion" / "saves").string();
    }
    if (const char* home = std::getenv("HOME")) {
        return (fs::path(home) / ".local" / "share" / "tessarion" / "saves").string();
    }
    return "saves";
#endif
}

std::string settingsFile() {
#if defined(__EMSCRIPTEN__) || defined(_WIN32)
    // The saved games' folder is already the platform's place for the game's own files.
    return (fs::path(savedGamesFolder()) / "settings.ini").string();
#else
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0') {
        return (fs::path(config) / "tessarion" / "settings.ini").string();
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return (fs::path(home) / ".config" / "tessarion" / "settings.ini").string();
    }
    return "settings.ini";
#endif
}

std::string fileUrl(const fs::path& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string address = "file://";
    const std::string text = utf8(path);
    if (text.empty() || text.front() != '/') {
        address += '/';  // a drive letter: file:///C:/...
    }
    // Everything but the characters a path may show as they are is escaped
    // (blanks, '#', '%', '?', non-ASCII bytes), or the browser cuts the address.
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= '0' && byte <= '9') ||
                           std::string_view("/-._~:").find(c) != std::string_view::npos;
        if (plain) {
            address += c;
        } else {
            address += '%';
            address += kHex[byte >> 4];
            address += kHex[byte & 15];
        }
    }
    return address;
}

void attachConsole(bool create) {
#ifdef _WIN32
    // Decided before attaching: attaching fills the empty handles in, but the C
    // library's streams were set up at start-up and still lead nowhere.
    const bool hasInput = hasStandardHandle(STD_INPUT_HANDLE);
    const bool hasOutput = hasStandardHandle(STD_OUTPUT_HANDLE);
    const bool hasError = hasStandardHandle(STD_ERROR_HANDLE);
    if (hasInput && hasOutput && hasError) {
        return;
    }
    if (AttachConsole(ATTACH_PARENT_PROCESS) == 0 && (!create || AllocConsole() == 0)) {
        return;
    }
    if (!hasInput) {
        std::freopen("CONIN$", "r", stdin);
    }
    if (!hasOutput) {
        std::freopen("CONOUT$", "w", stdout);
    }
    if (!hasError) {
        std::freopen("CONOUT$", "w", stderr);
    }
#else
    (void)create;
#endif
}

void returnFreedMemoryPromptly() {
#if defined(__GLIBC__)
    // Fixed thresholds also stop glibc from raising them as blocks are freed.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024);
#endif
}

}  // namespace tessarion
