#include "res/Catalogue.h"

#include <cstdint>

namespace tessarion::res {

namespace {

constexpr std::uint32_t kMagic = 0x950412DE;
constexpr std::uint32_t kSwappedMagic = 0xDE120495;
// Deep enough for a value inside a value inside a text; a cap, so that no
// catalogue can make a translation recurse without end.
constexpr int kDeepest = 3;

std::uint32_t word(std::span<const unsigned char> bytes, std::size_t at, bool swapped) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const int shift = swapped ? 8 * (3 - i) : 8 * i;
        value |= std::uint32_t{bytes[at + static_cast<std::size_t>(i)]} << shift;
    }
    return value;
}

// The string the table entry at `entry` points at, or nothing when it
// points outside the catalogue or is not followed by its terminating NUL.
std::optional<std::string_view> entryText(std::span<const unsigned char> bytes, std::size_t entry,
                                          bool swapped) {
    if (entry > bytes.size() || bytes.size() - entry < 8) {
        return std::nullopt;
    }
    const std::size_t length = word(bytes, entry, swapped);
    const std::size_t offset = word(bytes, entry + 4, swapped);
    if (offset > bytes.size() || bytes.size() - offset <= length || bytes[offset + length] != 0) {
        return std::nullopt;
    }
    return std::string_view(reinterpret_cast<const char*>(bytes.data()) + offset, length);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length of the printf conversion at `text[at]` (just after a '%') and
// its kind in `conversion` ('d' or 's'); 0 when what follows is no
// conversion the game's texts use.
std::size_t conversionLength(std::string_view text, std::size_t at, char& conversion) {
    std::size_t end = at;
    while (end < text.size() &&
           (isDigit(text[end]) || text[end] == '$' ||
            std::string_view("-+ #.").find(text[end]) != std::string_view::npos)) {
        ++end;
    }
    while (end < text.size() && (text[end] == 'l' || text[end] == 'h' || text[end] == 'z')) {
        ++end;
    }
    if (end >= text.size()) {
        return 0;
    }
    const char kind = text[end];
    if (kind == 'd' || kind == 'i' || kind == 'u') {
        conversion = 'd';
    } else if (kind == 's') {
        conversion = 's';
    } else {
        return 0;
    }
    return end + 1 - at;
}

// Whether the text is a whole number as the English texts group it:
// "75,000", "-24,000", "+6,450".
bool isGroupedNumber(std::string_view text) {
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        text.remove_prefix(1);
    }
    const std::size_t lead = text.find(',');
    if (lead == 0 || lead > 3 || lead == std::string_view::npos || (text.size() - lead) % 4 != 0) {
        return false;
    }
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool comma = at >= lead && (at - lead) % 4 == 0;
        if (comma ? text[at] != ',' : !isDigit(text[at])) {
            return false;
        }
    }
    return true;
}

// Matches `text` from `at` against the pieces from `piece` on, collecting
// the values; texts take the shortest value that lets the rest match.
bool matchFrom(const auto& pieces, std::size_t piece, std::string_view text, std::size_t at,
               std::vector<std::string_view>& values) {
    if (piece == pieces.size()) {
        return at == text.size();
    }
    const auto& literal = pieces[piece].literal;
    if (text.substr(at, literal.size()) != literal) {
        return false;
    }
    at += literal.size();
    const char conversion = pieces[piece].conversion;
    if (conversion == 0) {
        return matchFrom(pieces, piece + 1, text, at, values);
    }
    if (conversion == 'd') {
        std::size_t end = at + (at < text.size() && text[at] == '-' ? 1 : 0);
        const std::size_t first = end;
        while (end < text.size() && isDigit(text[end])) {
            ++end;
        }
        if (end == first) {
            return false;
        }
        values.push_back(text.substr(at, end - at));
        if (matchFrom(pieces, piece + 1, text, end, values)) {
            return true;
        }
        values.pop_back();
        return false;
    }
    for (std::size_t end = at; end <= text.size(); ++end) {
        values.push_back(text.substr(at, end - at));
        if (matchFrom(pieces, piece + 1, text, end, values)) {
            return true;
        }
        values.pop_back();
    }
    return false;
}

