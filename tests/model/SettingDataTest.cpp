#include <gtest/gtest.h>

#include <tuple>

#include "model/ClockTimeText.h"
#include "model/SettingData.h"
#include "support/PopulatedSettings.h"

TEST(SettingDefaults, StationNumbersAndNames) {
    auto d = MakeSettingData();
    const SystemData& sys = d->System;
    EXPECT_EQ(std::tuple(int(sys.SwitchCnt), int(sys.NumberSize), sys.SwNumber[0].Value, sys.SwNumber[0].Text.Str()),
              std::tuple(1, 2, 10, std::string("10")));
    for (int e = 1; e < kMaxExchanges; ++e)
        EXPECT_EQ(std::tuple(sys.SwNumber[e].Value, sys.SwNumber[e].Text.Str(), int(sys.SwNumber[e].Position)),
                  std::tuple(kNotAssigned, std::string("-1"), e + 1));
    for (int m = 0; m < kMastersPerExchange; ++m) {
        const MasterData& ms = d->Switch[0].Master[m];
        EXPECT_EQ(std::tuple(ms.NumberValue, ms.Number.Str(), ms.Name.Str(), int(ms.ScanCnt), int(ms.GroupCnt),
                             int(ms.MeetCnt), int(ms.ScanSub[15].Position)),
                  std::tuple(90 + m, std::to_string(90 + m), std::to_string(90 + m), 16, 15, 3, 16));
        EXPECT_EQ(std::tuple(d->Switch[5].Master[m].NumberValue, d->Switch[5].Master[m].Name.Str()),
                  std::tuple(kNotAssigned, std::string()));
    }
    const SwitchData& x1 = d->Switch[0];
    EXPECT_EQ(std::tuple(x1.Sub[0].Number.Str(), x1.Sub[63].Number.Str(), x1.Sub[63].NumberValue,
                         d->Switch[15].Sub[63].NumberValue, int(d->Switch[6].Sub[3].CallSwNo),
                         int(d->Switch[6].Sub[3].CallStNo)),
              std::tuple(std::string("10"), std::string("73"), 73, kNotAssigned, 7, 1));
    EXPECT_EQ(std::tuple(int(d->Function[3].CallCnt), d->Function[3].StartTime.Text.Str(),
                         int(d->Switch[2].LineCntLimit), int(d->Switch[2].Line[1].RxMaster[3].Position)),
              std::tuple(10, std::string("00:00"), 3, 4));
}

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
    const struct {
        const char* text;
        char separator;
        bool ok;
        uint16_t value;
        const char* written;
    } cases[] = {
        {"07:30", ':', true, 7 << 8 | 30, "07:30"}, {"7:5", ':', true, 7 << 8 | 5, "07:05"},
        {"23:59", ':', true, 23 << 8 | 59, "23:59"}, {"0730", ':', false, 0, "00:00"},
        {":30", ':', false, 0, "00:00"}, {"", ':', false, 0, "00:00"}, {"7:x", ':', true, 7 << 8, "07:00"}, {"12-03", '-', true, 12 << 8 | 3, "12-03"},
        {"00-00", '-', true, 0, "00-00"}, {"0203", '-', false, 0, "00-00"}, {"1-200", '-', true, 1 << 8 | 200, "01-200"},
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
    EXPECT_FALSE(ClockTimeFromText("too long text", t));
    EXPECT_EQ(t.Text, "too l");  // cut to the field's five characters
    MemberRef m{9, 1, 1};
    EXPECT_TRUE(MemberRefFromText("12-03", m));
    EXPECT_EQ(m, (MemberRef{9, 12, 3}));
    EXPECT_EQ(MemberRefToText(m), "12-03");
    EXPECT_FALSE(MemberRefFromText("1203", m));
    EXPECT_TRUE(m.Empty());
}
