#pragma once

namespace tessarion {

// One picture of resources/art/pictures.txt: its id, its mask's id (-1 for an
// opaque picture) and the size it is drawn at.
struct PictureEntry {
    int id;
    int mask;
    int width;
    int height;
};

struct NamedPicture {
    const char* name;
    PictureEntry picture;
};

// One province's ownership overlay: where it goes (layout x, before the
// horizontal offset), its draw size and its three pictures sharing one mask.
struct OverlayEntry {
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

}  // namespace tessarion
