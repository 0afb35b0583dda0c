#pragma once

#include <array>
#include <cstdint>
#include <functional>
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
// made from real coastlines and rivers (in longitude and latitude) and the province table of
// the rules. The land is projected and then warped so that each province's land lies on its
// click rectangles: what the player sees agrees with where the clicks land.
class WorldMap {
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 548;

    // Reads the world file; false (with a message in error()) when it is malformed.
    bool load(const std::string& worldPath);
    const std::string& error() const { return error_; }

    // Lays out land, provinces and names, then writes 111.png, 251.png, the overlay pictures
    // and masks, the province land (see writeLand) and the names' places (see writeNames)
    // into dir. The pictures carry no names but the city's: the game letters them.
    bool make(const Font& serifBold, const std::string& dir);
    // After make: the same pictures drawn at scale times their pixels (the coasts, rivers and
    // lettering at the larger grid's own pixels, the provinces as make laid them out), with
    // the land file of that grid as map-land-large.bin, into dir. alsoDraw runs while the
    // larger grid is laid out, for whatever else is wanted at its size (the lesson maps).
    bool makeLarger(int scale, const Font& serifBold, const std::string& dir,
                    const std::function<bool()>& alsoDraw = {});

    // Where a place lands on the map: the projection and the warp.
    Point project(Point lonLat) const;

    // A small map coloured by groups of provinces, for the lesson pictures: each group is a
    // list of province names and a colour; provinces of no group show in the neutral colour.
    struct Group {
        std::vector<std::string> provinces;
        std::uint32_t colour = 0;
    };
    Raster groupMap(const std::vector<Group>& groups) const;

  private:
    struct Shape {
        std::string kind;  // strait, river
        std::string name;
        float width = 0;
        bool frontier = false;
        std::vector<Point> points;  // longitude, latitude
    };
    struct Pin {
        Point lonLat;
        Point pixel;
    };
    struct Island {
        int province = 0;
        Point lonLat;
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

    struct WorldLine;   // WorldMapLoad.cpp
    struct Walls;       // WorldMapProvinces.cpp
    struct Growth;      // WorldMapProvinces.cpp
    struct NameTables;  // WorldMapNames.cpp
    struct NameChoice;  // WorldMapNames.cpp

    // The world file and what it names (WorldMapLoad.cpp).
    bool readProvinces();
    bool readCoasts(const std::string& path);
    bool readOverlays(const std::string& path);
    bool readWorldLine(const std::string& word, const WorldLine& at, Shape*& current);
    bool readShape(const WorldLine& at, const std::string& kind);
    bool readCoastsLine(const WorldLine& at);
    bool readPin(const WorldLine& at);
    bool readIsland(const WorldLine& at);
    bool readSeaLabel(const WorldLine& at);
    bool readCapital(const WorldLine& at);
    bool readPicturesLine(const WorldLine& at);
    bool readPoints(const WorldLine& at, Shape& shape);
    bool fail(const WorldLine& at, const std::string& what);
    int provinceIndex(const std::string& name) const;
    int provinceAt(int x, int y) const;

    // The land (WorldMapLand.cpp).
    void fitWarp();
    void buildLand();
    void claimIslands(std::vector<int>& owner) const;

    // The larger grid's land and provinces from the map's own (WorldMapLarger.cpp).
    void labelLargerGrid(const std::vector<int>& coarse);
    int nearestLandLabel(const std::vector<int>& coarse, int x, int y) const;

    // The provinces' land (WorldMapProvinces.cpp).
    void buildProvinces();
    Walls buildWalls();
    bool allowed(int p, int x, int y) const;
    void seedGrowth(Growth& growth, const std::vector<float>& nearLandWall) const;
    void growFromRectangles(Growth& growth, const std::vector<std::uint8_t>& wall) const;
    void fillCoasts(std::vector<int>& owner, const std::vector<std::uint8_t>& wall) const;
    void wobbleBorders(std::vector<int>& owner, const std::vector<float>& nearWall) const;
    bool isHeartOfRectangle(int x, int y, int p) const;
    void growOntoBanks(std::vector<int>& owner, const std::vector<std::uint8_t>& wall) const;
    void keepRulesOfTheMap(std::vector<int>& owner) const;
    void setLabels(const std::vector<int>& owner, const std::vector<std::uint8_t>& wall);
    void giveFrontierToNeighbours(std::vector<int>& owner,
                                  const std::vector<std::uint8_t>& wall) const;
    bool isBorder(int x, int y) const;
    // Whether (x, y) lies inside province p's overlay frame, inset pixels from its edge.
    bool inFrame(int p, int x, int y, float inset) const;

    // The names (WorldMapNames.cpp).
    void placeNames(const Font& serifBold);
    std::vector<std::uint8_t> busyPixels() const;
    NameTables nameTables(int pi, const std::vector<std::uint8_t>& busy) const;
    void tryNameBoxes(int pi, const NameTables& t, const std::vector<std::string>& lines,
                      float size, double least, const Font& serifBold, NameChoice& choice) const;
    bool writeNames(const std::string& path, const Font& serifBold) const;

    // The pictures (WorldMap.cpp).
    bool writePictures(const Font& serifBold, const std::string& dir, const std::string& landFile);
    Raster capitalCrop(const Raster& image) const;
    Raster render(int variant) const;  // 0 the map, 1 white, 2 yellow, 3 magenta land
    void paintRivers(Raster& image) const;
    void markCapital(Raster& image) const;
    void letterCapital(Raster& image, const Font& serifBold, const std::string& text,
                       int width) const;
    int oldCapitalWidth() const;
    Raster newCapitalLabel(const Raster& base, const Raster& bare, const Font& serifBold) const;
    bool writeOverlay(const Overlay& o, const std::array<Raster, 3>& variants,
                      const std::string& dir) const;
    bool writeLand(const std::string& path) const;
    int label(int x, int y) const {
        return labels_[static_cast<std::size_t>(y) * kWidth * scale_ + x];
    }

    std::string error_;
    int scale_ = 1;  // of the grid labels_, land_ and seaDistance_ are laid on
    std::vector<Shape> shapes_;
    std::vector<std::vector<Point>> coasts_;  // land rings, longitude and latitude
    std::vector<Pin> pins_;
    std::vector<Point> pinWeights_;  // of the smooth displacement, one per pin
    std::vector<Island> islands_;
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

    struct PlacedName {
        int province = 0;
        float x = 0;
        float y = 0;
        float size = 0;
        int width = 0;  // of the box the name keeps to itself
        int height = 0;
        std::vector<std::string> lines;
    };
    std::vector<PlacedName> names_;
    std::vector<std::vector<Point>> riverPaths_;
    std::vector<float> riverWidths_;
};

}  // namespace tessarion::art