std::string replaceAll(std::string_view text, std::string_view what, std::string_view by) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos;
         at = text.find(what, start)) {
        out.append(text.substr(start, at - start)).append(by);
        start = at + what.size();
    }
    return out.append(text.substr(start));
}

std::string joinTranslated(std::string_view english, std::string_view separator,
                           const auto& translatePart) {
    std::string out;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = english.find(separator, start);
        out += translatePart(english.substr(start, end - start));
        if (end == std::string_view::npos) {
            return out;
        }
        out += separator;
        start = end + separator.size();
    }
}

}  // namespace

std::optional<Catalogue> Catalogue::read(std::span<const unsigned char> bytes, std::string& error) {
    if (bytes.size() < 28) {
        error = "the catalogue is too short to hold its header";
        return std::nullopt;
    }
    const std::uint32_t magic = word(bytes, 0, false);
    if (magic != kMagic && magic != kSwappedMagic) {
        error = "not a compiled message catalogue";
        return std::nullopt;
    }
    const bool swapped = magic == kSwappedMagic;
    if ((word(bytes, 4, swapped) >> 16) > 1) {
        error = "a catalogue of an unknown revision";
        return std::nullopt;
    }
    const std::size_t count = word(bytes, 8, swapped);
    const std::size_t originals = word(bytes, 12, swapped);
    const std::size_t translations = word(bytes, 16, swapped);
    if (count > bytes.size() / 16 || originals > bytes.size() || translations > bytes.size()) {
        error = "the catalogue's tables lie outside it";
        return std::nullopt;
    }
    Catalogue catalogue;
    for (std::size_t i = 0; i < count; ++i) {
        const auto english = entryText(bytes, originals + 8 * i, swapped);
        const auto translated = entryText(bytes, translations + 8 * i, swapped);
        if (!english || !translated) {
            error = "entry " + std::to_string(i) + " of the catalogue lies outside it";
            return std::nullopt;
        }
        // The header (empty English) and texts with a context or plural
        // forms are not the game's; the first form stands for all.
        if (english->empty() || english->find('\4') != std::string_view::npos) {
            continue;
        }
        const std::string_view key = english->substr(0, english->find('\0'));
        const std::string_view text = translated->substr(0, translated->find('\0'));
        if (text.empty()) {
            continue;
        }
        std::vector<Piece> pieces = piecesOf(key);
        // A format is also found as it stands, for the window's own formats
        // that are translated before they are filled.
        catalogue.texts_.emplace(key, std::string(text));
        if (pieces.size() > 1) {
            std::size_t literal = 0;
            for (const Piece& piece : pieces) {
                literal += piece.literal.size();
            }
            catalogue.formats_.push_back({std::move(pieces), std::string(text), literal});
        } else if (pieces.front().literal != key) {
            // "%%" in a text that is no format: shown as one percent sign.
            catalogue.texts_.emplace(pieces.front().literal, fillText(text, {}));
        }
    }
    return catalogue;
}

std::vector<Catalogue::Piece> Catalogue::piecesOf(std::string_view english) {
    std::vector<Piece> pieces(1);
    for (std::size_t at = 0; at < english.size(); ++at) {
        char conversion = 0;
        const std::size_t length =
            english[at] == '%' ? conversionLength(english, at + 1, conversion) : 0;
        if (length > 0) {
            pieces.back().conversion = conversion;
            pieces.emplace_back();
            at += length;
        } else {
            pieces.back().literal += english[at];
            at += english[at] == '%' && at + 1 < english.size() && english[at + 1] == '%' ? 1 : 0;
        }
    }
    return pieces;
}

Catalogue Catalogue::pseudo() {
    Catalogue catalogue;
    catalogue.pseudo_ = true;
    catalogue.groupSeparator_ = "\xC2\xA0";  // a no-break space, like French
    return catalogue;
}

