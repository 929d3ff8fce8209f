#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/CarriedText.h"
#include "support/PopulatedSettings.h"
#include "texts/SettingTextDecode.h"
#include "texts/SettingTextSequence.h"

namespace {
std::string Sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
std::string Zeros(int n) { return std::string(static_cast<std::size_t>(n), '0'); }

// What the texts carry of a station not assigned: its number and called
// exchange; the other fields come back cleared.
void ClearUnassigned(SettingData& d) {
    for (SwitchData& sw : d.Switch) {
        for (MasterData& m : sw.Master)
            if (!m.Assigned()) m.Name.Clear(), m.TelNo.Clear(), m.LineTx = m.Paging = 0;
        for (SubData& s : sw.Sub)
            if (!s.Assigned()) s.Name.Clear(), s.CallStNo = s.Level = 0;
    }
}

std::string Text(const SettingData& d, char letter, int e, int m, int block) {
    EncodedText text;
    return EncodeSettingText(letter, EncodeRequest{d, e, m, block}, text) ? std::string(text.View()) : "none";
}
}  // namespace

TEST(SettingTextDecode, BlankStationNumberMakesTheStationNotAssigned) {
    auto d = MakeSettingData();
    MasterData& m = d->Switch[0].Master[1];
    m.LineTx = m.Paging = 1;
    m.TelNo = "123";
    m.AbsenceTelNo = "92";
    ASSERT_TRUE(DecodeSettingText(*d, "B012" + Sp(6) + "Ghost   " "11" "555-1234" + Sp(12)).Applied);
    EXPECT_EQ(std::tuple(m.NumberValue, m.Number.Str(), m.Name.Str(), int(m.LineTx), int(m.Paging), m.TelNo.Str()),
              std::tuple(kNotAssigned, std::string("-1"), std::string(), 0, 0, std::string()));
    EXPECT_EQ(m.AbsenceTelNo, "92");  // not part of B

    SubData& s = d->Switch[2].Sub[63];
    ASSERT_TRUE(DecodeSettingText(*d, "C0364" + Sp(6) + "Ghost   " "0721").Applied);
    EXPECT_EQ(std::tuple(s.NumberValue, s.Number.Str(), s.Name.Str(), int(s.CallSwNo), int(s.CallStNo), int(s.Level)),
              std::tuple(kNotAssigned, std::string("-1"), std::string(), 7, 0, 0));
    // Character fields keep what stands before their last non-space character.
    ASSERT_TRUE(DecodeSettingText(*d, "C0364" " 0123 " " A B    " "0311").Applied);
    EXPECT_EQ(std::tuple(s.NumberValue, s.Number.Str(), s.Name.Str(), int(s.CallStNo), int(s.Level)),
              std::tuple(123, std::string(" 0123"), std::string(" A B"), 1, 1));
}

TEST(SettingTextDecode, GlobalSettingReportsTheNewSwitchCnt) {
    auto d = MakeSettingData();
    d->System.SwNumber[2].Text = "300";
    const DecodeResult r =
        DecodeSettingText(*d, "A07" "20261206070509" "1" "02" "4" "0101" "1000  " + Sp(6) + "9999  ");
    ASSERT_TRUE(r.Applied);
    EXPECT_EQ(std::tuple(r.SwitchCnt, int(d->System.SwitchCnt), int(d->System.NumberSize)), std::tuple(2, 2, 4));
    EXPECT_EQ(std::tuple(int(d->System.TieLine[1]), int(d->System.TieLine[2])), std::tuple(1, 0));
    EXPECT_EQ(d->System.SwNumber[1].Value, kNotAssigned);  // blank
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
    ASSERT_TRUE(DecodeSettingText(*d, "D01" "09" + line1 + "Trunk B " "1200" + Zeros(12)).Applied);
    const LineData& l1 = d->Switch[0].Line[0];
    EXPECT_EQ(l1.RxMasterName[0], "90");              // display copy of master 1-1
    EXPECT_EQ(l1.RxMasterNumber[2], kNotAssigned);    // exchange 17 does not exist
    EXPECT_EQ(l2.RxLine, 0);
    EXPECT_EQ(l2.RxMaster[0], (MemberRef{1, 5, 5}));  // no list sent

    SubData& sub = d->Switch[4].Sub[1];
    sub.Paging = 0x80000u | 1u << 4;
    ASSERT_TRUE(DecodeSettingText(*d, "H05" "2" "42" "05" + Zeros(64)).Applied);
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
    const std::string u = "U052" "12    " "01" "1" "Somebody" "3" + Sp(16) + Sp(17) + " 45   " + Sp(11);
    ASSERT_TRUE(DecodeSettingText(*d, u).Applied);
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
        "", "B0", "Z01", "K01", "N023", "Q00",
        "B002" + Sp(36), "B172" + Sp(36), "B010" + Sp(36), "B015" + Sp(36),
        "C0100" + Sp(18), "C0165" + Sp(18), "H01" "1" "00" "00" + Zeros(64),
        "H01" "1" "00" "20" + Zeros(64), "I0100" + Zeros(16), "J0120" "0000",
        "E01116" + Zeros(48), "G01105" "17" + Zeros(68), "L01104" + Zeros(12),
        "D01" + Zeros(13) + "5" + Zeros(36), "A00" + Zeros(15) + "00" + Zeros(5),
        "A00" + Zeros(15) + "17" + Zeros(200), "A17" + Zeros(15) + "01" + Zeros(11),
        "K0110" "0001" "3" "11" + Zeros(264), "K0110" "0001" "3" "01" "0000" + Sp(20),
        "K0110" "1025" "3" "01" "1025" + Sp(20), "K0110" "0020" "2" "02" "0019" + Sp(20) + "1025" + Sp(20),
    };
    // A text of every letter one character short of its layout.
    std::set<char> letters;
    EncodedText text;
    for (int i = 1; EncodeUploadText(*d, 0, i, text); ++i)
        if (letters.insert(text.Text[0]).second) texts.emplace_back(text.View().substr(0, text.Length - 1));
    texts.push_back(Text(*d, 'K', 1, 2, 2).substr(0, 12 + 24 * 5 - 1));
    for (const std::string& t : texts) {
        EXPECT_FALSE(DecodeSettingText(*d, t).Applied) << t;
        EXPECT_FALSE(DecodeDialingAssignmentText(*d, t)) << t;
        TextRecordKey key;
        EXPECT_FALSE(IdentifySettingText(t, key)) << t;
        ASSERT_TRUE(SameSettings(*d, *before)) << t;
    }
}

