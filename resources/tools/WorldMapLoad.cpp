// Reading the world file, the coasts and the overlay lines, and the province table of the
// rules.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <utility>

#include "MapPixels.h"
#include "WorldMap.h"
#include "game/Game.h"
#include "model/Province.h"

namespace tessarion::art {

namespace {

const char* const kGermanicNames[] = {"Upper Rhine", "Upper Danube", "Sarmatia", "Lower Rhine",
                                      "Lower Danube"};
const char* const kPersianNames[] = {"Armenia", "Mesopotamia"};

}  // namespace

bool WorldMap::readProvinces() {
    Game game;
    provinces_.clear();
    for (const auto& p : game.provinces) {
        ProvinceData d;
        d.name = p->name;
        d.legionX = p->legionX;
        d.legionY = p->legionY;
        for (const Rect& r : p->hitRects) {
            d.rects.push_back({r.left, r.top, r.right, r.bottom});
        }
        for (const char* g : kGermanicNames) {
            d.group = d.name == g ? 1 : d.group;
        }
        for (const char* g : kPersianNames) {
            d.group = d.name == g ? 2 : d.group;
        }
        provinces_.push_back(std::move(d));
    }
    return true;
}

int WorldMap::provinceIndex(const std::string& name) const {
    for (std::size_t i = 0; i < provinces_.size(); ++i) {
        if (provinces_[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int WorldMap::provinceAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= W || y >= H) {
        return -1;
    }
    if (!hits_.empty()) {
        return hits_[idx(x, y)];
    }
    for (std::size_t i = 0; i < provinces_.size(); ++i) {
        for (const auto& r : provinces_[i].rects) {
            if (r[0] < x && x < r[2] && r[1] < y && y < r[3]) {
                return static_cast<int>(i);
            }
        }
    }
    return -1;
}

namespace {

// Hands each line of the file to `read` with "path:line" for its messages; false when the file
// cannot be read or `read` finds a fault (and has said which in `error`).
bool readLines(const std::string& path, std::string& error,
               const std::function<bool(std::string&, const std::string&)>& read) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        if (!read(line, path + ":" + std::to_string(lineNo))) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool WorldMap::readCoasts(const std::string& path) {
    const bool read = readLines(path, error_, [&](std::string& line, const std::string& where) {
        if (line.empty() || line[0] == '#') {
            return true;
        }
        std::istringstream pts(line);
        std::string token;
        std::vector<Point> ring;
        while (pts >> token) {
            Point p;
            if (std::sscanf(token.c_str(), "%f,%f", &p.x, &p.y) != 2) {
                error_ = where + ": bad point " + token;
                return false;
            }
            ring.push_back(p);
        }
        if (ring.size() >= 3) {
            coasts_.push_back(std::move(ring));
        }
        return true;
    });
    if (read && coasts_.empty()) {
        error_ = path + ": no land";
        return false;
    }
    return read;
}

// The overlays are listed with every other picture; the other lines are not the map's.
bool WorldMap::readOverlays(const std::string& path) {
    return readLines(path, error_, [&](std::string& line, const std::string& where) {
        line.erase(std::min(line.find('#'), line.size()));
        std::istringstream words(line);
        std::string word;
        if (!(words >> word) || word != "overlay") {
            return true;
        }
        Overlay o;
        words >> o.province >> o.x >> o.y >> o.width >> o.height >> o.plain >> o.yellow >> o.blue >>
            o.mask;
        std::replace(o.province.begin(), o.province.end(), '_', ' ');
        const int p = provinceIndex(o.province);
        if (p < 0 || !words) {
            error_ = where + ": bad overlay line";
            return false;
        }
        provinces_[static_cast<std::size_t>(p)].overlay = static_cast<int>(overlays_.size());
        overlays_.push_back(o);
        return true;
    });
}

// The world file, a line at a time: a keyword and its values. The points of a strait, a river
// or a wall follow on the lines after it.
struct WorldMap::WorldLine {
    std::istringstream& words;
    const std::string& line;
    const std::string& folder;
    const std::string& where;
};

bool WorldMap::fail(const WorldLine& at, const std::string& what) {
    error_ = at.where + ": " + what;
    return false;
}

bool WorldMap::readShape(const WorldLine& at, const std::string& kind) {
    Shape s;
    s.kind = kind;
    std::string flag;
    if (!(at.words >> s.name >> s.width)) {
        return fail(at, "bad " + kind + " line");
    }
    s.frontier = (at.words >> flag) && flag == "frontier";
    shapes_.push_back(s);
    return true;
}

bool WorldMap::readCoastsLine(const WorldLine& at) {
    std::string file;
    at.words >> file;
    return readCoasts(at.folder + "/" + file);
}

bool WorldMap::readPin(const WorldLine& at) {
    std::string name;
    Pin pin;
    if (!(at.words >> name >> pin.lonLat.x >> pin.lonLat.y >> pin.pixel.x >> pin.pixel.y)) {
        return fail(at, "bad pin line");
    }
    pins_.push_back(pin);
    return true;
}

bool WorldMap::readIsland(const WorldLine& at) {
    std::string province;
    Island island;
    at.words >> province >> island.lonLat.x >> island.lonLat.y;
    std::replace(province.begin(), province.end(), '_', ' ');
    island.province = provinceIndex(province);
    if (island.province < 0 || !at.words) {
        return fail(at, "bad island line");
    }
    islands_.push_back(island);
    return true;
}

bool WorldMap::readSeaLabel(const WorldLine& at) {
    SeaLabel l;
    at.words >> l.x >> l.y >> l.size;
    std::getline(at.words, l.text);
    l.text.erase(0, l.text.find_first_not_of(' '));
    seaLabels_.push_back(l);
    return true;
}

bool WorldMap::readCapital(const WorldLine& at) {
    at.words >> capital_.x >> capital_.y >> capitalBox_[0] >> capitalBox_[1] >> capitalBox_[2] >>
        capitalBox_[3];
    return true;
}

bool WorldMap::readPicturesLine(const WorldLine& at) {
    std::string file;
    at.words >> file;
    return readOverlays(at.folder + "/" + file);
}

// The points of the strait, river or wall above, in longitude and latitude pairs.
bool WorldMap::readPoints(const WorldLine& at, Shape& shape) {
    std::istringstream pts(at.line);
    std::string token;
    while (pts >> token) {
        Point p;
        std::string second;
        if (std::sscanf(token.c_str(), "%f", &p.x) != 1 || !(pts >> second) ||
            std::sscanf(second.c_str(), "%f", &p.y) != 1) {
            return fail(at, "bad point " + token);
        }
        shape.points.push_back(p);
    }
    return true;
}

bool WorldMap::readWorldLine(const std::string& word, const WorldLine& at, Shape*& current) {
    using LineReader = bool (WorldMap::*)(const WorldLine&);
    static const std::pair<const char*, LineReader> kReaders[] = {
        {"coasts", &WorldMap::readCoastsLine}, {"pin", &WorldMap::readPin},
        {"island", &WorldMap::readIsland},     {"sealabel", &WorldMap::readSeaLabel},
        {"capital", &WorldMap::readCapital},   {"pictures", &WorldMap::readPicturesLine},
    };
    const bool numbers = std::isdigit(static_cast<unsigned char>(word.back())) != 0;
    if (!numbers) {
        current = nullptr;  // points follow only their strait or river line
    }
    if (word == "strait" || word == "river" || word == "wall") {
        if (!readShape(at, word)) {
            return false;
        }
        current = &shapes_.back();
        return true;
    }
    for (const auto& [keyword, read] : kReaders) {
        if (word == keyword) {
            return (this->*read)(at);
        }
    }
    if (current != nullptr) {
        return readPoints(at, *current);
    }
    return fail(at, "unknown line " + word);
}

bool WorldMap::load(const std::string& worldPath) {
    readProvinces();
    std::vector<int> hits(static_cast<std::size_t>(W) * H);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            hits[idx(x, y)] = provinceAt(x, y);
        }
    }
    hits_ = std::move(hits);
    std::ifstream in(worldPath);
    if (!in) {
        error_ = "cannot read " + worldPath;
        return false;
    }
    const std::string folder =
        worldPath.find('/') == std::string::npos ? "." : worldPath.substr(0, worldPath.rfind('/'));
    std::string line;
    int lineNo = 0;
    Shape* current = nullptr;
    while (std::getline(in, line)) {
        ++lineNo;
        if (auto hash = line.find('#'); hash != std::string::npos) {
            line.erase(hash);
        }
        std::istringstream words(line);
        std::string word;
        if (!(words >> word)) {
            continue;
        }
        const std::string where = worldPath + ":" + std::to_string(lineNo);
        if (!readWorldLine(word, WorldLine{words, line, folder, where}, current)) {
            return false;
        }
    }
    if (overlays_.size() != 23) {
        error_ = "expected 23 overlays, found " + std::to_string(overlays_.size());
        return false;
    }
    if (coasts_.empty()) {
        error_ = worldPath + ": no coasts line";
        return false;
    }
    fitWarp();
    return true;
}

}  // namespace tessarion::art
