#include "ui/MapLabels.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "game/Game.h"
#include "res/EmbeddedData.h"
#include "res/MapLand.h"
#include "ui/Font.h"
#include "ui/Language.h"
#include "ui/Layout.h"
#include "ui/PaintedWords.h"
#include "ui/PictureStore.h"
#include "ui/Pictures.h"
#include "ui/Surface.h"

namespace tessarion {

namespace {

// What a province's legions cover: the widest and tallest icon at the anchor, and the count
// beside it (on the icon's left where the right would leave the map), as drawLegion sets them.
constexpr int kIconWidth = 43;
constexpr int kIconHeight = 65;
constexpr int kCountWidth = 24;

constexpr std::uint32_t kInk = 0xFF341E16u;
constexpr std::uint32_t kHalo = 0xFFFAF0DCu;
constexpr std::uint32_t kSeaInk = 0xFF1E3C60u;
// How strongly the halo lightens the ground round a province's name.
constexpr int kHaloStrength = 150;

std::uint32_t mix(std::uint32_t ground, std::uint32_t ink, int coverage) {
    auto channel = [&](int shift) {
        const int g = static_cast<int>((ground >> shift) & 0xFFu);
        const int i = static_cast<int>((ink >> shift) & 0xFFu);
        return static_cast<std::uint32_t>(g + (i - g) * coverage / 255) << shift;
    };
    return (ground & 0xFF000000u) | channel(16) | channel(8) | channel(0);
}

std::vector<std::string> split(const std::string& text, char at) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, at);) {
        parts.push_back(part);
    }
    return parts;
}

std::vector<MapLabels::Name> readTable(std::string_view table,
                                       const std::vector<MapLabels::Anchor>& anchors) {
    std::vector<MapLabels::Name> names;
    std::istringstream in{std::string(table)};
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string kind;
        std::string province;
        std::string lines;
        MapLabels::Name n;
        if (!(words >> kind >> province >> n.x >> n.y >> n.capital) || kind[0] == '#') {
            continue;
        }
        std::getline(words >> std::ws, lines);
        std::replace(province.begin(), province.end(), '_', ' ');
        n.sea = kind == "sea";
        for (std::size_t i = 0; i < anchors.size(); ++i) {
            n.province = anchors[i].name == province ? static_cast<int>(i) : n.province;
        }
        n.lines = split(lines, '|');
        const bool known = n.sea ? province == "-" : kind == "province" && n.province >= 0;
        if (known && !n.lines.empty() && n.lines.size() <= 2 && n.capital > 0) {
            names.push_back(std::move(n));
        }
    }
    return names;
}

// The other way to set the name: on two lines when it has two words, on one when two.
std::vector<std::string> otherLines(const std::vector<std::string>& lines) {
    if (lines.size() == 2) {
        return {lines[0] + " " + lines[1]};
    }
    const std::size_t space = lines[0].find(' ');
    if (space == std::string::npos) {
        return {};
    }
    return {lines[0].substr(0, space), lines[0].substr(space + 1)};
}

}  // namespace

MapLabels::MapLabels(std::string_view table, std::vector<Anchor> anchors)
    : names_(readTable(table, anchors)) {
    for (const Anchor& a : anchors) {
        provinces_.push_back(a.name);
        const double x = a.legionX;
        const double y = a.legionY;
        keepClear_.push_back({x, y, x + kIconWidth, y + kIconHeight});
        const double countX =
            a.legionX + 40 + kCountWidth > kMapWidth ? x - kCountWidth - 2 : x + 38;
        keepClear_.push_back({countX, y + 23, countX + kCountWidth, y + 45});
    }
    const double cityX = layout::mapXOfWindow(724, 0);
    const double cityY = layout::mapYOfWindow(294);
    keepClear_.push_back(
        {cityX, cityY, cityX + pic::constantinople.width, cityY + pic::constantinople.height});
}

MapLabels::~MapLabels() = default;

MapLabels& MapLabels::embedded(const Game& game) {
    static MapLabels labels = [&game] {
        std::string_view table;
        for (const res::detail::Blob& b : res::detail::mapBlobs()) {
            if (std::string_view(b.name) == "map-names") {
                table = {reinterpret_cast<const char*>(b.begin),
                         static_cast<std::size_t>(b.end - b.begin)};
            }
        }
        std::vector<Anchor> anchors;
        for (const auto& p : game.provinces) {
            anchors.push_back({p->name, p->legionX, p->legionY});
        }
        return MapLabels(table, std::move(anchors));
    }();
    return labels;
}

