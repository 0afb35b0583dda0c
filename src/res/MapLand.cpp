#include "res/MapLand.h"

#include <string>

#include "res/EmbeddedData.h"
#include "res/ResourceStore.h"

namespace tessarion::res {

namespace {

constexpr unsigned char kSeaCode = 255;
constexpr unsigned char kNoProvinceCode = 254;

std::span<const unsigned char> mapBlob(const std::string& name) {
    for (const detail::Blob& b : detail::mapBlobs()) {
        if (name == b.name) {
            return {b.begin, static_cast<std::size_t>(b.end - b.begin)};
        }
    }
    return {};
}

}  // namespace

MapLand::MapLand(std::span<const unsigned char> runs, int scale)
    : width_(kWidth * scale), height_(kHeight * scale) {
    const std::size_t total = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    if (runs.size() % 3 != 0) {
        return;
    }
    std::vector<unsigned char> cells;
    cells.reserve(total);
    for (std::size_t i = 0; i < runs.size(); i += 3) {
        const std::size_t length = runs[i + 1] | static_cast<std::size_t>(runs[i + 2]) << 8;
        if (length == 0 || cells.size() + length > total) {
            return;
        }
        cells.insert(cells.end(), length, runs[i]);
    }
    if (cells.size() == total) {
        cells_ = std::move(cells);
    }
}

const MapLand& MapLand::embedded() {
    static const MapLand land(mapBlob("map-land"));
    return land;
}

MapLand MapLand::embeddedAt(int scale) {
    if (scale == kLargePictureScale) {
        return MapLand(mapBlob("map-land-large"), kLargePictureScale);
    }
    return scale == 1 ? embedded() : MapLand(std::span<const unsigned char>(), scale);
}

int MapLand::at(int x, int y) const {
    if (cells_.empty() || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return kSea;
    }
    const unsigned char code = cells_[static_cast<std::size_t>(y) * width_ + x];
    return code == kSeaCode ? kSea : code == kNoProvinceCode ? kNoProvince : code;
}

}  // namespace tessarion::res
