#include "app/WebSite.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/HostSystem.h"

namespace tessarion {

namespace fs = std::filesystem;

namespace {

std::string gProgramPath;

// The installed pages, or those of the source tree the program was built from.
fs::path webFolder() {
#ifdef __EMSCRIPTEN__
    // In the browser the pages are served from the game page's own folder.
    return "web";
#endif
    const fs::path bin = programFolder(gProgramPath);
    std::vector<fs::path> candidates = {bin / ".." / "share" / "tessarion" / "web", bin / "web"};
#ifdef TESSARION_SOURCE_DIR
    candidates.push_back(fs::path(TESSARION_SOURCE_DIR) / "web");
#endif
    std::error_code ec;
    for (const fs::path& candidate : candidates) {
        if (fs::exists(candidate / "guide.html", ec)) {
            return fs::weakly_canonical(candidate, ec);
        }
    }
    return {};
}

}  // namespace

void setProgramPath(const std::string& argv0) {
    gProgramPath = argv0;
}

std::string webAddress(const std::string& page) {
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
    return (folder / file).generic_string();  // relative to the game's page
#else
    return fileUrl(folder / file);
#endif
}

}  // namespace tessarion
