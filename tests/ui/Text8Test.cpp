#include <gtest/gtest.h>

#include "ui/Text8.h"

namespace {
TEST(Text8, KatakanaAndLatin1BothWays) {
    const std::string bytes = "AZ \xa1\xb1\xdf\xe0\xff";
    const QString shown = FromText8(bytes);
    EXPECT_EQ(shown, QString::fromUtf16(u"AZ \uff61\uff71\uff9f\u00e0\u00ff"));
    std::string back;
    ASSERT_TRUE(ToText8(shown, back));
    EXPECT_EQ(back, bytes);

    // Characters without an 8-bit form, and Latin-1 letters whose bytes are katakana.
    for (const char16_t* refused : {u"a\u3042", u"\u00b1", u"\u20ac"}) {
        std::string out = "unchanged";
        EXPECT_FALSE(ToText8(QString::fromUtf16(refused), out));
        EXPECT_EQ(out, "unchanged");
    }
}
}  // namespace
