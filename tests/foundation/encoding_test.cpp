#include "foundation/encoding.h"

#include <gtest/gtest.h>

namespace dravn {
namespace {

TEST(Encoding, Cp1252RoundTripsEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Encoding, Cp1252MapsNorwegianLettersAndEuroAndReplacesTheRest) {
    EXPECT_EQ(Utf8ToCp1252("æøå ÆØÅ €"), "\xE6\xF8\xE5 \xC6\xD8\xC5 \x80");
    EXPECT_EQ(Utf8ToCp1252("Ω中"), "??");
    EXPECT_EQ(Cp1252ToUtf8("\x80\x9F"), "€Ÿ");
}

TEST(Encoding, Utf16BothByteOrdersWithSurrogates) {
    const std::string text = "Blåbær 😀";
    for (bool be : {false, true}) EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text, be), be), text);
    EXPECT_EQ(Utf8ToUtf16("A", true), std::string("\0A", 2));
    EXPECT_EQ(Utf16ToUtf8(std::string("\x00\xD8", 2), false), "\uFFFD");
}

TEST(Encoding, MalformedUtf8IsReplacedNotDropped) {
    EXPECT_FALSE(IsValidUtf8("a\xC3"));
    EXPECT_TRUE(IsValidUtf8("æ"));
    EXPECT_EQ(DecodeUtf8("a\xFF" "b"), U"a\uFFFDb");
}

}  // namespace
}  // namespace dravn
