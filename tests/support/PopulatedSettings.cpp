#include "support/PopulatedSettings.h"

#include <random>
#include <string>

#include "model/ClockTimeText.h"

namespace {

// Without gaps every value is set and in range; with gaps some are left empty
// and the others spread over what their link fields hold.
class Filler {
public:
    Filler(uint32_t seed, bool gaps) : rng_(seed), gaps_(gaps) {}
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    uint8_t U8(int lo, int hi) { return static_cast<uint8_t>(Int(lo, hi)); }
    bool Gap(int percent) { return gaps_ && Int(1, 100) <= percent; }
    uint8_t Flag(int hi) { return gaps_ ? U8(0, hi) : 1; }
    uint8_t Pick(int lo, int hi, int gapLo, int gapHi) { return gaps_ ? U8(gapLo, gapHi) : U8(lo, hi); }
    uint32_t Zones() { return static_cast<uint32_t>(Int(gaps_ ? 0 : 1, (1 << 19) - 1)); }
    // Never ends in a space: trailing spaces do not travel.
    template <std::size_t N>
    void Text(FixedText<N>& t, int maxLen, std::string_view alphabet) {
        std::string s;
        for (int i = Int(gaps_ ? 0 : 1, maxLen); i > 0; --i) s.push_back(alphabet[Int(0, int(alphabet.size()) - 1)]);
        if (!s.empty() && s.back() == ' ') s.back() = 'Z';
        t = s;
    }
    // Letters, digits and half-width katakana (0xA1..0xDF); spaces only with gaps.
    template <std::size_t N>
    void Name(FixedText<N>& t) {
        Text(t, static_cast<int>(N), gaps_ ? " ABCdef-9()" : "ABCdef-9()");
        std::string s = t.Str();
        for (char& c : s)
            if (Int(0, 2) == 0) c = static_cast<char>(Int(0xA1, 0xDF));
        t = s;
    }
    MemberRef Ref(int position, int maxStation) {
        if (Gap(40)) return MemberRef{static_cast<uint8_t>(position), 0, 0};
        return MemberRef{static_cast<uint8_t>(position), U8(Gap(10) ? 0 : 1, 16), U8(Gap(10) ? 0 : 1, maxStation)};
    }
    void Time(ClockTime& t) {
        t.Value = static_cast<uint16_t>(Int(0, 23) << 8 | Int(0, 59));
        t.Text = PairToText(t.Value, ':');
    }
    // Without gaps the given number; with them also not assigned or up to six random digits.
    template <std::size_t N>
    void Number(int value, int32_t& field, FixedText<N>& text) {
        if (gaps_) Text(text, 6, "0123456789");
        if (!gaps_ || text.Empty()) text = std::to_string(value);
        field = std::stoi(text.Str());
        if (Gap(20)) field = kNotAssigned, text = "-1";
    }

private:
    std::mt19937 rng_;
    bool gaps_;
};

void Fill(SettingData& d, uint32_t seed, bool gaps, int switchCnt) {
    Filler f(seed, gaps);
    d.Maintenance.PcConnect = 1, d.Maintenance.CommPort = 3, d.RemoteDial.TelCnt = 5;
    f.Text(d.Maintenance.TelNo, 20, "0123456789-");
    for (auto& t : d.RemoteDial.TelNo) f.Text(t, 32, "0123456789*#");
    SystemData& sys = d.System;
    sys.SwitchCnt = static_cast<uint8_t>(switchCnt);
    sys.NumberSize = f.Pick(4, 4, 2, 6);
    for (auto& t : sys.TieLine) t = f.Flag(1);
    for (auto& fn : d.Function) {
        fn.OutSend = f.Flag(9), fn.AutoOutSend = 1, fn.TalkSend = f.Flag(9);
        f.Time(fn.StartTime);
        f.Time(fn.EndTime);
        fn.CallCnt = f.Pick(11, 99, 0, 99), fn.CallTime = f.Pick(1, 99, 0, 99);
        fn.TalkTime = static_cast<uint16_t>(10 * f.Pick(1, 99, 0, 99));
    }
    for (int e = 0; e < kMaxExchanges; ++e) {
        f.Number(1000 + 100 * e, sys.SwNumber[e].Value, sys.SwNumber[e].Text);
        for (auto& z : sys.OutInZone[e]) z = f.Zones();
        SwitchData& sw = d.Switch[e];
        sw.ZoneSize = f.Pick(2, 2, 0, 9), sw.LineCntLimit = f.Pick(4, 99, 0, 99);
        sw.PagingTimeLimit = static_cast<uint32_t>(10 * f.Pick(1, 99, 0, 99));
        for (auto& p : sw.SpeakerPaging) p = f.Zones();
        for (auto& line : sw.Line) {
            f.Name(line.Name);
            line.TxNumberOnOff = f.Flag(1), line.TxNumber = f.Pick(1, 9, 0, 9), line.RxLine = f.Flag(1);
            line.RxDial = f.Flag(9);
            for (int i = 0; i < kRxMasters; ++i) line.RxMaster[i] = f.Ref(i + 1, 4);
        }
        for (int m = 0; m < kMastersPerExchange; ++m) {
            MasterData& ms = sw.Master[m];
            f.Number(1000 + 100 * e + 90 + m, ms.NumberValue, ms.Number);
            f.Name(ms.Name);
            ms.LineTx = f.Flag(9), ms.Paging = f.Flag(9), ms.ScanTime = f.Pick(6, 99, 0, 99);
            f.Text(ms.TelNo, 20, "0123456789-");
            for (auto* t : {&ms.AbsenceTelNo, &ms.AutoAbsenceTelNo, &ms.CnvTelNo, &ms.NonRespTelNo})
                f.Text(*t, 4, "0123456789");
            ms.ScanCnt = f.U8(1, 15), ms.GroupCnt = f.U8(1, 14), ms.MeetCnt = f.U8(1, 2);
            for (int i = 0; i < kScanMembers; ++i) ms.ScanSub[i] = f.Ref(i + 1, 64);
            for (int i = 0; i < kGroupMembers; ++i) ms.GroupMaster[i] = f.Ref(i + 1, 4);
            for (int i = 0; i < kMeetMembers; ++i) ms.MeetMaster[i] = f.Ref(i + 1, 4);
        }
        for (int s = 0; s < kSubsPerExchange; ++s) {
            SubData& sub = sw.Sub[s];
            f.Number(1000 + 100 * e + s, sub.NumberValue, sub.Number);
            f.Name(sub.Name);
            sub.CallSwNo = f.Pick(1, 16, 0, 99), sub.CallStNo = f.Pick(2, 4, 0, 9), sub.Level = f.Pick(1, 1, 0, 2);
            sub.Paging = f.Zones();
        }
        d.DirectSelect.OutMode[e] = f.Flag(9);
        for (int m = 0; m < kMastersPerExchange; ++m) {
            d.DirectSelect.ShotT[e][m] = f.Pick(1, 9, 0, 9);
            const int rows = !gaps ? kDialRows : f.Gap(20) ? 0 : f.Int(1, 45);
            for (int r = 0; r < rows; ++r) {
                if (r != rows - 1 && f.Gap(30)) continue;
                DialEntry& row = d.DirectSelect.Rows[e][m][r];
                f.Text(row.Dial, 16, "0123456789Aa*#-x");
                if (!f.Gap(70)) row.Shot = std::to_string(f.Int(1, 1024));
            }
        }
    }
    // The display copies show the masters they name.
    for (auto& sw : d.Switch)
        for (auto& line : sw.Line)
            for (int i = 0; i < kRxMasters; ++i)
                if (const MemberRef& ref = line.RxMaster[i]; ref.Exchange && ref.Station) {
                    const MasterData& ms = d.Switch[ref.Exchange - 1].Master[ref.Station - 1];
                    line.RxMasterNumber[i] = ms.NumberValue;
                    line.RxMasterName[i] = ms.Name;
                }
}

}  // namespace

