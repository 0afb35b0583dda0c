#include "app/WebSite.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/HostSystem.h"

namespace tessarion {

namespace fs = std::filesystem;

namespace {

std::string gProgramPath;

// The installed pages, or those the build gathered where the program was built.
fs::path webFolder() {
#ifdef __EMSCRIPTEN__
    // In the browser the pages are served from the game page's own folder.
    return "web";
#endif
    const fs::path bin = programFolder(gProgramPath);
    std::vector<fs::path> candidates = {bin / ".." / "share" / "tessarion" / "web", bin / "web"};
#ifdef TESSARION_WEB_DIR
    candidates.push_back(fs::path(TESSARION_WEB_DIR));
#endif
    std::error_code ec;
    for (const fs::path& candidate : candidates) {
        if (fs::exists(candidate / "guide.html", ec)) {
            return fs::weakly_canonical(candidate, ec);
        }
    }
    return {};
}

// "guide.html" in the given language: "guide.de.html". Codes are two lowercase
// letters; anything else gives back the English page.
std::string translatedName(const std::string& file, const std::string& language) {
    const std::size_t dot = file.rfind(".html");
    const bool code = language.size() == 2 && language[0] >= 'a' && language[0] <= 'z' &&
                      language[1] >= 'a' && language[1] <= 'z';
    if (!code || language == "en" || dot == std::string::npos || dot + 5 != file.size()) {
        return file;
    }
    return file.substr(0, dot) + "." + language + ".html";
}

}  // namespace

void setProgramPath(const std::string& argv0) {
    gProgramPath = argv0;
}

std::string webAddress(const std::string& page, const std::string& language) {
    std::string file = page;
    const fs::path folder = webFolder();
    if (folder.empty()) {
        return kWebSite + page;
    }
    if (file.size() > 4 && file.compare(file.size() - 4, 4, ".php") == 0) {
        file.replace(file.size() - 4, 4, ".html");
    }
    while (!file.empty() && file.front() == '/') {
        file.erase(file.begin());
    }
#ifdef __EMSCRIPTEN__
    // The pages are not in the game's own file system here: the English page
    // takes the language from the address and moves to its translation.
    const bool english = translatedName(file, language) == file;
    return (folder / file).generic_string() + (english ? "" : "?lang=" + language);
#else
    const std::string translated = translatedName(file, language);
    std::error_code ec;
    if (translated != file && fs::exists(folder / translated, ec)) {
        file = translated;
    }
    return fileUrl(folder / file);
#endif
}

}  // namespace tessarion
