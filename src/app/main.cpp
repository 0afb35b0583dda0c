#include <charconv>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/Console.h"
#include "app/Simulator.h"

namespace {

const char* const kUsage =
    "Usage: tessarion [options]\n"
    "\n"
    "  --console          play without a window: text commands on standard input\n"
    "  --simulate ...     play whole games headless for balance statistics\n"
    "                     (--games N --skill 0|1|2|all --seed S --player idle|general|all\n"
    "                      --from 235|1100|1101|1102|1103 --csv FILE)\n"
    "  --seed N           start the random generator from N (0 to 4294967295)\n"
    "  --help             show this text\n"
    "  --version          show the version\n";

bool parseSeed(const char* text, std::uint32_t& seed) {
    const char* end = text + std::strlen(text);
    unsigned long long value = 0;
    auto [ptr, ec] = std::from_chars(text, end, value);
    if (ec != std::errc() || ptr != end || value > 0xffffffffULL || text == end) {
        return false;
    }
    seed = static_cast<std::uint32_t>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<std::uint32_t> seed;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--version") {
            std::cout << "Tessarion 1.3\n";
            return 0;
        }
        if (arg == "--simulate") {
            return tessarion::runSimulator(std::vector<std::string>(argv + i + 1, argv + argc),
                                           std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
        }
        if (arg == "--console") {
            continue;
        }
        if (arg == "--seed") {
            std::uint32_t value = 0;
            if (i + 1 >= argc || !parseSeed(argv[i + 1], value)) {
                std::cerr << "tessarion: --seed needs a number from 0 to 4294967295\n";
                return 2;
            }
            seed = value;
            ++i;
            continue;
        }
        std::cerr << "tessarion: unknown option " << arg << "\n" << kUsage;
        return 2;
    }
    tessarion::Console console(std::cin, std::cout);
    return console.run(seed);
}
