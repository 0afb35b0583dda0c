#pragma once

#include <string>
#include <string_view>

namespace tessarion {

// Text from outside the game (a file, the command line, a console command)
// made safe to show in a message, a terminal or a box: every control byte,
// every Unicode format or separator character (the right-to-left override
// and its kin, zero-width characters, the byte-order mark) and every byte
// that is not part of well-formed UTF-8 is written as an escape (\x1B,
// \u202E), so nothing it holds can move the cursor, ring the bell, recolour a
// terminal or turn the rest of a line around. Everything else, accented
// letters and backslashes included (a Windows path stays readable), stays as
// it is.
std::string printableText(std::string_view text);

}  // namespace tessarion
