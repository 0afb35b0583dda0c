// Build-time picture tool: makes the map and its overlays, and turns rendered RGBA pictures
// into the picture-and-mask pairs the game draws with AND/OR copies.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "Font.h"
#include "Raster.h"
#include "WorldMap.h"

using namespace tessarion::art;

namespace {

int usage() {
    std::cerr << "usage: artgen map WORLD FONTDIR OUTDIR [SCALE LARGEDIR]\n"
                 "       artgen split RGBA.png PICTURE.png MASK.png\n"
                 "       artgen pale PICTURE.png OUT.png\n"
                 "       artgen flatten RGBA.png OUT.png\n"
                 "       artgen rgb OUTDIR PICTURE.png...\n";
    return 2;
}

// Masked pictures are all-or-nothing: a pixel is opaque when it is mostly covered.
int split(const std::string& in, const std::string& picture, const std::string& maskPath) {
    Raster src;
    if (!readPng(in, src)) {
        std::cerr << "artgen: cannot read " << in << "\n";
        return 1;
    }
    Raster pic(src.width, src.height, rgb(0, 0, 0));
    Raster mask(src.width, src.height, rgb(255, 255, 255));
    for (std::size_t i = 0; i < src.pixels.size(); ++i) {
        std::uint32_t c = src.pixels[i];
        int a = static_cast<int>(c >> 24);
        if (a >= 110) {
            std::uint32_t colour = c | 0xFF000000u;
            if ((colour & 0xFFFFFFu) == 0) {
                colour = rgb(1, 1, 1);  // black would read as transparent
            }
            pic.pixels[i] = colour;
            mask.pixels[i] = rgb(0, 0, 0);
        }
    }
    if (!writePng(picture, pic) || !writePng(maskPath, mask)) {
        std::cerr << "artgen: cannot write " << picture << "\n";
        return 1;
    }
    return 0;
}

// The pale copy of a figure: washed out towards parchment grey, black kept black.
int pale(const std::string& in, const std::string& out) {
    Raster src;
    if (!readPng(in, src)) {
        std::cerr << "artgen: cannot read " << in << "\n";
        return 1;
    }
    for (auto& c : src.pixels) {
        if ((c & 0xFFFFFFu) == 0) {
            continue;
        }
        int r = static_cast<int>((c >> 16) & 0xFF);
        int g = static_cast<int>((c >> 8) & 0xFF);
        int b = static_cast<int>(c & 0xFF);
        int grey = (r * 30 + g * 59 + b * 11) / 100;
        std::uint32_t washed = rgb(grey, grey, grey);
        c = mix(washed, rgb(200, 196, 186), 0.45f);
    }
    return writePng(out, src) ? 0 : 1;
}

int flatten(const std::string& in, const std::string& out) {
    Raster src;
    if (!readPng(in, src)) {
        std::cerr << "artgen: cannot read " << in << "\n";
        return 1;
    }
    for (auto& c : src.pixels) {
        float a = static_cast<float>(c >> 24) / 255.0f;
        c = mix(rgb(0, 0, 0), c | 0xFF000000u, a);
    }
    return writePng(out, src) ? 0 : 1;
}

// A picture's pixels for the build's checks, which decode many large pictures: its width and
// height as text on a line, then three bytes a pixel, row by row.
int rgbBytes(const std::string& in, const std::string& out) {
    Raster src;
    if (!readPng(in, src)) {
        std::cerr << "artgen: cannot read " << in << "\n";
        return 1;
    }
    std::string bytes = std::to_string(src.width) + " " + std::to_string(src.height) + "\n";
    for (const std::uint32_t c : src.pixels) {
        bytes += static_cast<char>((c >> 16) & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
        bytes += static_cast<char>(c & 0xFF);
    }
    std::ofstream file(out, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file ? 0 : 1;
}

// Maps for the lessons, at the map's grid as it is laid out now: the empire split three ways
// in 260, and in two in 395.
bool writeLessonMaps(const WorldMap& worldMap, const std::string& dir) {
    const std::uint32_t rome = rgb(232, 150, 128);
    const std::uint32_t gaul = rgb(120, 170, 110);
    const std::uint32_t palmyra = rgb(226, 178, 70);
    const std::uint32_t east = rgb(150, 130, 200);
    const std::vector<std::string> gallic = {"Britannia", "Belgica",     "Lugdunensis",
                                             "Aquitania", "Narbonensis", "Terraconensis",
                                             "Lusitania"};
    const std::vector<std::string> palmyrene = {"Syria", "Palestina", "Aegyptus", "Cappadocia",
                                                "Lydia"};
    const std::vector<std::string> central = {"Italia", "Raetia",    "Pannonia", "Dalmatia",
                                              "Dacia",  "Macedonia", "Thracia",  "Mauretania",
                                              "Africa", "Phrygia",   "Pontus"};
    const std::vector<std::string> western = {
        "Britannia",     "Belgica",    "Lugdunensis", "Aquitania", "Narbonensis",
        "Terraconensis", "Lusitania",  "Italia",      "Raetia",    "Pannonia",
        "Dalmatia",      "Mauretania", "Africa"};
    const std::vector<std::string> eastern = {"Dacia",     "Macedonia", "Thracia",    "Phrygia",
                                              "Pontus",    "Lydia",     "Cappadocia", "Syria",
                                              "Palestina", "Aegyptus"};
    std::vector<std::string> all = western;
    all.insert(all.end(), eastern.begin(), eastern.end());
    if (!writePng(dir + "/map-three-empires.png",
                  worldMap.groupMap({{gallic, gaul}, {palmyrene, palmyra}, {central, rome}})) ||
        !writePng(dir + "/map-divided.png",
                  worldMap.groupMap({{western, rome}, {eastern, east}})) ||
        !writePng(dir + "/map-whole.png", worldMap.groupMap({{all, rome}}))) {
        std::cerr << "artgen: cannot write the lesson maps into " << dir << "\n";
        return false;
    }
    return true;
}

// The map, its overlays and the lesson maps into outDir, and when scale is above 1 the same
// drawn at scale times their pixels into largeDir.
int map(const std::string& world, const std::string& fontDir, const std::string& outDir, int scale,
        const std::string& largeDir) {
    Font serifBold;
    if (!serifBold.load(fontDir + "/EBGaramond12-Bold.otf")) {
        std::cerr << "artgen: cannot load the fonts in " << fontDir << "\n";
        return 1;
    }
    WorldMap worldMap;
    if (!worldMap.load(world) || !worldMap.make(serifBold, outDir)) {
        std::cerr << "artgen: " << worldMap.error() << "\n";
        return 1;
    }
    if (!writeLessonMaps(worldMap, outDir)) {
        return 1;
    }
    if (scale > 1 &&
        !worldMap.makeLarger(scale, serifBold, largeDir,
                             [&] { return writeLessonMaps(worldMap, largeDir); })) {
        if (!worldMap.error().empty()) {
            std::cerr << "artgen: " << worldMap.error() << "\n";
        }
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "map") {
        return map(args[1], args[2], args[3], 1, "");
    }
    if (args.size() == 6 && args[0] == "map") {
        const int scale = std::atoi(args[4].c_str());
        if (scale < 1 || scale > 4) {
            std::cerr << "artgen: the scale is a whole number from 1 to 4, not " << args[4] << "\n";
            return 2;
        }
        return map(args[1], args[2], args[3], scale, args[5]);
    }
    if (args.size() == 4 && args[0] == "split") {
        return split(args[1], args[2], args[3]);
    }
    if (args.size() == 3 && args[0] == "pale") {
        return pale(args[1], args[2]);
    }
    if (args.size() == 3 && args[0] == "flatten") {
        return flatten(args[1], args[2]);
    }
    if (args.size() >= 2 && args[0] == "rgb") {
        // Each PICTURE.png as OUTDIR/PICTURE.rgb, in one run for the lot.
        for (std::size_t i = 2; i < args.size(); ++i) {
            const std::string& in = args[i];
            const std::size_t slash = in.find_last_of('/');
            const std::string name = in.substr(slash == std::string::npos ? 0 : slash + 1);
            if (rgbBytes(in, args[1] + "/" + name.substr(0, name.rfind('.')) + ".rgb") != 0) {
                return 1;
            }
        }
        return 0;
    }
    return usage();
}
