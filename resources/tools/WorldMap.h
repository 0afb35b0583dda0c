#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Font.h"
#include "Raster.h"

namespace tessarion::art {

struct Point {
    float x = 0;
    float y = 0;
};

// The map of the empire (picture 111), its 23 ownership overlays and the CONSTANTINOPLE label,
// made from the coasts, islands and rivers of a world file and the province table of the rules,
// so that what the player sees agrees with where the clicks land.
class WorldMap {
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 548;

    // Reads the world file; false (with a message in error()) when it is malformed.
    bool load(const std::string& worldPath);
    const std::string& error() const { return error_; }

    // Lays out land, provinces and names, then writes 111.png, 251.png and the overlay
    // pictures and masks into dir.
    bool make(const Font& serif, const Font& serifBold, const Font& italic, const std::string& dir);

    // A small map coloured by groups of provinces, for the lesson pictures: each group is a
    // list of province names and a colour; provinces of no group show in the neutral colour.
    struct Group {
        std::vector<std::string> provinces;
        std::uint32_t colour = 0;
    };
    Raster groupMap(const std::vector<Group>& groups) const;

  private:
    struct Shape {
        std::string kind;  // sea, land, strait, river
        std::string name;
        std::string province;  // land: the province it belongs to, "-" for none
        float width = 0;
        bool frontier = false;
        std::vector<Point> points;
    };
    struct SeaLabel {
        float x = 0;
        float y = 0;
        float size = 0;
        std::string text;
    };
    struct Overlay {
        std::string province;
        int x = 0;  // window position of the overlay
        int y = 0;
        int width = 0;
        int height = 0;
        int plain = 0;
        int yellow = 0;
        int blue = 0;
        int mask = 0;
    };
    struct ProvinceData {
        std::string name;
        int legionX = 0;
        int legionY = 0;
        std::vector<std::array<int, 4>> rects;  // left, top, right, bottom
        int group = 0;                          // 0 Roman, 1 Germanic, 2 Persian
        int overlay = -1;                       // index into overlays_
    };

    bool readProvinces();
    int provinceIndex(const std::string& name) const;
    int provinceAt(int x, int y) const;
    void buildLand();
    void buildProvinces();
    void placeNames(const Font& serifBold);
    Raster render(int variant) const;  // 0 the map, 1 white, 2 yellow, 3 magenta land
    void paintRivers(Raster& image) const;
    void paintNames(Raster& image, const Font& serifBold, const Font& italic) const;
    bool isBorder(int x, int y) const;
    int label(int x, int y) const { return labels_[static_cast<std::size_t>(y) * kWidth + x]; }

    std::string error_;
    std::vector<Shape> shapes_;
    std::vector<SeaLabel> seaLabels_;
    std::vector<Overlay> overlays_;
    std::vector<ProvinceData> provinces_;
    std::array<int, 4> capitalBox_{};  // where CONSTANTINOPLE covers BYZANTIUM
    Point capital_{};
    std::string capitalOld_ = "BYZANTIUM";
    std::string capitalNew_ = "CONSTANTINOPLE";

    // Per pixel: -1 sea, -2 land of no province, -3 frontier river bank, else a province index.
    std::vector<int> hits_;  // provinceAt for every pixel
    std::vector<int> labels_;
    std::vector<std::uint8_t> land_;
    std::vector<float> seaDistance_;
    std::vector<std::uint8_t> added_;  // land swollen around a rectangle, not drawn

    struct PlacedName {
        int province = 0;
        float x = 0;
        float y = 0;
        float size = 0;
        std::vector<std::string> lines;
    };
    std::vector<PlacedName> names_;
    std::vector<std::vector<Point>> riverPaths_;
    std::vector<float> riverWidths_;
};

}  // namespace tessarion::art
