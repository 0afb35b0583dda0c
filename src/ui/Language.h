#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "model/Wording.h"

namespace tessarion {

// The language the window speaks. The rules and the saved games stay in
// English; what the player reads is translated as it is shown, through here.
// Chosen at start (the settings, --language, the system) and from
// Options > Language; English for a code the game does not know.
void setLanguage(std::string_view code);
std::string_view languageCode();

// The English text or finished English message in the window's language.
std::string tr(std::string_view english);
// A format translated, then filled with its values ("%d", "%s", "%2$s").
std::string trFormat(const char* english, std::initializer_list<std::string_view> values);
// A whole number as the window's reports write it: as it stands in English
// ("75000", "+120"), grouped the language's way elsewhere ("75.000").
std::string localNumber(long long value, bool sign = false);
// How the rules should word what they put together for the window.
const Wording& wording();

}  // namespace tessarion