TEST(SettingTextRoundTrip, EveryRecordThroughItsTextsGivesBackWhatTheyCarry) {
    FixedClock clock;
    for (int switchCnt : {16, 4}) {
        SCOPED_TRACE(switchCnt);
        auto src = MakeSettingData();
        FillSparseSettings(*src, switchCnt, 20261206u + static_cast<uint32_t>(switchCnt));
        auto got = MakeSettingData();
        const int count = UploadTextCount(switchCnt, 0);
        EncodedText text;
        for (int i = 1; i < count; ++i) {
            ASSERT_TRUE(EncodeUploadText(*src, 0, i, text)) << i;
            ASSERT_TRUE(DecodeSettingText(*got, text.View()).Applied) << text.View();
        }
        EXPECT_FALSE(EncodeUploadText(*src, 0, count, text));  // the release carries no text
        for (int e = 1; e <= switchCnt; ++e)
            for (int m = 1; m <= kMastersPerExchange; ++m)
                for (int b = 0; b < DialTextCount(DialRowsInUse(*src, e, m)); ++b)
                    ASSERT_TRUE(DecodeDialingAssignmentText(*got, Text(*src, 'K', e, m, b))) << e << m << b;

        // Encoded again, the decoded model gives every text as it went; the
        // exchanges beyond the count stay as they were.
        auto want = MakeSettingData();
        *want = *src;
        ClearUnassigned(*want);
        for (int i = 1; i < count; ++i) EXPECT_EQ(CarriedText(*got, i), CarriedText(*want, i)) << i;
        for (int e = 1; e <= switchCnt; ++e)
            for (int m = 1; m <= kMastersPerExchange; ++m)
                for (int b = 0; b < DialTextCount(DialRowsInUse(*src, e, m)); ++b)
                    EXPECT_EQ(Text(*got, 'K', e, m, b), Text(*src, 'K', e, m, b));
        auto fresh = MakeSettingData();
        for (int e = switchCnt; e < kMaxExchanges; ++e) EXPECT_TRUE(got->Switch[e] == fresh->Switch[e]) << e + 1;
    }
}

// Which letter and how many of each the upload sequence's runs show; here the
// index within a section and the counters outside the sequence.
TEST(SettingTextSequence, IndexWithinASectionAndCountersOutside) {
    struct Case { int Selected, Counter; UploadStep Step; } cases[] = {
        {2, 9, {'B', 2, 4}}, {2, 73, {'C', 2, 64}}, {0, 74, {'C', 2, 1}}, {2, 84, {'H', 2, 1}}};
    for (const Case& c : cases) {
        UploadStep step;
        ASSERT_TRUE(UploadStepAt(2, c.Selected, c.Counter, step)) << c.Counter;
        EXPECT_EQ(std::tuple(step.Letter, step.Exchange, step.Index),
                  std::tuple(c.Step.Letter, c.Step.Exchange, c.Step.Index)) << c.Selected << "/" << c.Counter;
    }
    UploadStep step;
    EXPECT_FALSE(UploadStepAt(2, 0, 0, step));
    EXPECT_FALSE(UploadStepAt(2, 0, 291, step));
    EXPECT_FALSE(UploadStepAt(2, 3, 1, step));  // exchange beyond SwitchCnt
}
