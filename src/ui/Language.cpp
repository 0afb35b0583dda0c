#include "ui/Language.h"

#include "res/Languages.h"

namespace tessarion {

namespace {

// One window, one language: the presentation's only such setting.
const res::Catalogue* gCatalogue = nullptr;
std::string_view gCode = "en";

}  // namespace

void setLanguage(std::string_view code) {
    const res::Language* language = res::findLanguage(code);
    gCatalogue = res::catalogueFor(code);
    gCode = language != nullptr ? language->code : gCatalogue != nullptr ? "pseudo" : "en";
}

std::string_view languageCode() {
    return gCode;
}

std::string tr(std::string_view english) {
    return gCatalogue != nullptr ? gCatalogue->translate(english) : std::string(english);
}

std::string trFormat(const char* english, std::initializer_list<std::string_view> values) {
    return fillText(tr(english), values);
}

std::string localNumber(long long value, bool sign) {
    const std::string plus = sign && value >= 0 ? "+" : "";
    return plus + (gCatalogue != nullptr ? gCatalogue->number(value) : std::to_string(value));
}

const Wording& wording() {
    return gCatalogue != nullptr ? static_cast<const Wording&>(*gCatalogue) : englishWording();
}

}  // namespace tessarion
