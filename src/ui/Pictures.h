#pragma once

#include <array>
#include <vector>

#include "model/ProvinceTable.h"
#include "ui/Graphic.h"
#include "ui/Sprite.h"

namespace tessarion {

// One province's ownership overlay: where it goes (layout x, before the
// horizontal offset), its draw size and its three pictures sharing one mask.
struct OverlaySpec {
    const char* province;
    int x;
    int y;
    int width;
    int height;
    int plain;
    int yellow;
    int blue;  // the "-blue" pictures are magenta
    int mask;
};

inline constexpr std::array<OverlaySpec, 23> kOverlays = {{
    {"Macedonia", 593, 314, 124, 135, 140, 196, 216, 139},
    {"Palestina", 766, 437, 95, 120, 137, 202, 222, 138},
    {"Lusitania", 182, 267, 120, 155, 135, 203, 223, 136},
    {"Syria", 812, 366, 112, 104, 122, 197, 217, 120},
    {"Britannia", 243, 32, 110, 121, 125, 188, 208, 123},
    {"Terraconensis", 231, 277, 144, 134, 133, 193, 213, 134},
    {"Dacia", 598, 199, 95, 80, 128, 195, 215, 126},
    {"Aegyptus", 628, 469, 177, 109, 131, 201, 221, 132},
    {"Dalmatia", 513, 229, 117, 106, 130, 198, 218, 129},
    {"Mauretania", 215, 375, 229, 111, 141, 199, 219, 142},
    {"Thracia", 607, 237, 138, 110, 143, 207, 227, 144},
    {"Pontus", 707, 302, 130, 73, 145, 205, 225, 146},
    {"Italia", 388, 215, 200, 198, 147, 194, 214, 148},
    {"Aquitania", 286, 197, 144, 105, 173, 191, 211, 174},
    {"Belgica", 320, 81, 129, 98, 151, 189, 209, 152},
    {"Pannonia", 445, 162, 157, 99, 154, 206, 226, 155},
    {"Africa", 412, 386, 237, 139, 156, 200, 220, 157},
    {"Lugdunensis", 252, 150, 164, 83, 171, 190, 210, 172},
    {"Narbonensis", 324, 241, 112, 68, 175, 192, 212, 176},
    {"Raetia", 383, 157, 85, 75, 177, 204, 224, 178},
    {"Lydia", 754, 362, 96, 95, 242, 243, 241, 240},
    {"Phrygia", 682, 329, 99, 100, 246, 247, 245, 244},
    {"Cappadocia", 813, 307, 95, 80, 238, 239, 237, 236},
}};

inline constexpr int kBaseMapId = 111;

// The eleven 600 x 400 pictures of the lessons, the introduction and the like.
inline constexpr std::array<int, 11> kFullPictureIds = {160, 161, 162, 163, 164, 187,
                                                        233, 235, 248, 249, 266};

// Every picture of the game but the map, each decoded once at start-up.
struct Pictures {
    Sprite parchment{264, 265, 355, 664};
    Graphic constantinople{251, 100, 15};
    Sprite romanLegion{168, 169, 35, 65};
    Sprite romanLegionMoved{170, 169, 35, 65};  // the pale copy
    Sprite barbarianLegion{179, 180, 43, 60};
    Sprite sassanidLegion{114, 119, 40, 60};
    Sprite rebelLegion{183, 184, 35, 65};
    Sprite routeMarker{229, 230, 23, 23};
    Graphic legendTitle{185, 162, 57};
    Graphic fullCoin{268, 20, 20};
    Graphic emptyCoin{269, 20, 20};
    Graphic turnBanner{234, 254, 38};
    Graphic turnBannerSave{234, 254, 38};  // keeps what the banner covers
    Graphic playButton{231, 25, 25};
    Graphic stopButton{232, 25, 25};
    std::vector<Graphic> fullPictures;
    // Three per entry of kOverlays: plain, yellow, blue.
    std::vector<Sprite> overlays;

    Pictures();
    void load(const PictureProvider& provider);
    // A 600 x 400 picture by id; null for any other id.
    const Graphic* fullPicture(int id) const;
};

// The draw size of any picture or mask the game knows; 0 x 0 otherwise.
struct PictureSize {
    int width = 0;
    int height = 0;
};
PictureSize pictureDrawSize(int id);

}  // namespace tessarion
