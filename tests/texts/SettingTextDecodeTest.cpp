#include <gtest/gtest.h>

#include "texts/SettingTextSample.h"
#include "texts/SettingTextDecode.h"

namespace {
std::string Sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
}  // namespace

TEST(SettingTextDecode, BlankStationNumberMakesTheStationNotAssigned) {
    auto d = MakeSettingData();
    MasterData& m = d->Switch[0].Master[1];
    m.LineTx = m.Paging = 1;
    m.TelNo = "123";
    m.AbsenceTelNo = "92";
    ASSERT_TRUE(DecodeSettingText(*d, "B012" + Sp(6) + "Ghost   " "11" "555-1234" + Sp(12)).Applied);
    EXPECT_EQ(m.NumberValue, kNotAssigned);
    EXPECT_EQ(m.Number, "-1");
    EXPECT_TRUE(m.Name.Empty());
    EXPECT_EQ(m.LineTx, 0);
    EXPECT_EQ(m.Paging, 0);
    EXPECT_TRUE(m.TelNo.Empty());
    EXPECT_EQ(m.AbsenceTelNo, "92");  // not part of B

    SubData& s = d->Switch[2].Sub[63];
    ASSERT_TRUE(DecodeSettingText(*d, "C0364" + Sp(6) + "Ghost   " "0721").Applied);
    EXPECT_EQ(s.NumberValue, kNotAssigned);
    EXPECT_EQ(s.Number, "-1");
    EXPECT_TRUE(s.Name.Empty());
    EXPECT_EQ(s.CallSwNo, 7);
    EXPECT_EQ(s.CallStNo, 0);
    EXPECT_EQ(s.Level, 0);

    // Character fields keep what stands before their last non-space character.
    ASSERT_TRUE(DecodeSettingText(*d, "C0364" " 0123 " " A B    " "0311").Applied);
    EXPECT_EQ(s.Number, " 0123");
    EXPECT_EQ(s.NumberValue, 123);
    EXPECT_EQ(s.Name, " A B");
    EXPECT_EQ(s.CallStNo, 1);
    EXPECT_EQ(s.Level, 1);
}

TEST(SettingTextDecode, GlobalSettingReportsTheNewSwitchCnt) {
    auto d = MakeSettingData();
    d->System.SwNumber[2].Text = "300";
    const DecodeResult r = DecodeSettingText(*d, "A07" "20261206070509" "1" "02" "4" "0101" "1000  " + Sp(6) + "9999  ");
    ASSERT_TRUE(r.Applied);
    EXPECT_EQ(r.SwitchCnt, 2);
    EXPECT_EQ(d->System.SwitchCnt, 2);
    EXPECT_EQ(d->System.NumberSize, 4);
    EXPECT_EQ(d->System.TieLine[1], 1);
    EXPECT_EQ(d->System.TieLine[2], 0);
    EXPECT_EQ(d->System.SwNumber[0].Value, 1000);
    EXPECT_EQ(d->System.SwNumber[0].Text, "1000");
    EXPECT_EQ(d->System.SwNumber[1].Value, kNotAssigned);
    EXPECT_EQ(d->System.SwNumber[1].Text, "-1");
    EXPECT_EQ(d->System.SwNumber[2].Text, "300");  // beyond SwitchCnt: not carried
}

