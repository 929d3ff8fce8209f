#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/CarriedText.h"
#include "texts/SettingTextSample.h"
#include "texts/SettingTextDecode.h"
#include "texts/SettingTextSequence.h"
#include "model/ClockTimeText.h"

namespace {

// Random values that fit their fields on the link, with stations not
// assigned, empty and half-empty member slots, and rows left empty.
class Random {
public:
    explicit Random(uint32_t seed) : rng_(seed) {}
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    uint8_t U8(int lo, int hi) { return static_cast<uint8_t>(Int(lo, hi)); }
    bool Chance(int percent) { return Int(1, 100) <= percent; }
    // Never ends in a space: trailing spaces do not travel.
    std::string Text(int minLen, int maxLen, const std::string& alphabet) {
        std::string s;
        const int len = Int(minLen, maxLen);
        for (int i = 0; i < len; ++i) s.push_back(alphabet[static_cast<std::size_t>(Int(0, int(alphabet.size()) - 1))]);
        if (!s.empty() && s.back() == ' ') s.back() = 'Z';
        return s;
    }
    std::string Name(int maxLen) {
        std::string s = Text(0, maxLen, " ABCdef-9()");
        if (Chance(30) && !s.empty()) s[0] = static_cast<char>(Int(0xA1, 0xDF));
        return s;
    }
    MemberRef Ref(int position, int maxStation) {
        if (Chance(40)) return MemberRef{static_cast<uint8_t>(position), 0, 0};
        return MemberRef{static_cast<uint8_t>(position), U8(Chance(10) ? 0 : 1, 16), U8(Chance(10) ? 0 : 1, maxStation)};
    }
    uint32_t Zones() { return static_cast<uint32_t>(Int(0, (1 << 19) - 1)); }
    template <std::size_t N>
    void Number(int32_t& value, FixedText<N>& text) {
        if (Chance(20)) {
            value = kNotAssigned;
            text = "-1";
        } else {
            text = Text(1, 6, "0123456789");
            value = std::stoi(text.Str());
        }
    }

private:
    std::mt19937 rng_;
};

void Populate(SettingData& d, int switchCnt, uint32_t seed) {
    Random r(seed);
    SystemData& sys = d.System;
    sys.SwitchCnt = static_cast<uint8_t>(switchCnt);
    sys.NumberSize = r.U8(2, 6);
    for (auto& t : sys.TieLine) t = r.U8(0, 1);
    for (int e = 0; e < kMaxExchanges; ++e) {
        r.Number(sys.SwNumber[e].Value, sys.SwNumber[e].Text);
        for (auto& z : sys.OutInZone[e]) z = r.Zones();
        FunctionData& f = d.Function[e];
        f.OutSend = r.U8(0, 9);
        f.AutoOutSend = 1;
        f.StartTime.Value = static_cast<uint16_t>(r.Int(0, 23) << 8 | r.Int(0, 59));
        f.EndTime.Value = static_cast<uint16_t>(r.Int(0, 23) << 8 | r.Int(0, 59));
        f.StartTime.Text = PairToText(f.StartTime.Value, ':');
        f.EndTime.Text = PairToText(f.EndTime.Value, ':');
        f.TalkSend = r.U8(0, 9);
        f.CallCnt = r.U8(0, 99);
        f.CallTime = r.U8(0, 99);
        f.TalkTime = static_cast<uint16_t>(10 * r.Int(0, 99));

        SwitchData& sw = d.Switch[e];
        sw.ZoneSize = r.U8(0, 9);
        sw.PagingTimeLimit = static_cast<uint32_t>(10 * r.Int(0, 99));
        sw.LineCntLimit = r.U8(0, 99);
        for (auto& p : sw.SpeakerPaging) p = r.Zones();
        for (auto& line : sw.Line) {
            line.Name = r.Name(8);
            line.TxNumberOnOff = r.U8(0, 1);
            line.TxNumber = r.U8(0, 9);
            line.RxLine = r.U8(0, 1);
            line.RxDial = r.U8(0, 9);
            for (int k = 0; k < kRxMasters; ++k) line.RxMaster[k] = r.Ref(k + 1, 4);
        }
        for (auto& m : sw.Master) {
            r.Number(m.NumberValue, m.Number);
            m.Name = r.Name(8);
            m.LineTx = r.U8(0, 9);
            m.Paging = r.U8(0, 9);
            m.TelNo = r.Text(0, 20, "0123456789-");
            // Single digits resolve to lines, longer numbers to stations.
            m.AbsenceTelNo = r.Text(0, 1, "0123456789");
            m.AutoAbsenceTelNo = r.Text(0, 6, "0123456789");
            m.CnvTelNo = r.Chance(50) ? sw.Master[r.Int(0, 3)].Number : sw.Sub[r.Int(0, 63)].Number;
            m.NonRespTelNo = r.Text(0, 6, "0123456789");
            m.ScanTime = r.U8(0, 99);
            m.ScanCnt = m.GroupCnt = m.MeetCnt = 1;
            for (int k = 0; k < kScanMembers; ++k) m.ScanSub[k] = r.Ref(k + 1, 64);
            for (int k = 0; k < kGroupMembers; ++k) m.GroupMaster[k] = r.Ref(k + 1, 4);
            for (int k = 0; k < kMeetMembers; ++k) m.MeetMaster[k] = r.Ref(k + 1, 4);
        }
        for (auto& s : sw.Sub) {
            r.Number(s.NumberValue, s.Number);
            s.Name = r.Name(8);
            s.CallSwNo = r.U8(0, 99);
            s.CallStNo = r.U8(0, 9);
            s.Level = r.U8(0, 2);
            s.Paging = r.Zones();
        }
        d.DirectSelect.OutMode[e] = r.U8(0, 9);
        for (int m = 0; m < kMastersPerExchange; ++m) {
            d.DirectSelect.ShotT[e][m] = r.U8(0, 9);
            const int rows = r.Chance(20) ? 0 : r.Int(1, 45);
            for (int row = 0; row < rows; ++row) {
                DialEntry& entry = d.DirectSelect.Rows[e][m][row];
                if (r.Chance(30) && row != rows - 1) continue;
                entry.Dial = r.Text(1, 16, "0123456789Aa*#-x");
                if (r.Chance(30)) entry.Shot = r.Text(1, 4, "0123456789");
            }
        }
    }
}

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

TEST(SettingTextRoundTrip, EveryRecordThroughItsTextsGivesBackWhatTheyCarry) {
    FixedClock clock;
    for (int switchCnt : {16, 4}) {
        SCOPED_TRACE(switchCnt);
        auto src = MakeSettingData();
        Populate(*src, switchCnt, 20261206u + static_cast<uint32_t>(switchCnt));
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
                for (int b = 0; b < DialTextCount(DialRowsInUse(*src, e, m)); ++b) {
                    ASSERT_TRUE(EncodeSettingText('K', EncodeRequest{*src, e, m, b}, text));
                    ASSERT_TRUE(DecodeDialingAssignmentText(*got, text.View())) << text.View();
                }

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

TEST(SettingTextSequence, CountsAndOrder) {
    EXPECT_EQ(UploadTextCount(1, 0), 146);
    EXPECT_EQ(UploadTextCount(1, 1), 146);
    EXPECT_EQ(UploadTextCount(2, 0), 290);
    EXPECT_EQ(UploadTextCount(2, 1), 150);
    EXPECT_EQ(UploadTextCount(16, 0), 144 * 16 + 2);

    struct Case {
        int SwitchCnt, Selected, Counter;
        UploadStep Step;
    } cases[] = {
        {2, 0, 1, {'A', 0, 0}},     {2, 2, 1, {'A', 0, 0}},   {2, 2, 2, {'B', 1, 1}},
        {2, 2, 9, {'B', 2, 4}},     {2, 2, 10, {'C', 2, 1}},  {2, 2, 73, {'C', 2, 64}},
        {2, 2, 74, {'D', 2, 0}},    {2, 0, 74, {'C', 2, 1}},  {2, 0, 138, {'D', 1, 0}},
        {2, 0, 139, {'D', 2, 0}},   {2, 2, 75, {'E', 2, 1}},  {2, 2, 84, {'H', 2, 1}},
        {2, 2, 141, {'U', 2, 1}},   {2, 2, 145, {'L', 2, 1}}, {2, 2, 149, {'M', 2, 0}},
        {2, 2, 150, {0, 0, 0}},     {2, 0, 288, {'M', 1, 0}}, {2, 0, 289, {'M', 2, 0}},
        {2, 0, 290, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        UploadStep step;
        ASSERT_TRUE(UploadStepAt(c.SwitchCnt, c.Selected, c.Counter, step)) << c.Counter;
        EXPECT_EQ(step.Letter, c.Step.Letter) << c.Selected << "/" << c.Counter;
        EXPECT_EQ(step.Exchange, c.Step.Exchange) << c.Selected << "/" << c.Counter;
        EXPECT_EQ(step.Index, c.Step.Index) << c.Selected << "/" << c.Counter;
    }
    UploadStep step;
    EXPECT_FALSE(UploadStepAt(2, 0, 0, step));
    EXPECT_FALSE(UploadStepAt(2, 0, 291, step));
    EXPECT_FALSE(UploadStepAt(2, 3, 1, step));  // exchange beyond SwitchCnt
}
