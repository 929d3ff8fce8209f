#include <gtest/gtest.h>

#include "core/KatakanaText.h"

TEST(KatakanaText, BytesAndCharactersMapBothWays) {
    // The katakana range ends exactly at 0xA1 and 0xDF; the bytes around it are Latin-1.
    const std::pair<unsigned char, char16_t> pairs[] = {{'A', u'A'},    {0xA0, 0x00A0}, {0xA1, 0xFF61},
                                                        {0xDF, 0xFF9F}, {0xE0, 0x00E0}, {0xFF, 0x00FF}};
    for (const auto& [byte, shown] : pairs) EXPECT_EQ(Text8CharToUnicode(byte), shown) << int(byte);
    for (int b = 0; b < 256; ++b) {
        unsigned char back = 0;
        ASSERT_TRUE(UnicodeToText8Char(Text8CharToUnicode(static_cast<unsigned char>(b)), back)) << b;
        EXPECT_EQ(back, b);
    }
    // Latin-1 0xA1-0xDF is shown as katakana, so typing those letters has no byte.
    for (char16_t ch : {char16_t(0x00A1), char16_t(0x00DF), char16_t(0xFF60), char16_t(0xFFA0), char16_t(0x3042),
                        char16_t(0xD83D)}) {
        unsigned char byte = 0x55;
        EXPECT_FALSE(UnicodeToText8Char(ch, byte)) << int(ch);
        EXPECT_EQ(byte, 0x55);
    }
    std::string out = "kept";
    EXPECT_FALSE(Utf16ToText8(u"AB\u00C4", out));
    EXPECT_EQ(out, "kept");
    ASSERT_TRUE(Utf16ToText8(u"A\uFF71\uFF9F", out));
    EXPECT_EQ(out, "A\xB1\xDF");
}
