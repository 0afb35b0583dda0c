// The names on the map: where each province's name goes, clear of the legions, the sea names
// and each other, and the lettering.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iostream>

#include "MapPixels.h"
#include "WorldMap.h"

namespace tessarion::art {

namespace {

std::string upper(std::string s) {
    for (char& c : s) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

void occupy(std::vector<std::uint8_t>& busy, int left, int top, int width, int height) {
    for (int y = std::max(0, top); y < top + height && y < H; ++y) {
        for (int x = std::max(0, left); x < left + width && x < W; ++x) {
            busy[idx(x, y)] = 1;
        }
    }
}

// The sum of a summed table over the box from (x0, y0) to (x1, y1).
int boxSum(const std::vector<int>& t, int x0, int y0, int x1, int y1) {
    auto at = [&t](int x, int y) { return t[static_cast<std::size_t>(y) * (W + 1) + x]; };
    return at(x1, y1) - at(x0, y1) - at(x1, y0) + at(x0, y0);
}

}  // namespace

// Summed tables of one province: pixels of the province away from borders and rivers, sea
// its name may spill over (narrow lands such as Greece), and busy pixels; and the middle of
// its land.
struct WorldMap::NameTables {
    std::vector<int> good;
    std::vector<int> wet;
    std::vector<int> crowd;
    double cx = 0;
    double cy = 0;
    int count = 0;
};

// The best box found so far for a name.
struct WorldMap::NameChoice {
    PlacedName best;
    double score = -1e18;
    bool found() const { return score > -1e17; }
};

void WorldMap::placeNames(const Font& serifBold) {
    names_.clear();
    std::vector<std::uint8_t> busy = busyPixels();
    for (std::size_t p = 0; p < provinces_.size(); ++p) {
        const int pi = static_cast<int>(p);
        const NameTables tables = nameTables(pi, busy);
        if (tables.count == 0) {
            continue;
        }
        std::string name = upper(provinces_[p].name);
        std::vector<std::vector<std::string>> layouts = {{name}};
        if (auto space = name.find(' '); space != std::string::npos) {
            layouts.push_back({name.substr(0, space), name.substr(space + 1)});
        }
        NameChoice choice;
        // A name never goes under anything busy. Where the province's own land leaves no room
        // beside the legions (the small frontier provinces), it may reach over a neighbour's
        // land at a price; a province with little land of its own (the Lower Rhine's is
        // mostly sea and icon) takes a box only partly on its land when nothing better is
        // free. The sizes are the capitals' heights: from 9 up the game letters the name at
        // the map's own size on a laptop; smaller ones it can letter only on larger screens.
        const float perCapital = 10.0f / serifBold.capHeight(10.0f);
        const std::vector<float> legible = {12.0f, 11.0f, 10.0f, 9.0f};
        const std::vector<float> small = {8.0f, 7.0f, 6.0f};
        // A name with no room even so (Cappadocia's, between three provinces' legions) takes
        // what little it can find, mostly beside its land.
        const std::pair<const std::vector<float>*, double> passes[] = {
            {&legible, 0.35}, {&legible, 0.15}, {&small, 0.35}, {&small, 0.15}, {&small, 0.05}};
        for (const auto& [capitals, least] : passes) {
            if (choice.found()) {
                break;
            }
            for (float capital : *capitals) {
                for (const auto& lines : layouts) {
                    tryNameBoxes(pi, tables, lines, capital * perCapital, least, serifBold, choice);
                }
            }
        }
        if (choice.found()) {
            const PlacedName& best = choice.best;
            names_.push_back(best);
            occupy(busy, static_cast<int>(best.x), static_cast<int>(best.y), best.width,
                   best.height);
        } else {
            std::cerr << "artgen: no room for the name of " << provinces_[p].name << "\n";
        }
    }
}

// What a name may not cover: the legions' icons and counts, the sea names, the city's name
// (which its label picture covers) and its mark. The names placed join them.
std::vector<std::uint8_t> WorldMap::busyPixels() const {
    std::vector<std::uint8_t> busy(static_cast<std::size_t>(W) * H, 0);
    for (const ProvinceData& d : provinces_) {
        for (const auto& [left, top, width, height] : legionShapes(d.legionX, d.legionY)) {
            occupy(busy, left, top, width, height);
        }
    }
    // Sea names are capitals about three quarters of their size wide.
    for (const SeaLabel& l : seaLabels_) {
        occupy(busy, static_cast<int>(l.x), static_cast<int>(l.y),
               static_cast<int>(0.75f * l.size * static_cast<float>(l.text.size())),
               static_cast<int>(l.size));
    }
    occupy(busy, capitalBox_[0], capitalBox_[1], capitalBox_[2], capitalBox_[3]);
    occupy(busy, static_cast<int>(capital_.x) - 4, static_cast<int>(capital_.y) - 4, 9, 9);
    return busy;
}

WorldMap::NameTables WorldMap::nameTables(int pi, const std::vector<std::uint8_t>& busy) const {
    NameTables t;
    t.good.assign(static_cast<std::size_t>(W + 1) * (H + 1), 0);
    t.wet.assign(static_cast<std::size_t>(W + 1) * (H + 1), 0);
    t.crowd.assign(static_cast<std::size_t>(W + 1) * (H + 1), 0);
    std::vector<int>& good = t.good;
    std::vector<int>& wet = t.wet;
    std::vector<int>& crowd = t.crowd;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            bool own = label(x, y) == pi && !isBorder(x, y);
            if (own) {
                t.cx += x;
                t.cy += y;
                ++t.count;
            }
            std::size_t s = static_cast<std::size_t>(y + 1) * (W + 1) + (x + 1);
            good[s] = (own ? 1 : 0) + good[s - 1] + good[s - (W + 1)] - good[s - W - 2];
            const bool sea = label(x, y) == -1 && inFrame(pi, x, y, 0);
            wet[s] = (sea ? 1 : 0) + wet[s - 1] + wet[s - (W + 1)] - wet[s - W - 2];
            crowd[s] = busy[idx(x, y)] + crowd[s - 1] + crowd[s - (W + 1)] - crowd[s - W - 2];
        }
    }
    if (t.count > 0) {
        t.cx /= t.count;
        t.cy /= t.count;
    }
    return t;
}

