#include "support/PopulatedSettings.h"

#include <cstdio>
#include <random>
#include <string>

#include "model/ClockTimeText.h"

namespace {

class Filler {
public:
    explicit Filler(uint32_t seed) : rng_(seed) {}

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // Letters, digits and half-width katakana (0xA1..0xDF), full capacity or less.
    template <std::size_t N>
    void Name(FixedText<N>& t) {
        std::string s;
        const int len = Int(1, static_cast<int>(N));
        for (int i = 0; i < len; ++i) {
            const int kind = Int(0, 2);
            s.push_back(kind == 0   ? static_cast<char>(Int(0xA1, 0xDF))
                        : kind == 1 ? static_cast<char>('A' + Int(0, 25))
                                    : static_cast<char>('0' + Int(0, 9)));
        }
        t = s;
    }
    template <std::size_t N>
    void Digits(FixedText<N>& t, int maxLen, const char* alphabet = "0123456789") {
        std::string s;
        const std::string a(alphabet);
        const int len = Int(1, maxLen);
        for (int i = 0; i < len; ++i) s.push_back(a[static_cast<std::size_t>(Int(0, static_cast<int>(a.size()) - 1))]);
        t = s;
    }
    MemberRef Ref(int position, int maxStation) {
        return MemberRef{static_cast<uint8_t>(position), static_cast<uint8_t>(Int(1, 16)),
                         static_cast<uint8_t>(Int(1, maxStation))};
    }
    void Time(ClockTime& t) {
        t.Value = static_cast<uint16_t>(Int(0, 23) << 8 | Int(0, 59));
        t.Text = PairToText(t.Value, ':');
    }
    void Number(int32_t value, int32_t& field, FixedText<6>& text) {
        field = value;
        text = std::to_string(value);
    }

private:
    std::mt19937 rng_;
};

}  // namespace

void FillPopulatedSettings(SettingData& d, uint32_t seed) {
    Filler f(seed);
    d.Maintenance.PcConnect = 1;
    d.Maintenance.CommPort = 3;
    f.Digits(d.Maintenance.TelNo, 20, "0123456789-");
    d.RemoteDial.TelCnt = 5;
    for (auto& t : d.RemoteDial.TelNo) f.Digits(t, 32, "0123456789*#");

    SystemData& sys = d.System;
    sys.SwitchCnt = 16;
    sys.NumberSize = 4;
    for (auto& t : sys.TieLine) t = 1;
    for (int e = 0; e < kMaxExchanges; ++e) {
        f.Number(1000 + 100 * e, sys.SwNumber[e].Value, sys.SwNumber[e].Text);
        for (auto& z : sys.OutInZone[e]) z = static_cast<uint32_t>(f.Int(1, (1 << 19) - 1));
    }
    for (auto& fn : d.Function) {
        fn.OutSend = 1;
        fn.AutoOutSend = 1;
        f.Time(fn.StartTime);
        f.Time(fn.EndTime);
        fn.TalkSend = 1;
        fn.CallCnt = static_cast<uint8_t>(f.Int(11, 99));
        fn.CallTime = static_cast<uint8_t>(f.Int(1, 99));
        fn.TalkTime = static_cast<uint16_t>(10 * f.Int(1, 99));
    }
    for (int e = 0; e < kMaxExchanges; ++e) {
        SwitchData& sw = d.Switch[e];
        sw.ZoneSize = 2;
        sw.PagingTimeLimit = static_cast<uint32_t>(10 * f.Int(1, 99));
        sw.LineCntLimit = static_cast<uint8_t>(f.Int(4, 99));
        for (auto& p : sw.SpeakerPaging) p = static_cast<uint32_t>(f.Int(1, (1 << 19) - 1));
        for (auto& line : sw.Line) {
            f.Name(line.Name);
            line.TxNumberOnOff = 1;
            line.TxNumber = static_cast<uint8_t>(f.Int(1, 9));
            line.RxLine = 1;
            line.RxDial = 1;
            for (int i = 0; i < kRxMasters; ++i) line.RxMaster[i] = f.Ref(i + 1, 4);
        }
        for (int m = 0; m < kMastersPerExchange; ++m) {
            MasterData& ms = sw.Master[m];
            f.Number(1000 + 100 * e + 90 + m, ms.NumberValue, ms.Number);
            f.Name(ms.Name);
            ms.LineTx = 1;
            ms.Paging = 1;
            f.Digits(ms.TelNo, 20, "0123456789-");
            f.Digits(ms.AbsenceTelNo, 4);
            f.Digits(ms.AutoAbsenceTelNo, 4);
            f.Digits(ms.CnvTelNo, 4);
            f.Digits(ms.NonRespTelNo, 4);
            ms.ScanTime = static_cast<uint8_t>(f.Int(6, 99));
            ms.ScanCnt = static_cast<uint8_t>(f.Int(1, 15));
            for (int i = 0; i < kScanMembers; ++i) ms.ScanSub[i] = f.Ref(i + 1, 64);
            ms.GroupCnt = static_cast<uint8_t>(f.Int(1, 14));
            for (int i = 0; i < kGroupMembers; ++i) ms.GroupMaster[i] = f.Ref(i + 1, 4);
            ms.MeetCnt = static_cast<uint8_t>(f.Int(1, 2));
            for (int i = 0; i < kMeetMembers; ++i) ms.MeetMaster[i] = f.Ref(i + 1, 4);
        }
        for (int s = 0; s < kSubsPerExchange; ++s) {
            SubData& sub = sw.Sub[s];
            f.Number(1000 + 100 * e + s, sub.NumberValue, sub.Number);
            f.Name(sub.Name);
            sub.CallSwNo = static_cast<uint8_t>(f.Int(1, 16));
            sub.CallStNo = static_cast<uint8_t>(f.Int(2, 4));
            sub.Level = 1;
            sub.Paging = static_cast<uint32_t>(f.Int(1, (1 << 19) - 1));
        }
    }
    // The display copies show the masters they name.
    for (auto& sw : d.Switch)
        for (auto& line : sw.Line)
            for (int i = 0; i < kRxMasters; ++i) {
                const MasterData& ms = d.Switch[line.RxMaster[i].Exchange - 1].Master[line.RxMaster[i].Station - 1];
                line.RxMasterNumber[i] = ms.NumberValue;
                line.RxMasterName[i] = ms.Name;
            }
    DirectSelectData& ds = d.DirectSelect;
    for (int e = 0; e < kMaxExchanges; ++e) {
        ds.OutMode[e] = 1;
        for (int m = 0; m < kMastersPerExchange; ++m) {
            ds.ShotT[e][m] = static_cast<uint8_t>(f.Int(1, 10));
            for (int r = 0; r < kDialRows; ++r) {
                f.Digits(ds.Rows[e][m][r].Dial, 16, "0123456789Aa*#-");
                ds.Rows[e][m][r].Shot = std::to_string(f.Int(1, 1024));
            }
        }
    }
}
