#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace tessarion::res {

// A decoded picture, 32-bit pixels 0xAARRGGBB, row-major, width*height entries.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

bool hasPicture(int id);
std::vector<int> pictureIds();  // ascending
// Empty Image when unknown; the bitmap's own size.
Image decodePicture(int id);
// How many times its own size the build draws each picture again, for screens larger than the
// layout: as many as the largest scale a screen is drawn at, so that every screen reduces its
// pictures and none is enlarged.
inline constexpr int kLargePictureScale = 3;
// The picture as the build drew it at kLargePictureScale times its size; empty when only the
// one size is made (the window icons).
Image decodeLargePicture(int id);
// A PNG's pixels; empty when it is not one.
Image decodePng(std::span<const unsigned char> png);
// The embedded PNG bytes, empty when unknown.
std::span<const unsigned char> pictureData(int id);
// WAV bytes (plain PCM), decoded afresh at each call (nothing is kept); empty when unknown.
std::vector<unsigned char> soundData(const std::string& name);
// How long the sound plays in ms, read from its header without decoding it; 0 when unknown.
std::uint64_t soundLength(const std::string& name);
// The sound as it is stored in the executable (see SoundCodec.h), empty when unknown.
std::span<const unsigned char> compressedSoundData(const std::string& name);
std::vector<std::string> soundNames();
// "sans", "serif", "serif-bold" (the map's names) or "serif-italic" (the seas' names); empty
// for any other name.
std::span<const unsigned char> fontData(const std::string& name);
// Caption text of a narration, empty when unknown.
std::string lessonScript(const std::string& narrationName);
// When each non-empty caption line starts to be spoken, in ms from the narration's start;
// empty when unknown.
std::vector<std::uint64_t> lessonCaptionTimes(const std::string& narrationName);
// Writes ID.png for every picture, NAME.wav for every sound and sheet.png (a labelled contact
// sheet of all pictures); returns 0, or prints the failure to err and returns 1.
int exportResources(const std::string& dir, std::ostream& err);

}  // namespace tessarion::res
