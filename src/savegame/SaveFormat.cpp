#include "savegame/SaveFormat.h"

#include <utility>

#include "engine/RomanEmpire.h"
#include "model/PrintableText.h"
#include "savegame/SaveLimits.h"
#include "savegame/WholeNumber.h"

namespace tessarion::save {

#ifdef _WIN32
constexpr std::string_view kLineEnd = "\r\n";
#else
constexpr std::string_view kLineEnd = "\n";
#endif

std::int64_t maxYearlyIncome(const Game& game) {
    std::int64_t sum = 0;
    for (const auto& p : game.provinces) {
        sum += provinceTax(p.get());
    }
    return sum;
}

std::string inQuotes(std::string_view text) {
    std::string quoted = "\"";
    quoted += printableText(text);
    quoted += '"';
    return quoted;
}

std::string_view trimmedRight(std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
        line.remove_suffix(1);
    }
    return line;
}

void Writer::line(std::string_view value, std::string_view comment, std::string_view notes) {
    const std::size_t start = out_.size();
    out_ += value;
    out_ += comment;
    out_ += notes;
    const std::string_view written = std::string_view(out_).substr(start);
    const std::size_t hash = written.find('#');
    if ((hash == std::string_view::npos ? written.size() : hash) > kSaveLimits.lineLength ||
        written.size() > kSaveLimits.noteLineLength) {
        throw SaveRefusal{"the line " + inQuotes(written.substr(0, 40)) + "... would be " +
                          std::to_string(written.size()) +
                          " characters long, more than a saved game may hold"};
    }
    out_ += kLineEnd;
}

int tableIndex(const Game& game, const Province* province) {
    for (std::size_t i = 0; i < game.provinces.size(); ++i) {
        if (game.provinces[i].get() == province) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

LineReader::LineReader(std::string_view bytes) : rest_(bytes) {
    if (rest_.substr(0, 3) == "\xEF\xBB\xBF") {
        rest_.remove_prefix(3);
    }
}

std::size_t LineReader::remaining() const {
    std::size_t lines = 0;
    for (char c : rest_) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines + (!rest_.empty() && rest_.back() != '\n' ? 1 : 0);
}

void LineReader::fail(std::string what) const {
    throw LoadError{lineNumber(), std::move(what)};
}

void LineReader::failComment(std::string_view comment, const std::string& what) const {
    fail("the comment of " + what + " should read " + inQuotes(trimmedRight(comment)));
}

std::string_view LineReader::line(const std::string& what) {
    if (rest_.empty()) {
        throw LoadError{lineNumber() + 1, "the file ends before " + what};
    }
    const std::size_t end = rest_.find('\n');
    std::string_view line = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    ++lineNumber_;
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    // A value a reader of values alone reads whole; notes after the comment
    // may take more room.
    const std::size_t hash = line.find('#');
    if ((hash == std::string_view::npos ? line.size() : hash) > kSaveLimits.lineLength) {
        fail("the line is longer than " + std::to_string(kSaveLimits.lineLength) + " characters");
    }
    if (line.size() > kSaveLimits.noteLineLength) {
        fail("the line is longer than " + std::to_string(kSaveLimits.noteLineLength) +
             " characters");
    }
    if (line.find('\0') != std::string_view::npos) {
        fail("the line holds a NUL character");
    }
    return trimmedRight(line);
}

void LineReader::expect(const std::string& text, const std::string& what) {
    const std::string_view got = line(what);
    if (got != text) {
        fail(what + " should read " + inQuotes(text) + ", not " + inQuotes(got));
    }
}

ValueLine LineReader::value(std::string_view comment, const std::string& what) {
    const std::string_view got = line(what);
    const std::size_t hash = got.find('#');
    if (hash == std::string_view::npos) {
        return {got, {}};
    }
    const std::size_t blanks = comment.find('#');
    if (hash < blanks || got.substr(hash - blanks, comment.size()) != comment) {
        failComment(comment, what);
    }
    return {got.substr(0, hash - blanks), got.substr(hash - blanks + comment.size())};
}

std::optional<std::string_view> LineReader::nextFilled() {
    while (!rest_.empty()) {
        const std::string_view got = line("the end");
        if (!got.empty()) {
            return got;
        }
    }
    return std::nullopt;
}

std::string_view LineReader::filled(const std::string& what) {
    for (;;) {
        const std::string_view got = line(what);
        if (!got.empty()) {
            return got;
        }
    }
}

std::int64_t LineReader::number(std::string_view field, const std::string& what) const {
    const std::optional<std::int64_t> number = wholeNumber(field);
    if (!number) {
        fail(what + " should be a whole number, not " + inQuotes(field));
    }
    return *number;
}

void LineReader::within(std::int64_t number, Bounds bounds, const std::string& what) const {
    if (number < bounds.lowest || number > bounds.highest) {
        fail(what + " is " + std::to_string(number) + ", beyond anything a game reaches (" +
             std::to_string(bounds.lowest) + " to " + std::to_string(bounds.highest) + ")");
    }
}

int provinceIndex(const Game& game, std::string_view name) {
    for (std::size_t i = 0; i < game.provinces.size(); ++i) {
        if (game.provinces[i]->name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

Province* namedProvince(Game& game, const LineReader& in, std::string_view name) {
    const int index = provinceIndex(game, name);
    if (index < 0) {
        in.fail("Bad province name " + inQuotes(name));
    }
    return game.provinces[static_cast<std::size_t>(index)].get();
}

std::size_t readCount(LineReader& in, std::string_view comment, const std::string& what,
                      std::size_t linesEach, std::size_t limit, const std::string& beyond) {
    const ValueLine line = in.value(comment, what);
    if (!line.notes.empty()) {
        in.failComment(comment, what);
    }
    const std::int64_t count = in.number(line.value, what);
    if (count < 0) {
        in.fail(what + " is negative (" + std::to_string(count) + ")");
    }
    if (static_cast<std::uint64_t>(count) > limit) {
        in.fail(what + " is " + std::to_string(count) + ", " + beyond + " (" +
                std::to_string(limit) + ")");
    }
    if (static_cast<std::size_t>(count) > in.remaining() / linesEach) {
        in.fail(what + " is " + std::to_string(count) + ", more than the rest of the file holds");
    }
    return static_cast<std::size_t>(count);
}

}  // namespace tessarion::save