Font& MapLabels::font(bool sea, int pixelSize) {
    std::unique_ptr<Font>& slot = fonts_[{sea, pixelSize}];
    if (!slot) {
        slot =
            std::make_unique<Font>(store::fontData(sea ? "serif-italic" : "serif-bold"), pixelSize);
    }
    return *slot;
}

// The least size of the font whose capitals stand at least that tall.
int MapLabels::pixelSizeFor(bool sea, int capitalPixels) {
    const double ratio = std::max(0.3, font(sea, 100).glyph('H').top / 100.0);
    int size = std::max(1, static_cast<int>(std::floor(capitalPixels / ratio)));
    while (font(sea, size).glyph('H').top < capitalPixels && size < 400) {
        ++size;
    }
    return size;
}

int MapLabels::lineWidth(bool sea, int pixelSize, int tracking, std::string_view text) {
    Font& f = font(sea, pixelSize);
    return f.width(text) + tracking * std::max(0, static_cast<int>(text.size()) - 1);
}

// Sea names are spaced wider, as on old charts.
struct MapLabels::Lettering {
    int pixelSize = 0;
    int capital = 0;
    int tracking = 0;
    int pitch = 0;
    static Lettering of(MapLabels& labels, bool sea, int capitalPixels) {
        Lettering l;
        l.pixelSize = labels.pixelSizeFor(sea, capitalPixels);
        l.capital = labels.font(sea, l.pixelSize).glyph('H').top;
        l.tracking = static_cast<int>(std::lround(l.capital * (sea ? 0.22 : 0.1)));
        l.pitch = static_cast<int>(std::lround(l.capital * 1.5));
        return l;
    }
};

// Where the ink of a line reaches, in device pixels from the start of its pen and from its
// baseline (up is negative).
Area MapLabels::inkReach(bool sea, const Lettering& l, std::string_view text) {
    Font& f = font(sea, l.pixelSize);
    Area reach{0, -l.capital, 0, 0};
    int penX = 0;
    for (unsigned char c : text) {
        const Glyph& g = f.glyph(c);
        if (g.width > 0 && g.height > 0) {
            reach.left = std::min(reach.left, penX + g.left);
            reach.right = std::max(reach.right, penX + g.left + g.width);
            reach.top = std::min(reach.top, -g.top);
            reach.bottom = std::max(reach.bottom, g.height - g.top);
        }
        penX += g.advance + l.tracking;
    }
    return reach;
}

MapLabels::Placed MapLabels::setAt(std::size_t index, const std::vector<std::string>& lines,
                                   double x, double y, double scale, int capitalPixels) {
    const bool sea = names_[index].sea;
    const Lettering l = Lettering::of(*this, sea, capitalPixels);
    const int tall = l.capital + static_cast<int>(lines.size() - 1) * l.pitch;
    // The ink about the middle of the capitals, as draw() sets it, with the halo's pixel and
    // one for the rounding of the pen all round.
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Area reach = inkReach(sea, l, lines[i]);
        const double pen = -lineWidth(sea, l.pixelSize, l.tracking, lines[i]) / 2.0;
        const double baseline = -tall / 2.0 + l.capital + static_cast<double>(i) * l.pitch;
        left = std::min(left, pen + reach.left);
        right = std::max(right, pen + reach.right);
        top = std::min(top, baseline + reach.top);
        bottom = std::max(bottom, baseline + reach.bottom);
    }
    return {index,
            {x + (left - 2) / scale, y + (top - 2) / scale, x + (right + 2) / scale,
             y + (bottom + 2) / scale},
            x,
            y,
            l.capital,
            lines};
}

