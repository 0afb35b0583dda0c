#include "platform/HostSystem.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace tessarion {

namespace fs = std::filesystem;

namespace {

std::string utf8(const fs::path& path) {
    const std::u8string text = path.generic_u8string();
    return {text.begin(), text.end()};
}

#ifdef _WIN32
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

std::string savedGamesFolder() {
#if defined(__EMSCRIPTEN__)
    return "/saves";
#elif defined(_WIN32)
    if (const wchar_t* appData = _wgetenv(L"APPDATA"); appData != nullptr && *appData != L'\0') {
        return utf8(fs::path(appData) / L"Tessarion");
    }
    return "saves";
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

}  // namespace tessarion
