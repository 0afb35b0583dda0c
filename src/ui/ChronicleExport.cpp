#include "ui/ChronicleExport.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>
#include <vector>

#include "game/Chronicle.h"
#include "game/Game.h"
#include "model/PrintableText.h"
#include "model/Wording.h"
#include "platform/FileSystem.h"
#include "ui/ChronicleBox.h"
#include "ui/ChronicleChart.h"
#include "ui/Screenshot.h"

namespace tessarion {

namespace {

constexpr int kImageWidth = 960;
constexpr int kImageHeight = 600;
constexpr int kTitleBand = 30;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Writes one file whole or not at all; the export's files are its own, so
// no backup of the one replaced is kept.
std::optional<std::string> writeExported(const std::string& path, std::string_view bytes) {
    files::ReplaceOptions options;
    options.keepBackup = false;
    const files::WriteOutcome outcome = files::replaceFile(path, bytes, options);
    if (outcome.ok) {
        return std::nullopt;
    }
    return fillText(N_("Unable to export the chronicle: %s: %s"),
                    {printableText(path), outcome.reason});
}

}  // namespace

Surface chronicleImage(const Game& game, ColourScheme scheme) {
    Surface image(kImageWidth, kImageHeight, ChronicleChart::kBackground);
    image.text = {ChronicleChart::kInk, kBlack, false};
    image.drawText(12, 8, chronicleTitle(game));
    const ChronicleChart chart(game.chronicle, 0, kTitleBand, kImageWidth,
                               kImageHeight - kTitleBand);
    chart.draw(image, scheme);
    return image;
}

std::string exportPrefix(const std::string& path) {
    for (const char* extension : {".png", ".csv", ".tsn"}) {
        const std::size_t n = std::string_view(extension).size();
        if (path.size() > n && lower(path.substr(path.size() - n)) == extension) {
            return path.substr(0, path.size() - n);
        }
    }
    return path;
}

ChronicleExport exportChronicle(Game& game, ColourScheme scheme, const std::string& prefix) {
    ChronicleExport result;
    result.pngPath = prefix + ".png";
    result.csvPath = prefix + ".csv";
    const std::vector<unsigned char> png = encodePng(chronicleImage(game, scheme));
    if (png.empty()) {
        result.error = N_("Unable to export the chronicle: the picture could not be made");
        return result;
    }
    if (auto error = writeExported(
            result.pngPath,
            std::string_view(reinterpret_cast<const char*>(png.data()), png.size()))) {
        result.error = *error;
        return result;
    }
    if (auto error = writeExported(result.csvPath, chronicleCsv(game))) {
        result.error = *error;
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace tessarion