// Summed counts, over a window of the map, of the land a name may not spill over much, for
// the share of any box in the window in a few lookups. The map pixels whose middles lie in
// the box count.
class MapLabels::ForeignLand {
  public:
    ForeignLand(const Name& name, const Box& window)
        : left_(std::clamp(static_cast<int>(std::floor(window.left)), 0, kMapWidth)),
          top_(std::clamp(static_cast<int>(std::floor(window.top)), 0, kMapHeight)),
          width_(std::clamp(static_cast<int>(std::ceil(window.right)), left_, kMapWidth) - left_),
          height_(std::clamp(static_cast<int>(std::ceil(window.bottom)), top_, kMapHeight) - top_),
          sums_(static_cast<std::size_t>(width_ + 1) * static_cast<std::size_t>(height_ + 1), 0) {
        const res::MapLand& land = res::MapLand::embedded();
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const int under = land.at(left_ + x, top_ + y);
                const bool foreign =
                    under != res::MapLand::kSea && (name.sea || under != name.province);
                at(x + 1, y + 1) = (foreign ? 1 : 0) + at(x, y + 1) + at(x + 1, y) - at(x, y);
            }
        }
    }
    double share(const Box& box) const {
        const auto column = [this](double x) {
            return std::clamp(static_cast<int>(std::ceil(x - 0.5)) - left_, 0, width_);
        };
        const auto row = [this](double y) {
            return std::clamp(static_cast<int>(std::ceil(y - 0.5)) - top_, 0, height_);
        };
        const int x0 = column(box.left);
        const int x1 = std::max(x0, column(box.right));
        const int y0 = row(box.top);
        const int y1 = std::max(y0, row(box.bottom));
        const int all = (x1 - x0) * (y1 - y0);
        const int foreign = at(x1, y1) - at(x0, y1) - at(x1, y0) + at(x0, y0);
        return all == 0 ? 1.0 : static_cast<double>(foreign) / all;
    }

  private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_ + 1) +
               static_cast<std::size_t>(x);
    }
    int& at(int x, int y) { return sums_[index(x, y)]; }
    int at(int x, int y) const { return sums_[index(x, y)]; }
    int left_;
    int top_;
    int width_;
    int height_;
    std::vector<int> sums_;
};

double MapLabels::foreignShare(const Name& name, const Box& box) const {
    return ForeignLand(name, box).share(box);
}

bool MapLabels::fits(const Box& box) const {
    if (box.left < 0 || box.top < 0 || box.right > kMapWidth || box.bottom > kMapHeight) {
        return false;
    }
    for (const Box& clear : keepClear_) {
        if (box.overlaps(clear)) {
            return false;
        }
    }
    return true;
}

int MapLabels::capitalFor(const Name& name, double scale) {
    return std::max(kLeastCapitalPixels, static_cast<int>(std::lround(name.capital * scale)));
}

MapLabels::Placed MapLabels::atAnchor(std::size_t index, double scale) {
    const Name& name = names_[index];
    return setAt(index, linesOf(name), name.x, name.y, scale, capitalFor(name, scale));
}

std::vector<std::string> MapLabels::linesOf(const Name& name) const {
    if (name.sea || name.province < 0) {
        return name.lines;
    }
    const std::string& english = provinces_[static_cast<std::size_t>(name.province)];
    const std::string translated = tr(english);
    if (translated == english) {
        return name.lines;
    }
    // Capitals without accents (the map's faces have none), as the map
    // letters every name; one line, and the other way to set it is on two.
    return {capitals(plainLowerCase(translated))};
}

// The places a name may take: where the tool put it, then ever further round it, to the
// farthest it may go; a step of a map point apart.
std::vector<std::pair<int, int>> MapLabels::offsets() {
    std::vector<std::pair<int, int>> around;
    for (int dy = -kFarthest; dy <= kFarthest; ++dy) {
        for (int dx = -kFarthest; dx <= kFarthest; ++dx) {
            if (dx * dx + dy * dy <= kFarthest * kFarthest) {
                around.emplace_back(dx, dy);
            }
        }
    }
    std::stable_sort(around.begin(), around.end(), [](const auto& a, const auto& b) {
        return a.first * a.first + a.second * a.second < b.first * b.first + b.second * b.second;
    });
    return around;
}

// The name at its place, or moved a little, on its lines or the other way; false when no
// such place fits clear of the names kept before it.
bool MapLabels::placeOne(std::size_t index, double scale, std::vector<Placed>& kept) {
    static const std::vector<std::pair<int, int>> around = offsets();
    const Name& name = names_[index];
    // A name may spill over its neighbours no more than where the tool put it, and a little.
    const int toolCapital = std::max(1, static_cast<int>(std::lround(name.capital)));
    const double allowed = std::max(
        0.3,
        foreignShare(name, setAt(index, name.lines, name.x, name.y, 1, toolCapital).box) + 0.1);
    const std::vector<std::string> lines = linesOf(name);
    std::vector<std::vector<std::string>> ways = {lines};
    if (auto other = otherLines(lines); !other.empty()) {
        ways.push_back(std::move(other));
    }
    for (const auto& way : ways) {
        const Placed there = setAt(index, way, name.x, name.y, scale, capitalFor(name, scale));
        const ForeignLand foreign(
            name, {there.box.left - kFarthest - 1, there.box.top - kFarthest - 1,
                   there.box.right + kFarthest + 1, there.box.bottom + kFarthest + 1});
        for (const auto& [dx, dy] : around) {
            Placed p = there;
            p.box = {there.box.left + dx, there.box.top + dy, there.box.right + dx,
                     there.box.bottom + dy};
            p.x += dx;
            p.y += dy;
            const bool clear = std::none_of(kept.begin(), kept.end(),
                                            [&](const Placed& o) { return o.box.overlaps(p.box); });
            if (clear && fits(p.box) && foreign.share(p.box) <= allowed) {
                kept.push_back(std::move(p));
                return true;
            }
        }
    }
    return false;
}