void FillPopulatedSettings(SettingData& d, uint32_t seed) { Fill(d, seed, false, kMaxExchanges); }
void FillSparseSettings(SettingData& d, int switchCnt, uint32_t seed) { Fill(d, seed, true, switchCnt); }

void SetFirst(SystemData& sys, int exchange, std::string_view number) {
    SwNumberRec& rec = sys.SwNumber[exchange - 1];
    rec.Text = number;
    rec.Value = std::atoi(rec.Text.CStr());
}

std::unique_ptr<SettingData> MakeTwoExchangeModel() {
    auto d = MakeSettingData();
    d->System.SwitchCnt = 2;
    d->System.NumberSize = 3;
    SetFirst(d->System, 1, "100");
    SetFirst(d->System, 2, "200");
    for (SwitchData& sw : d->Switch) {
        for (MasterData& m : sw.Master) Unassign(m);
        for (SubData& s : sw.Sub) Unassign(s);
    }
    for (const char* n : {"180", "181"}) SetStation(d->Exchange(1).Master[n[2] - '0'], n);
    for (const char* n : {"101", "102"}) SetStation(d->Exchange(1).Sub[n[2] - '1'], n);
    SetStation(d->Exchange(2).Master[0], "280");
    for (const char* n : {"201", "202"}) SetStation(d->Exchange(2).Sub[n[2] - '1'], n);
    return d;
}

