#pragma once

#include <span>
#include <string_view>

#include "res/Catalogue.h"

namespace tessarion::res {

// A language the game speaks: its code (as in po/LINGUAS), its name as its
// speakers write it, for the Language menu, and how it groups thousands.
struct Language {
    std::string_view code;
    std::string_view ownName;
    std::string_view groupSeparator;
};

// English first, then the translations in the menu's order.
std::span<const Language> languages();
// The language of that code, or nullptr.
const Language* findLanguage(std::string_view code);

// The first of our languages the system asks for: LANGUAGE is a list by
// preference ("de_AT:de:en"), then the first set of LC_ALL, LC_MESSAGES and
// LANG names one ("fr_FR.UTF-8"). English when none of them is ours.
std::string_view systemLanguage(std::string_view language, std::string_view lcAll,
                                std::string_view lcMessages, std::string_view lang);

// The language's catalogue as the game carries it, read once; nullptr for
// English and for a code we do not know. "pseudo" is the test language.
const Catalogue* catalogueFor(std::string_view code);

}  // namespace tessarion::res