const std::vector<MapLabels::Placed>& MapLabels::layout(double scale) {
    const std::pair<std::string, double> key{std::string(languageCode()), scale};
    if (auto known = layouts_.find(key); known != layouts_.end()) {
        return known->second;
    }
    // The provinces' names first, in the table's order; the seas' where room is left.
    std::vector<Placed> kept;
    for (bool seas : {false, true}) {
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (names_[i].sea == seas) {
                placeOne(i, scale, kept);
            }
        }
    }
    return layouts_[key] = std::move(kept);
}

// The coverage of a name's letters over its box in device pixels.
std::vector<int> MapLabels::inkOf(const Placed& p, double scale, const Area& box) {
    const bool sea = names_[p.name].sea;
    const Lettering l = Lettering::of(*this, sea, p.capitalPixels);
    Font& f = font(sea, l.pixelSize);
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;
    std::vector<int> ink(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    const int tall = l.capital + static_cast<int>(p.lines.size() - 1) * l.pitch;
    for (std::size_t i = 0; i < p.lines.size(); ++i) {
        const std::string& line = p.lines[i];
        int penX = static_cast<int>(std::lround(
                       p.x * scale - lineWidth(sea, l.pixelSize, l.tracking, line) / 2.0)) -
                   box.left;
        const int baseline = static_cast<int>(std::lround(p.y * scale - tall / 2.0)) + l.capital +
                             static_cast<int>(i) * l.pitch - box.top;
        for (unsigned char c : line) {
            const Glyph& g = f.glyph(c);
            for (int gy = 0; gy < g.height; ++gy) {
                for (int gx = 0; gx < g.width; ++gx) {
                    const int x = penX + g.left + gx;
                    const int y = baseline - g.top + gy;
                    if (x >= 0 && y >= 0 && x < w && y < h) {
                        int& a = ink[static_cast<std::size_t>(y) * w + x];
                        a = std::min(255,
                                     a + g.coverage[static_cast<std::size_t>(gy) * g.width + gx]);
                    }
                }
            }
            penX += g.advance + l.tracking;
        }
    }
    return ink;
}

void MapLabels::draw(Surface& target, int originX, int originY, double scale) {
    // The names are lettered at the target's own pixels, from its origin in points.
    originX = static_cast<int>(std::lround(originX * target.scale()));
    originY = static_cast<int>(std::lround(originY * target.scale()));
    for (const Placed& p : layout(scale)) {
        const bool sea = names_[p.name].sea;
        const int left = static_cast<int>(std::floor(p.box.left * scale)) - 2;
        const int top = static_cast<int>(std::floor(p.box.top * scale)) - 2;
        const Area box{left, top, static_cast<int>(std::ceil(p.box.right * scale)) + 2,
                       static_cast<int>(std::ceil(p.box.bottom * scale)) + 2};
        const std::vector<int> ink = inkOf(p, scale, box);
        const int w = box.right - box.left;
        const int h = box.bottom - box.top;
        const auto inkAt = [&](int x, int y) {
            return x < 0 || y < 0 || x >= w || y >= h
                       ? 0
                       : ink[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                             static_cast<std::size_t>(x)];
        };
        // A province's name stands in a soft light halo over the land; a sea's needs none.
        for (int y = 0; y < h; ++y) {
            const int ty = originY + top + y;
            if (ty < 0 || ty >= target.pixelHeight()) {
                continue;
            }
            std::uint32_t* row = target.row(ty);
            for (int x = 0; x < w; ++x) {
                const int tx = originX + left + x;
                if (tx < 0 || tx >= target.pixelWidth()) {
                    continue;
                }
                if (!sea) {
                    int around = 0;
                    for (int k = 0; k < 9; ++k) {
                        around = std::max(around, inkAt(x + k % 3 - 1, y + k / 3 - 1));
                    }
                    row[tx] = mix(row[tx], kHalo, around * kHaloStrength / 255);
                }
                row[tx] = mix(row[tx], sea ? kSeaInk : kInk, inkAt(x, y));
            }
        }
    }
}

void drawMapNames(Surface& target, const Game& game, int originX, int originY, double scale) {
    MapLabels::embedded(game).draw(target, originX, originY, scale);
}

}  // namespace tessarion
