#include "res/MapLand.h"

#include "res/EmbeddedData.h"

namespace tessarion::res {

namespace {

constexpr unsigned char kSeaCode = 255;
constexpr unsigned char kNoProvinceCode = 254;

}  // namespace

MapLand::MapLand(std::span<const unsigned char> runs) {
    constexpr std::size_t total = static_cast<std::size_t>(kWidth) * kHeight;
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
    static const MapLand land([] {
        auto blobs = detail::mapBlobs();
        return blobs.empty()
                   ? std::span<const unsigned char>()
                   : std::span<const unsigned char>(
                         blobs[0].begin, static_cast<std::size_t>(blobs[0].end - blobs[0].begin));
    }());
    return land;
}

int MapLand::at(int x, int y) const {
    if (cells_.empty() || x < 0 || y < 0 || x >= kWidth || y >= kHeight) {
        return kSea;
    }
    const unsigned char code = cells_[static_cast<std::size_t>(y) * kWidth + x];
    return code == kSeaCode ? kSea : code == kNoProvinceCode ? kNoProvince : code;
}

}  // namespace tessarion::res
