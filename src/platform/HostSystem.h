#pragma once

#include <filesystem>
#include <string>

namespace tessarion {

// What the program asks of the operating system outside its window: where it
// was installed, where the player's files go, and a terminal to talk to.
// Paths are UTF-8 in std::string; on Windows they are read as wide
// characters and converted, so that a non-ASCII user name does not break them.

// The folder of the running executable; argv0 is the fallback where the
// system cannot tell.
std::filesystem::path programFolder(const std::string& argv0);

// The folder saved games live in: %APPDATA%\Tessarion on Windows,
// $XDG_DATA_HOME/tessarion/saves (or ~/.local/share/...) elsewhere, and
// /saves in the browser, where the page keeps that folder across visits.
std::string savedGamesFolder();

// The file the game keeps its settings in: settings.ini in %APPDATA%\Tessarion
// on Windows, in $XDG_CONFIG_HOME/tessarion (or ~/.config/tessarion) elsewhere,
// and in /saves in the browser, the folder the page keeps in the browser's storage.
std::string settingsFile();

// A file:// address for an absolute path (file:///C:/... on Windows).
std::string fileUrl(const std::filesystem::path& path);

// The languages the player's system is set to, by preference, as a
// colon-separated list of language codes ("de-DE:en"): the user's interface
// language on Windows, the browser's languages in the browser. Empty
// elsewhere, where the locale variables of the environment say it.
std::string userInterfaceLanguages();

// Windows builds are GUI programs, which start without a console: this
// connects standard input and output to the terminal the program was started
// from, where they were not redirected already. With create, a program
// started without one (from the desktop) gets a console window of its own.
// Elsewhere it does nothing.
void attachConsole(bool create);

// Hands a large block of memory back to the system as soon as it is freed.
// The window's buffers and pictures on a large screen are megabytes each, and
// glibc would otherwise keep freed blocks of up to 32 MB for reuse, so that
// a resized picture once shown stays in the game's memory for good. Does
// nothing where the allocator is another.
void returnFreedMemoryPromptly();

}  // namespace tessarion
