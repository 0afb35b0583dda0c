#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessarion {

class Font;
class Game;
class Surface;
struct Area;

// The names of the provinces and seas, lettered over the map by the game at the screen's own
// pixels. The map tool chose where each goes (a table embedded with the map). At each scale a
// name takes the size the screen calls for, never less than the least that reads; a name that
// would then leave its province, or lie under a legion or another name even when moved a
// little or set on two lines, is left out: the hover line names the province anyway.
//
// Places and boxes are in map points (pixels of the 800 x 548 map at scale 1); the lettering
// is in device pixels, scale of them to a point.
class MapLabels {
  public:
    // The least height of capitals, in device pixels, that reads on any screen.
    static constexpr int kLeastCapitalPixels = 9;
    // The farthest a name may be moved from where the tool put it, in map points.
    static constexpr int kFarthest = 16;

    struct Box {
        double left = 0;
        double top = 0;
        double right = 0;
        double bottom = 0;
        bool overlaps(const Box& o) const {
            return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
        }
    };
    struct Name {
        bool sea = false;
        int province = -1;  // in the province table; -1 for a sea
        double x = 0;       // the middle of the capitals
        double y = 0;
        double capital = 0;  // height of the capitals where the tool placed the name
        std::vector<std::string> lines;
    };
    // The province's name and where its legions stand.
    struct Anchor {
        std::string name;
        int legionX = 0;
        int legionY = 0;
    };
    // A name as lettered at one scale.
    struct Placed {
        std::size_t name = 0;  // in names()
        Box box;               // the ink and its halo
        double x = 0;          // the middle of the capitals
        double y = 0;
        int capitalPixels = 0;
        std::vector<std::string> lines;
    };

    // The table as the map tool writes it; a line it cannot read, or naming a province the
    // anchors do not have, is left out.
    MapLabels(std::string_view table, std::vector<Anchor> anchors);
    ~MapLabels();
    MapLabels(const MapLabels&) = delete;
    MapLabels& operator=(const MapLabels&) = delete;

    // The embedded table with the game's provinces (their table is fixed).
    static MapLabels& embedded(const Game& game);

    const std::vector<Name>& names() const { return names_; }
    // What no name may lie under: every province's legion icons and count, and the city's
    // label.
    const std::vector<Box>& keepClear() const { return keepClear_; }
    // The names lettered at this scale in the window's language, worked out
    // once per scale and language.
    const std::vector<Placed>& layout(double scale);
    // The name's lines: as the tool set them, or a province's name in the
    // player's language where it has one (the Latin names have none).
    std::vector<std::string> linesOf(const Name& name) const;
    // How much of the box lies on land not the name's own (any land, for a sea's name).
    double foreignShare(const Name& name, const Box& box) const;
    // Whether a name may stand in the box: on the map and clear of keepClear().
    bool fits(const Box& box) const;
    // The name where the tool put it, on its lines, at the size of this scale.
    Placed atAnchor(std::size_t index, double scale);

    // Letters the names kept at this scale onto target, whose pixel (originX, originY) is the
    // map's top-left corner.
    void draw(Surface& target, int originX, int originY, double scale);

  private:
    struct Lettering;
    class ForeignLand;
    Font& font(bool sea, int pixelSize);
    int pixelSizeFor(bool sea, int capitalPixels);
    static int capitalFor(const Name& name, double scale);
    Placed setAt(std::size_t index, const std::vector<std::string>& lines, double x, double y,
                 double scale, int capitalPixels);
    int lineWidth(bool sea, int pixelSize, int tracking, std::string_view text);
    bool placeOne(std::size_t index, double scale, std::vector<Placed>& kept);
    static std::vector<std::pair<int, int>> offsets();
    Area inkReach(bool sea, const Lettering& l, std::string_view text);
    std::vector<int> inkOf(const Placed& p, double scale, const Area& box);

    std::vector<Name> names_;
    std::vector<std::string> provinces_;  // the anchors' names
    std::vector<Box> keepClear_;
    std::map<std::pair<std::string, double>, std::vector<Placed>> layouts_;
    std::map<std::pair<bool, int>, std::unique_ptr<Font>> fonts_;
};

// The names over the map of the screen, at scale device pixels to a point.
void drawMapNames(Surface& target, const Game& game, int originX, int originY, double scale);

}  // namespace tessarion
