// The save folder reaches the file chooser through the shell: whatever the
// folder's name holds, the shell must read it back as the one word it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/SdlPlatform.h"

#if !defined(_WIN32)  // no POSIX shell to read the quotes back

namespace tessarion {
namespace {

// What /bin/sh makes of the quoted text as one argument of printf.
std::string echoedByTheShell(const std::string& text) {
    const std::string command = "printf '%s|' " + shellQuote(text);
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return "(no shell)";
    }
    std::string out;
    char buffer[256];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    pclose(pipe);
    return out;
}

TEST(ShellQuote, AnyFolderNameComesBackAsOneWord) {
    for (const std::string& name :
         {std::string("/home/ann/.local/share/tessarion/saves/"), std::string(""),
          std::string("My Saves/"), std::string("Ann's games/"), std::string("''"),
          std::string("a'b'c"), std::string("$(touch /tmp/x) `id` $HOME ; rm -rf ~ &"),
          std::string("\"quoted\" \\back\\slash"), std::string("two\nlines"),
          std::string("*.TSN ?[a-z] {a,b} ~user # not a comment"), std::string("-n")}) {
        EXPECT_EQ(echoedByTheShell(name), name + "|") << name;
    }
}

}  // namespace
}  // namespace tessarion

#endif
