#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/Wording.h"

namespace tessarion::res {

// One language's texts, read from a compiled message catalogue (the .mo
// files msgfmt makes from po/*.po).
//
// The rules and the console's pipe protocol speak English only: the rules
// build their finished texts from printf formats ("The legions are demanding
// a bonus of %d sesterces."), and saved games and transcripts keep those
// bytes. So a text is translated where it is shown: `translate` takes the
// finished English, finds the catalogue entry whose English it is, or whose
// format it was made from, reads the values back out of it and writes them
// into the translation. A value that is itself a text of the catalogue (an
// army's name) is translated too, and a grouped number ("75,000") is
// regrouped the language's way ("75.000"). Names (provinces, tribes) are not
// entries and stay as they are.
class Catalogue final : public Wording {
  public:
    // The catalogue in `bytes`, or nothing with `error` saying what is wrong
    // (a damaged catalogue is refused whole: no half-read language).
    static std::optional<Catalogue> read(std::span<const unsigned char> bytes, std::string& error);
    // The test language: every text about 40 % longer and accented, its
    // formats, numbers and line breaks kept, so that a box too small for a
    // longer language shows up in tests.
    static Catalogue pseudo();

    std::string translate(std::string_view english) const;

    std::string text(std::string_view english) const override { return translate(english); }
    std::string number(long long value) const override;
    // "," in English; the language sets its own.
    void setGroupSeparator(std::string separator) { groupSeparator_ = std::move(separator); }

    std::size_t size() const { return texts_.size() + formats_.size(); }

  private:
    // A format's English, cut at its conversions: literal text, then a
    // conversion (`'d'` for a whole number, `'s'` for a text), and so on.
    struct Piece {
        std::string literal;
        char conversion = 0;
    };
    struct Format {
        std::vector<Piece> english;
        std::string translation;
        std::size_t literal = 0;  // the English's own characters, not its values
    };

    // The English of an entry cut at its conversions ("%%" read as "%").
    static std::vector<Piece> piecesOf(std::string_view english);
    std::optional<std::string> whole(std::string_view english, int depth) const;
    std::string parts(std::string_view english, int depth) const;
    std::string value(std::string_view english, int depth) const;
    std::string regroup(std::string_view digits) const;
    std::string accent(std::string_view english) const;

    std::unordered_map<std::string, std::string> texts_;
    std::vector<Format> formats_;
    std::string groupSeparator_ = ",";
    bool pseudo_ = false;
};

}  // namespace tessarion::res
