#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace tessarion {

// Marks an English text kept in a table so that po/update puts it in the
// translators' catalogue; the text itself is unchanged.
constexpr const char* N_(const char* english) {
    return english;
}

// A printf-like format filled with values already written out: "%s" and
// "%d" (with their flags) take the next value, "%2$s" the second, "%%" is a
// percent sign. A conversion without a value is left out.
std::string fillText(std::string_view format, std::span<const std::string_view> values);

// The text in lower case, each accented Latin letter as its plain one: "Sì"
// and "si" are one answer to a pupil at a keyboard without the accented
// letter, and the map's capitals are set without accents.
std::string plainLowerCase(std::string_view text);
inline std::string fillText(std::string_view format,
                            std::initializer_list<std::string_view> values) {
    return fillText(format, std::span<const std::string_view>(values.begin(), values.size()));
}

// How the rules word the texts they put together from pieces (the year's
// record, its summary): English, unless the one showing them passes a
// language of its own. The rules never keep a wording; saved games, the
// console's protocol and the transcripts always see the English.
class Wording {
  public:
    virtual ~Wording() = default;
    // The text or format in the language (the English when it has none).
    virtual std::string text(std::string_view english) const { return std::string(english); }
    // A whole number grouped the language's way: "75,000" in English.
    virtual std::string number(long long value) const;

    std::string format(const char* english, std::initializer_list<std::string_view> values) const {
        return fillText(text(english), values);
    }
};

// The English wording, which every rule uses unless told otherwise.
const Wording& englishWording();

}  // namespace tessarion