// Only what a text carries changes; counts, other zones and other rows stay.
TEST(SettingTextDecode, KeepsWhatTheTextDoesNotCarry) {
    auto d = MakeSettingData();
    MasterData& m = d->Switch[3].Master[3];
    m.GroupCnt = 7;
    ASSERT_TRUE(DecodeSettingText(*d, "E044" "01" "164").Applied);
    EXPECT_EQ(m.GroupMaster[0], (MemberRef{1, 16, 4}));
    EXPECT_EQ(m.GroupCnt, 7);

    LineData& l2 = d->Switch[0].Line[1];
    l2.RxMaster[0] = MemberRef{1, 5, 5};
    const std::string line1 = "Trunk A " "0004" "011" "000" "173" "041";
    ASSERT_TRUE(DecodeSettingText(*d, "D01" "09" + line1 + "Trunk B " "1200" + std::string(12, '0')).Applied);
    const LineData& l1 = d->Switch[0].Line[0];
    EXPECT_EQ(l1.RxMasterName[0], "90");              // display copy of master 1-1
    EXPECT_EQ(l1.RxMasterNumber[2], kNotAssigned);    // exchange 17 does not exist
    EXPECT_EQ(l2.RxLine, 0);
    EXPECT_EQ(l2.RxMaster[0], (MemberRef{1, 5, 5}));  // no list sent

    SubData& sub = d->Switch[4].Sub[1];
    sub.Paging = 0x80000u | 1u << 4;
    ASSERT_TRUE(DecodeSettingText(*d, "H05" "2" "42" "05" + std::string(64, '0')).Applied);
    EXPECT_EQ(sub.Paging, 0x80000u);
    EXPECT_EQ(d->Switch[4].PagingTimeLimit, 420u);

    DialEntry* rows = d->DirectSelect.Rows[4][2];
    rows[1].Shot = "7";
    const std::string k = "K0535" "0012" "2" "02" "0011" "12*#            " "   3" "0012" + Sp(16) + Sp(4);
    EXPECT_FALSE(DecodeSettingText(*d, k).Applied);  // not a download text
    ASSERT_TRUE(DecodeDialingAssignmentText(*d, k));
    EXPECT_EQ(rows[10].Shot, "3");
    EXPECT_EQ(rows[1].Shot, "7");
    EXPECT_FALSE(DecodeDialingAssignmentText(*d, "M052"));

    // Only the four numbers of U are read, not their targets.
    ASSERT_TRUE(DecodeSettingText(*d, "U052" "12    " "01" "1" "Somebody" "3" + Sp(16) + Sp(17) + " 45   " + Sp(11)).Applied);
    EXPECT_EQ(d->Switch[4].Master[1].AbsenceTelNo, "12");
    EXPECT_EQ(d->Switch[4].Master[1].NonRespTelNo, " 45");
    EXPECT_EQ(d->Switch[0].Master[0].Name, "90");
}

// A text that names no record, or is shorter than its layout, leaves the model alone.
TEST(SettingTextDecode, MalformedTextsAreIgnoredWhole) {
    auto d = MakeSettingData();
    FillSampleSettings(*d);
    auto before = MakeSettingData();
    *before = *d;
    std::vector<std::string> texts = {
        "", "B", "B0", "Z01", "K01", "N023", "Q00", "b012",
        "B002" + Sp(36), "B172" + Sp(36), "B-12" + Sp(36), "B010" + Sp(36), "B015" + Sp(36),
        "C0100" + Sp(18), "C0165" + Sp(18), "H01" "1" "00" "00" + std::string(64, '0'),
        "H01" "1" "00" "20" + std::string(64, '0'), "I0100" + std::string(16, '0'), "J0120" "0000",
        "E01116" + std::string(48, '0'), "E011-1", "G01105" "17" + std::string(68, '0'), "L01104" + std::string(12, '0'),
        "D01" + std::string(13, '0') + "5" + std::string(36, '0'),
        "A00" + std::string(15, '0') + "00" + std::string(5, '0'),
        "A00" + std::string(15, '0') + "17" + std::string(200, '0'), "A17" + std::string(15, '0') + "01" + std::string(11, '0'),
        "K0110" "0001" "3" "11" + std::string(264, '0'),
        "K0110" "0001" "3" "01" "0000" + std::string(20, ' '), "K0110" "1025" "3" "01" "1025" + std::string(20, ' '),
        "K0110" "0020" "2" "02" "0019" + std::string(20, ' ') + "1025" + std::string(20, ' '),
    };
    // Every sample text one character short of its layout.
    for (const SampleText& s : SampleTexts()) texts.push_back(s.Text.substr(0, s.Text.size() - 1));
    for (const std::string& t : texts) {
        EXPECT_FALSE(DecodeSettingText(*d, t).Applied) << t;
        EXPECT_FALSE(DecodeDialingAssignmentText(*d, t)) << t;
        TextRecordKey key;
        EXPECT_FALSE(IdentifySettingText(t, key)) << t;
        ASSERT_TRUE(SameSettings(*d, *before)) << t;
    }
}