void FillSampleSettings(SettingData& d) {
    SystemData& sys = d.System;
    sys.SwitchCnt = 3, sys.NumberSize = 3, sys.TieLine[0] = sys.TieLine[2] = 1;
    SetFirst(sys, 1, "100"), SetFirst(sys, 2, "200"), SetFirst(sys, 3, "-1");
    sys.OutInZone[2][1] = 1u << 18, sys.OutInZone[2][3] = 1u << 18 | 1u;

    SwitchData& s1 = d.Switch[0];
    MasterData& m12 = s1.Master[1];
    SetStation(m12, "201", "Front");
    m12.LineTx = 1, m12.TelNo = "03-1234-5678";
    MasterData& m11 = s1.Master[0];
    m11.GroupMaster[1] = {2, 1, 2}, m11.GroupMaster[8] = {9, 3, 4};
    m11.GroupMaster[4] = {5, 2, 0};  // half a reference is not a member
    m11.AbsenceTelNo = "201", m11.AutoAbsenceTelNo = "3", m11.CnvTelNo = "105", m11.NonRespTelNo = "999";
    s1.Master[3].ScanTime = 15, s1.Master[3].ScanSub[0] = {1, 1, 5}, s1.Master[3].ScanSub[15] = {16, 2, 64};
    s1.Master[2].MeetMaster[1] = {2, 16, 4}, s1.Master[2].MeetMaster[2] = {3, 1, 1};
    SetStation(s1.Sub[11], "112", "Room 12");
    s1.Sub[11].CallSwNo = 2, s1.Sub[11].CallStNo = 4, s1.Sub[11].Level = 1;
    SetStation(s1.Sub[4], "105", "Lobby");

    s1.LineCntLimit = 45;
    LineData& l1 = s1.Line[0];
    l1.Name = "Trunk A", l1.TxNumberOnOff = 1, l1.TxNumber = 0, l1.RxDial = 1, l1.RxLine = 1;
    l1.RxMaster[0] = {1, 1, 2}, l1.RxMaster[2] = {3, 2, 4};
    LineData& l2 = s1.Line[1];
    l2.Name = "TRUNK-B2", l2.TxNumberOnOff = 1, l2.TxNumber = 3;
    l2.RxMaster[1] = {2, 1, 3};  // not sent: RxLine is off

    FunctionData& f1 = d.Function[0];
    f1.OutSend = 1, f1.AutoOutSend = 1, f1.TalkSend = 1, f1.CallCnt = 7;
    f1.StartTime.Value = 8 << 8 | 30, f1.EndTime.Value = 17 << 8 | 5, f1.CallTime = 45, f1.TalkTime = 125;

    // Zone 3: subs 1 and 10 take part; 12 is emergency and 64 not assigned.
    s1.ZoneSize = 2, s1.PagingTimeLimit = 990;
    Unassign(s1.Sub[63]);
    s1.Sub[63].CallStNo = 0;
    for (int s : {0, 9, 11, 63}) s1.Sub[s].Paging = 1u << 2;
    s1.Sub[9].Paging |= 1u << 3, s1.Sub[4].Paging = 1u << 3;
    s1.SpeakerPaging[0] = 1u << 1, s1.SpeakerPaging[15] = 1u << 1 | 1u, s1.SpeakerPaging[2] = 1u;

    SwitchData& s2 = d.Switch[1];  // master 3 stays not assigned
    s2.PagingTimeLimit = 50;
    SetStation(s2.Sub[0], "200", "");
    s2.Sub[0].Paging = 1u << 18;

    d.DirectSelect.OutMode[0] = 1, d.DirectSelect.ShotT[0][1] = 3;
    DialEntry* rows = d.DirectSelect.Rows[0][1];
    for (int r = 0; r < 20; ++r) rows[r].Dial = std::to_string(500 + r);
    rows[20].Dial = "*21#", rows[21].Dial = "x", rows[22].Dial = "A-1", rows[22].Shot = "22";
    rows[23].Dial = "1234567890123456", rows[23].Shot = "1024", rows[24].Dial = "a";
}
