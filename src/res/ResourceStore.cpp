#include "res/ResourceStore.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/PrintableText.h"
#include "res/ContactSheet.h"
#include "res/EmbeddedData.h"
#include "res/SoundCodec.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb/stb_image.h>

namespace tessarion::res {

namespace {

using detail::Blob;

const Blob* findPicture(int id, std::span<const Blob> blobs = detail::pictureBlobs()) {
    for (const Blob& b : blobs) {
        if (b.id == id) {
            return &b;
        }
    }
    return nullptr;
}

const Blob* findNamed(std::span<const Blob> blobs, const std::string& name) {
    for (const Blob& b : blobs) {
        if (name == b.name) {
            return &b;
        }
    }
    return nullptr;
}

std::span<const unsigned char> bytes(const Blob* b) {
    if (b == nullptr) {
        return {};
    }
    return {b->begin, static_cast<std::size_t>(b->end - b->begin)};
}

// Every write and the close are checked, so a full disk, a file-size limit or
// a device that takes nothing is told with its reason. The bytes go to a file
// beside the target that replaces it only when complete, so a failed export
// leaves the earlier file whole.
bool writeFile(const std::filesystem::path& target, std::span<const unsigned char> data,
               std::ostream& err) {
    std::filesystem::path path = target;
    path += ".part";
    errno = 0;
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    bool written =
        file != nullptr &&
        (data.empty() || std::fwrite(data.data(), 1, data.size(), file) == data.size()) &&
        std::fflush(file) == 0;
    int error = errno;
    if (file != nullptr && std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    std::error_code renamed;
    if (written) {
        std::filesystem::rename(path, target, renamed);
        written = !renamed;
        error = renamed.value();
    }
    if (!written) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        err << "Cannot write " << printableText(target.string()) << " ("
            << std::strerror(error != 0 ? error : EIO) << ")\n";
        return false;
    }
    return true;
}

}  // namespace

bool hasPicture(int id) {
    return findPicture(id) != nullptr;
}

std::vector<int> pictureIds() {
    std::vector<int> ids;
    for (const Blob& b : detail::pictureBlobs()) {
        ids.push_back(b.id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::span<const unsigned char> pictureData(int id) {
    return bytes(findPicture(id));
}

Image decodeLargePicture(int id) {
    return decodePng(bytes(findPicture(id, detail::largePictureBlobs())));
}

Image decodePicture(int id) {
    return decodePng(pictureData(id));
}

Image decodePng(std::span<const unsigned char> png) {
    Image image;
    if (png.empty()) {
        return image;
    }
    int w = 0;
    int h = 0;
    int channels = 0;
    const int size = static_cast<int>(png.size());
    // An opaque picture is decoded as the three bytes a pixel it is stored in: a large map
    // takes 4 MB less on its way to becoming pixels.
    const int wanted =
        stbi_info_from_memory(png.data(), size, &w, &h, &channels) != 0 && channels == 3 ? 3 : 4;
    unsigned char* decoded = stbi_load_from_memory(png.data(), size, &w, &h, &channels, wanted);
    if (decoded == nullptr) {
        return image;
    }
    image.width = w;
    image.height = h;
    image.pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const unsigned char* p = decoded + i * static_cast<std::size_t>(wanted);
        const std::uint32_t alpha = wanted == 4 ? p[3] : 0xFF;
        image.pixels[i] = (alpha << 24) | (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) |
                          std::uint32_t{p[2]};
    }
    stbi_image_free(decoded);
    return image;
}

std::vector<unsigned char> soundData(const std::string& name) {
    // Nothing is kept here: a narration decoded runs to megabytes, and whoever plays a sound
    // decides whether it is worth keeping.
    const Blob* blob = findNamed(detail::soundBlobs(), name);
    return blob != nullptr ? decodeSound(bytes(blob)) : std::vector<unsigned char>();
}

std::uint64_t soundLength(const std::string& name) {
    return soundLengthMs(bytes(findNamed(detail::soundBlobs(), name)));
}

std::span<const unsigned char> compressedSoundData(const std::string& name) {
    return bytes(findNamed(detail::soundBlobs(), name));
}

std::vector<std::string> soundNames() {
    std::vector<std::string> names;
    for (const Blob& b : detail::soundBlobs()) {
        names.emplace_back(b.name);
    }
    return names;
}

std::span<const unsigned char> fontData(const std::string& name) {
    if (name == "sans") {
        return bytes(findNamed(detail::fontBlobs(), "DejaVuSans"));
    }
    if (name == "serif") {
        return bytes(findNamed(detail::fontBlobs(), "EBGaramond12-Regular"));
    }
    if (name == "serif-bold") {
        return bytes(findNamed(detail::fontBlobs(), "EBGaramond12-Bold"));
    }
    if (name == "serif-italic") {
        return bytes(findNamed(detail::fontBlobs(), "EBGaramond12-Italic"));
    }
    return {};
}

std::string lessonScript(const std::string& narrationName) {
    std::span<const unsigned char> text = bytes(findNamed(detail::scriptBlobs(), narrationName));
    return {text.begin(), text.end()};
}

std::vector<std::uint64_t> lessonCaptionTimes(const std::string& narrationName) {
    const std::span<const unsigned char> cues = bytes(findNamed(detail::cueBlobs(), narrationName));
    std::istringstream in(std::string(cues.begin(), cues.end()));
    std::vector<std::uint64_t> times;
    std::string kind;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::uint64_t at = 0;
        if (fields >> kind >> at && kind == "line") {
            times.push_back(at);
        }
    }
    return times;
}

int exportResources(const std::string& dir, std::ostream& err) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir)) {
        err << "Cannot create the directory " << printableText(dir) << " ("
            << (ec ? ec.message() : std::string("it is not a directory")) << ")\n";
        return 1;
    }
    std::filesystem::path base(dir);
    std::vector<std::pair<int, Image>> all;
    for (int id : pictureIds()) {
        if (!writeFile(base / (std::to_string(id) + ".png"), pictureData(id), err)) {
            return 1;
        }
        all.emplace_back(id, decodePicture(id));
    }
    for (const std::string& name : soundNames()) {
        if (!writeFile(base / (name + ".wav"), soundData(name), err)) {
            return 1;
        }
    }
    const std::vector<unsigned char> sheet = contactSheetPng(all);
    if (sheet.empty()) {
        err << "Cannot draw the contact sheet\n";
        return 1;
    }
    if (!writeFile(base / "sheet.png", sheet, err)) {
        return 1;
    }
    return 0;
}

}  // namespace tessarion::res
