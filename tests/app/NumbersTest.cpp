// The one reader of numbers typed by the player: console commands, options.
#include "app/Numbers.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace tessarion {
namespace {

TEST(Numbers, OnlyAWholeNumberWithinTheBoundsIsTaken) {
    long long v = 99;
    for (const auto& [text, low, high] : {std::tuple{"0", 0LL, 2LL},
                                          {"2", 0LL, 2LL},
                                          {"-100000", -100000LL, 100000LL},
                                          {"4294967295", 0LL, 4294967295LL}}) {
        EXPECT_TRUE(parseNumber(text, low, high, v)) << text;
        EXPECT_EQ(std::to_string(v), text);
    }

    v = 7;
    for (const char* bad : {"", " 1", "1 ", "+1", "1x", "0x10", "1.0", "3", "-1", "--1",
                            "4294967296", "99999999999999999999999"}) {
        EXPECT_FALSE(parseNumber(bad, 0, 2, v)) << bad;
        EXPECT_EQ(v, 7) << "a refused text leaves the value alone: " << bad;
    }
    EXPECT_FALSE(parseNumber("4294967296", 0, 4294967295LL, v));
    EXPECT_FALSE(parseNumber("-9223372036854775809", -9223372036854775807LL - 1, 0, v));
    EXPECT_EQ(v, 7);
}

}  // namespace
}  // namespace tessarion
