#include <gtest/gtest.h>

#include <tuple>

#include "model/ClockTimeText.h"
#include "model/SettingData.h"
#include "support/PopulatedSettings.h"

TEST(SettingDefaults, ResetClearsEverythingButPasswordModifiedAndPath) {
    auto d = MakeSettingData();
    FillPopulatedSettings(*d, 7);
    d->SettingPassword = "1234", d->Modified = 1, d->CurrentFilePath = "/x/y.txt";
    ResetToDefaults(*d);
    EXPECT_TRUE(SameSettings(*d, *MakeSettingData()));
    EXPECT_EQ(std::tuple(d->SettingPassword.Str(), int(d->Modified), d->CurrentFilePath.Str()),
              std::tuple(std::string("1234"), 1, std::string("/x/y.txt")));
}

TEST(PairText, ConversionsBothWays) {
    const struct { const char* text; char separator; bool ok; uint16_t value; const char* written; } cases[] = {
        {"7:5", ':', true, 7 << 8 | 5, "07:05"}, {"0730", ':', false, 0, "00:00"}, {":30", ':', false, 0, "00:00"},
        {"7:x", ':', true, 7 << 8, "07:00"},   {"1-200", '-', true, 1 << 8 | 200, "01-200"},
    };
    for (const auto& c : cases) {
        uint16_t v = 0xFFFF;
        EXPECT_EQ(TextToPair(c.text, c.separator, v), c.ok) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
        EXPECT_EQ(PairToText(v, c.separator), c.written) << c.text;
    }
}

TEST(PairText, ClockTimeKeepsItsTextAndMemberRefItsPosition) {
    ClockTime t;
    EXPECT_TRUE(ClockTimeFromText("7:30", t));
    EXPECT_EQ(std::pair(t.Text.Str(), ClockTimeToText(t)), std::pair(std::string("7:30"), std::string("07:30")));
    MemberRef m{9, 1, 1};
    EXPECT_TRUE(MemberRefFromText("12-03", m));
    EXPECT_EQ(m, (MemberRef{9, 12, 3}));
    EXPECT_EQ(MemberRefToText(m), "12-03");
    EXPECT_FALSE(MemberRefFromText("1203", m));
    EXPECT_TRUE(m.Empty());
}