// Every box for the name in these lines at this size, at least `least` of it on the
// province's own land, scored against the best so far.
void WorldMap::tryNameBoxes(int pi, const NameTables& t, const std::vector<std::string>& lines,
                            float size, double least, const Font& serifBold,
                            NameChoice& choice) const {
    // The box the game's lettering takes: the capitals, a line and a half apart, spaced a
    // tenth of their height, with two pixels of halo and rounding all round.
    const float capital = serifBold.capHeight(size);
    int bw = 0;
    for (const auto& l : lines) {
        bw = std::max(bw, static_cast<int>(std::ceil(serifBold.measure(l, size, 0.1f * capital))));
    }
    bw += 4;
    const int bh = static_cast<int>(
        std::ceil(capital * (1.0f + 1.5f * static_cast<float>(lines.size() - 1)) + 5.0f));
    for (int y = 1; y + bh < H - 1; ++y) {
        for (int x = 1; x + bw < W - 1; ++x) {
            int inside = boxSum(t.good, x, y, x + bw, y + bh);
            int area = bw * bh;
            if (inside < area * least || boxSum(t.crowd, x, y, x + bw, y + bh) > 0) {
                continue;
            }
            int sea = boxSum(t.wet, x, y, x + bw, y + bh);
            const double foreign = static_cast<double>(area - inside - sea) / area;
            if (foreign > 0.45 + (0.35 - least) * 1.5) {
                continue;
            }
            double dist = std::hypot(x + bw / 2.0 - t.cx, y + bh / 2.0 - t.cy);
            // Its own land weighs too: a name half over the sea at the edge of its land
            // (Pontus's by the Bosporus) reads as a name of the coast beside it.
            double score = -(foreign > 0.03 ? 1500.0 : 0.0) - 2000.0 * foreign -
                           300.0 * sea / area + 200.0 * inside / area - dist + size * 40 -
                           (lines.size() > 1 ? 15 : 0);
            if (score > choice.score) {
                choice.score = score;
                choice.best = {pi,   static_cast<float>(x), static_cast<float>(y), size, bw, bh,
                               lines};
            }
        }
    }
}

bool WorldMap::writeNames(const std::string& path, const Font& serifBold) const {
    // The game letters the names at the screen's own size, and drops those that no longer fit
    // there. Each is given by the middle of its capitals and their height, as they would
    // stand on the map itself.
    std::ofstream file(path);
    file << "# The names on the map, in map pixels: the kind (province or sea), the province\n"
            "# (spaces as _, - for a sea), the middle of the capitals, their height, and the\n"
            "# lines (| between two).\n";
    for (const PlacedName& n : names_) {
        std::string name = provinces_[static_cast<std::size_t>(n.province)].name;
        std::replace(name.begin(), name.end(), ' ', '_');
        std::string lines;
        for (const auto& l : n.lines) {
            lines += (lines.empty() ? "" : "|") + l;
        }
        file << "province " << name << ' ' << n.x + static_cast<float>(n.width) / 2 << ' '
             << n.y + static_cast<float>(n.height) / 2 << ' ' << serifBold.capHeight(n.size) << ' '
             << lines << '\n';
    }
    for (const SeaLabel& l : seaLabels_) {
        // The sea names were set in the italic, spaced wide; their capitals are about as tall
        // as the bold's.
        const float width = serifBold.measure(l.text, l.size, 1.2f);
        file << "sea - " << l.x + width / 2 << ' '
             << l.y + serifBold.ascent(l.size) - serifBold.capHeight(l.size) / 2 << ' '
             << serifBold.capHeight(l.size) << ' ' << l.text << '\n';
    }
    return static_cast<bool>(file);
}

}  // namespace tessarion::art
