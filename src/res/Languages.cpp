#include "res/Languages.h"

#include <array>
#include <map>
#include <string>

#include "res/EmbeddedData.h"

namespace tessarion::res {

namespace {

constexpr std::array<Language, 5> kLanguages = {{
    {"en", "English", ","},
    {"de", "Deutsch", "."},
    {"fr", "Français", "\xC2\xA0"},  // a no-break space: 75 000, never split
    {"it", "Italiano", "."},
    {"es", "Español", "."},
}};

// "de" from "de_DE.UTF-8@euro", "de-AT" or "de".
std::string_view languagePart(std::string_view locale) {
    return locale.substr(0, locale.find_first_of("_-.@"));
}

std::map<std::string, Catalogue, std::less<>> readCatalogues() {
    std::map<std::string, Catalogue, std::less<>> read;
    for (const detail::Blob& blob : detail::catalogueBlobs()) {
        const Language* language = findLanguage(blob.name);
        std::string error;
        auto catalogue =
            Catalogue::read(std::span<const unsigned char>(
                                blob.begin, static_cast<std::size_t>(blob.end - blob.begin)),
                            error);
        // The build checks every catalogue with msgfmt; one it could not
        // read would leave the game in English rather than stop it.
        if (language != nullptr && catalogue) {
            catalogue->setGroupSeparator(std::string(language->groupSeparator));
            read.emplace(blob.name, *std::move(catalogue));
        }
    }
    read.emplace("pseudo", Catalogue::pseudo());
    return read;
}

}  // namespace

std::span<const Language> languages() {
    return kLanguages;
}

const Language* findLanguage(std::string_view code) {
    for (const Language& language : kLanguages) {
        if (language.code == code) {
            return &language;
        }
    }
    return nullptr;
}

std::string_view systemLanguage(std::string_view language, std::string_view lcAll,
                                std::string_view lcMessages, std::string_view lang) {
    while (!language.empty()) {
        const std::size_t colon = language.find(':');
        if (const Language* found = findLanguage(languagePart(language.substr(0, colon)))) {
            return found->code;
        }
        language =
            colon == std::string_view::npos ? std::string_view() : language.substr(colon + 1);
    }
    for (std::string_view locale : {lcAll, lcMessages, lang}) {
        if (!locale.empty()) {
            const Language* found = findLanguage(languagePart(locale));
            return found != nullptr ? found->code : kLanguages.front().code;
        }
    }
    return kLanguages.front().code;
}

const Catalogue* catalogueFor(std::string_view code) {
    static const auto catalogues = readCatalogues();
    const auto found = catalogues.find(code);
    return found != catalogues.end() ? &found->second : nullptr;
}

}  // namespace tessarion::res
