#pragma once

#include <string>

namespace tessarion {

// The game's web site, for the rare copy of the game installed without its pages.
inline constexpr const char* kWebSite = "https://tessarion-game.org";

// Where the program runs from (argv[0]), to find the pages installed with it.
void setProgramPath(const std::string& argv0);

// The address to open for a page of the Help and History menus: the copy of
// the page installed with the game (there is no server, so the quiz is a page
// that checks its own answers: "/quiz.php" opens quiz.html), or the web site's.
// With a language code other than "en", the translated page ("guide.de.html")
// is opened when it was installed, the English one otherwise.
std::string webAddress(const std::string& page, const std::string& language = "en");

}  // namespace tessarion
