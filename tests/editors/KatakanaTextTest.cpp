#include <gtest/gtest.h>

#include "editors/KatakanaText.h"

TEST(KatakanaText, BytesAndCharactersMapBothWays) {
    struct Case {
        unsigned char Byte;
        char16_t Shown;
    };
    // The katakana range ends exactly at 0xA1 and 0xDF; the bytes around it are Latin-1.
    const Case cases[] = {{0x00, 0x0000}, {'A', u'A'},    {0x7E, 0x007E}, {0x80, 0x0080}, {0xA0, 0x00A0},
                          {0xA1, 0xFF61}, {0xB1, 0xFF71}, {0xDF, 0xFF9F}, {0xE0, 0x00E0}, {0xFF, 0x00FF}};
    for (const Case& c : cases) {
        EXPECT_EQ(Text8CharToUnicode(c.Byte), c.Shown) << int(c.Byte);
        unsigned char back = 0;
        ASSERT_TRUE(UnicodeToText8Char(c.Shown, back)) << int(c.Byte);
        EXPECT_EQ(back, c.Byte);
    }
    for (int b = 0; b < 256; ++b) {
        unsigned char back = 0;
        ASSERT_TRUE(UnicodeToText8Char(Text8CharToUnicode(static_cast<unsigned char>(b)), back)) << b;
        EXPECT_EQ(back, b);
    }
}

TEST(KatakanaText, CharactersWithoutAnEightBitFormAreRefused) {
    // Latin-1 0xA1-0xDF is shown as katakana, so typing those letters has no byte.
    const char16_t refused[] = {0x00A1, 0x00C4, 0x00DF, 0xFF60, 0xFFA0, 0x0100, 0x3042, 0x20AC, 0xD83D};
    for (char16_t ch : refused) {
        unsigned char byte = 0x55;
        EXPECT_FALSE(UnicodeToText8Char(ch, byte)) << int(ch);
        EXPECT_EQ(byte, 0x55);
    }
    std::string out = "kept";
    EXPECT_FALSE(Utf16ToText8(u"AB\u00C4", out));
    EXPECT_EQ(out, "kept");
    ASSERT_TRUE(Utf16ToText8(u"A\uFF71\uFF9F", out));
    EXPECT_EQ(out, "A\xB1\xDF");
    EXPECT_EQ(Text8ToUtf16("x\xA1\xDF\xE0"), u"x\uFF61\uFF9F\u00E0");
}
