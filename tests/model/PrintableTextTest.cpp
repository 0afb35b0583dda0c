#include <gtest/gtest.h>

#include <string>

#include "model/PrintableText.h"

namespace tessarion {
namespace {

// What a terminal or a message box would act on comes out as an escape;
// what a reader simply reads comes out as it went in.
TEST(PrintableTextTest, ControlAndFormatCharactersAreEscaped) {
    EXPECT_EQ(printableText("\x1B[2J\x07\t\r\n\x7F"), "\\x1B[2J\\x07\\x09\\x0D\\x0A\\x7F");
    // C1 controls, the right-to-left override, zero-width and direction
    // marks, isolates, the line separator, the byte-order mark.
    EXPECT_EQ(printableText("\xC2\x9B"
                            "a\xE2\x80\xAE"
                            "b\xE2\x80\x8B"
                            "c\xE2\x80\x8F"),
              "\\u009Ba\\u202Eb\\u200Bc\\u200F");
    EXPECT_EQ(printableText("\xE2\x81\xA6x\xE2\x81\xA9\xE2\x80\xA8\xEF\xBB\xBF"),
              "\\u2066x\\u2069\\u2028\\uFEFF");
}

TEST(PrintableTextTest, BytesThatAreNotUtf8AreEscapedOneByOne) {
    // A lone continuation byte, a truncated sequence, an overlong slash, an
    // encoded surrogate, a byte beyond the last code point.
    EXPECT_EQ(printableText("\x80"), "\\x80");
    EXPECT_EQ(printableText("ab\xE2\x80"), "ab\\xE2\\x80");
    EXPECT_EQ(printableText("\xC0\xAF"), "\\xC0\\xAF");
    EXPECT_EQ(printableText("\xED\xA0\x80"), "\\xED\\xA0\\x80");
    EXPECT_EQ(printableText("\xF5\x80\x80\x80"), "\\xF5\\x80\\x80\\x80");
    EXPECT_EQ(printableText("\xF4\x8F\xBF\xBF"), "\xF4\x8F\xBF\xBF") << "the last code point is one";
}

TEST(PrintableTextTest, ReadableTextStaysAsItIs) {
    for (const std::string text :
         {"Upper Rhine", "C:\\Users\\Zoë\\Tessarion\\emergency-1.TSN", "Ελλάς", "日本語 😀", ""}) {
        EXPECT_EQ(printableText(text), text);
    }
}

}  // namespace
}  // namespace tessarion