std::string Catalogue::translate(std::string_view english) const {
    if (pseudo_) {
        return accent(english);
    }
    // The catalogue ends its lines with "\n"; the advisor's texts end
    // theirs with "\r\n", and keep doing so in the language.
    if (english.find("\r\n") == std::string_view::npos) {
        return parts(english, 0);
    }
    return replaceAll(parts(replaceAll(english, "\r\n", "\n"), 0), "\n", "\r\n");
}

std::string Catalogue::parts(std::string_view english, int depth) const {
    if (auto translated = whole(english, depth)) {
        return *std::move(translated);
    }
    // Texts the rules put together from several of the catalogue's (a
    // message and a hint, the year's summary): each part on its own.
    for (std::string_view separator : {"\n\n", "; "}) {
        if (depth < kDeepest && english.find(separator) != std::string_view::npos) {
            return joinTranslated(english, separator,
                                  [&](std::string_view part) { return parts(part, depth + 1); });
        }
    }
    return std::string(english);
}

std::optional<std::string> Catalogue::whole(std::string_view english, int depth) const {
    if (const auto found = texts_.find(std::string(english)); found != texts_.end()) {
        return found->second;
    }
    // Of the formats that match, the one with the most of its own words
    // ("unknown command: %s" rather than "%s: %s").
    const Format* best = nullptr;
    std::vector<std::string_view> values;
    std::vector<std::string_view> bestValues;
    for (const Format& format : formats_) {
        values.clear();
        if ((best == nullptr || format.literal > best->literal) &&
            matchFrom(format.english, 0, english, 0, values)) {
            best = &format;
            bestValues = values;
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    // Each value the English was made with, in the language: texts
    // translated, grouped numbers regrouped; the translation may put them in
    // its own order ("%2$s").
    std::vector<std::string> written;
    std::size_t piece = 0;
    for (std::string_view found : bestValues) {
        while (best->english[piece].conversion == 0) {
            ++piece;
        }
        // Whole numbers of four digits or more are grouped (the years the
        // texts name are all below 1000).
        const bool text = best->english[piece++].conversion == 's';
        written.push_back(text                ? value(found, depth)
                          : found.size() >= 4 ? number(std::stoll(std::string(found)))
                                              : std::string(found));
    }
    const std::vector<std::string_view> views(written.begin(), written.end());
    return fillText(best->translation, views);
}

std::string Catalogue::value(std::string_view english, int depth) const {
    if (isGroupedNumber(english)) {
        return regroup(english);
    }
    if (depth >= kDeepest) {
        return std::string(english);
    }
    return whole(english, depth + 1).value_or(std::string(english));
}

std::string Catalogue::regroup(std::string_view grouped) const {
    std::string out;
    for (char c : grouped) {
        if (c == ',') {
            out += groupSeparator_;
        } else {
            out += c;
        }
    }
    return out;
}

std::string Catalogue::number(long long value) const {
    return regroup(Wording::number(value));
}

std::string Catalogue::accent(std::string_view english) const {
    // Each letter's accented twin (ASCII letters only; the rest as it is).
    static constexpr std::string_view kPlain = "aeiouncAEIOUNC";
    static constexpr const char* kAccented[] = {"á", "é", "í", "ó", "ü", "ñ", "ç",
                                                "Á", "É", "Í", "Ó", "Ü", "Ñ", "Ç"};
    std::string out;
    double owed = 0.5;
    for (std::size_t i = 0; i < english.size(); ++i) {
        const char c = english[i];
        // A format's conversions stay as they are: "%d" is no word.
        char conversion = 0;
        if (const std::size_t length =
                c == '%' ? conversionLength(english, i + 1, conversion) : 0) {
            out.append(english.substr(i, length + 1));
            i += length;
            continue;
        }
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter) {
            owed = 0.5;
            out += c;
            continue;
        }
        const std::size_t at = kPlain.find(c);
        const std::string shown = at == std::string_view::npos ? std::string(1, c) : kAccented[at];
        out += shown;
        // Every other letter written twice: with the spaces and stops that
        // stay as they are, about 40 % longer.
        owed += 0.5;
        if (owed >= 1) {
            out += shown;
            owed -= 1;
        }
    }
    return out;
}

}  // namespace tessarion::res
