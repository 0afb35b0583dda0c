#pragma once

#include <span>

namespace tessarion::res::detail {

// One embedded file: its id (pictures; 0 otherwise), its base name and its bytes.
struct Blob {
    int id;
    const char* name;
    const unsigned char* begin;
    const unsigned char* end;
};

// Tables generated at build time, in the order the files were listed.
std::span<const Blob> pictureBlobs();
// The pictures drawn at kLargePictureScale times their size, by the same ids.
std::span<const Blob> largePictureBlobs();
std::span<const Blob> soundBlobs();
std::span<const Blob> scriptBlobs();
std::span<const Blob> cueBlobs();
std::span<const Blob> fontBlobs();
std::span<const Blob> mapBlobs();
// The compiled catalogues, named by their language code.
std::span<const Blob> catalogueBlobs();

}  // namespace tessarion::res::detail
