#include "app/WebSite.h"

#include <filesystem>
#include <system_error>

namespace tessarion {

namespace fs = std::filesystem;

namespace {

std::string gProgramPath;

fs::path programFolder() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec || self.empty()) {
        self = fs::absolute(gProgramPath, ec);
    }
    return self.parent_path();
}

// The installed pages, or those of the source tree the program was built from.
fs::path webFolder() {
    const fs::path bin = programFolder();
    std::error_code ec;
    for (const fs::path& candidate : {bin / ".." / "share" / "tessarion" / "web", bin / "web",
                                      fs::path(TESSARION_SOURCE_DIR) / "web"}) {
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
    return "file://" + (folder / file).generic_string();
}

}  // namespace tessarion
