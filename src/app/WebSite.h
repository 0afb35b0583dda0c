#pragma once

namespace tessarion {

// The game's web site: the Help and History menus open pages under it.
inline constexpr const char* kWebSite = "https://tessarion-game.org";

}  // namespace tessarion
