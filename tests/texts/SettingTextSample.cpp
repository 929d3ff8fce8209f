#include "texts/SettingTextSample.h"

#include "core/Clock.h"

namespace {
void Station(int32_t& value, FixedText<6>& number, FixedText<8>& name, const char* num, const char* nm) {
    number = num;
    value = std::stoi(num);
    name = nm;
}
MemberRef Ref(int position, int exchange, int station) {
    return MemberRef{static_cast<uint8_t>(position), static_cast<uint8_t>(exchange), static_cast<uint8_t>(station)};
}
std::string Sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
std::string Zeros(int n) { return std::string(static_cast<std::size_t>(n), '0'); }
}  // namespace

FixedClock::FixedClock() {
    SetClockSource([] {
        ClockReading r;
        r.Year = 2026, r.Month = 12, r.Day = 6, r.Hour = 7, r.Minute = 5, r.Second = 9, r.Weekday = 0;
        return r;
    });
}
FixedClock::~FixedClock() { SetClockSource({}); }

void FillSampleSettings(SettingData& d) {
    SystemData& sys = d.System;
    sys.SwitchCnt = 3;
    sys.NumberSize = 3;
    sys.TieLine[0] = sys.TieLine[2] = 1;
    sys.SwNumber[0].Text = "100", sys.SwNumber[0].Value = 100;
    sys.SwNumber[1].Text = "200", sys.SwNumber[1].Value = 200;
    sys.SwNumber[2].Text = "-1", sys.SwNumber[2].Value = kNotAssigned;
    sys.OutInZone[2][1] = 1u << 18;
    sys.OutInZone[2][3] = 1u << 18 | 1u;

    SwitchData& s1 = d.Switch[0];
    MasterData& m12 = s1.Master[1];
    Station(m12.NumberValue, m12.Number, m12.Name, "201", "Front");
    m12.LineTx = 1;
    m12.TelNo = "03-1234-5678";
    MasterData& m11 = s1.Master[0];
    m11.GroupMaster[1] = Ref(2, 1, 2);
    m11.GroupMaster[8] = Ref(9, 3, 4);
    m11.GroupMaster[4] = Ref(5, 2, 0);  // half a reference is not a member
    m11.AbsenceTelNo = "201";
    m11.AutoAbsenceTelNo = "3";
    m11.CnvTelNo = "105";
    m11.NonRespTelNo = "999";
    s1.Master[3].ScanTime = 15;
    s1.Master[3].ScanSub[0] = Ref(1, 1, 5);
    s1.Master[3].ScanSub[15] = Ref(16, 2, 64);
    s1.Master[2].MeetMaster[1] = Ref(2, 16, 4);
    s1.Master[2].MeetMaster[2] = Ref(3, 1, 1);

    SubData& sub12 = s1.Sub[11];
    Station(sub12.NumberValue, sub12.Number, sub12.Name, "112", "Room 12");
    sub12.CallSwNo = 2, sub12.CallStNo = 4, sub12.Level = 1;
    Station(s1.Sub[4].NumberValue, s1.Sub[4].Number, s1.Sub[4].Name, "105", "Lobby");

    s1.LineCntLimit = 45;
    LineData& l1 = s1.Line[0];
    l1.Name = "Trunk A", l1.TxNumberOnOff = 1, l1.TxNumber = 0, l1.RxDial = 1, l1.RxLine = 1;
    l1.RxMaster[0] = Ref(1, 1, 2);
    l1.RxMaster[2] = Ref(3, 2, 4);
    LineData& l2 = s1.Line[1];
    l2.Name = "TRUNK-B2", l2.TxNumberOnOff = 1, l2.TxNumber = 3;
    l2.RxMaster[1] = Ref(2, 1, 3);  // not sent: RxLine is off

    FunctionData& f1 = d.Function[0];
    f1.OutSend = 1, f1.AutoOutSend = 1, f1.TalkSend = 1;
    f1.StartTime.Value = 8 << 8 | 30;
    f1.EndTime.Value = 17 << 8 | 5;
    f1.CallCnt = 7, f1.CallTime = 45, f1.TalkTime = 125;

    // Zone 3: subs 1 and 10 take part; 12 is emergency and 64 not assigned.
    s1.ZoneSize = 2;
    s1.PagingTimeLimit = 990;
    s1.Sub[0].Paging = 1u << 2;
    s1.Sub[9].Paging = 1u << 2 | 1u << 3;
    s1.Sub[11].Paging = 1u << 2;
    s1.Sub[63].NumberValue = kNotAssigned, s1.Sub[63].Number = "-1", s1.Sub[63].Paging = 1u << 2;
    s1.Sub[63].Name.Clear(), s1.Sub[63].CallStNo = 0;
    s1.Sub[4].Paging = 1u << 3;
    s1.SpeakerPaging[0] = 1u << 1;
    s1.SpeakerPaging[15] = 1u << 1 | 1u;
    s1.SpeakerPaging[2] = 1u;

    SwitchData& s2 = d.Switch[1];
    s2.PagingTimeLimit = 50;
    Station(s2.Sub[0].NumberValue, s2.Sub[0].Number, s2.Sub[0].Name, "200", "");
    s2.Sub[0].Paging = 1u << 18;
    // Master 3 of exchange 2 stays not assigned.

    DirectSelectData& ds = d.DirectSelect;
    ds.OutMode[0] = 1;
    ds.ShotT[0][1] = 3;
    for (int r = 0; r < 20; ++r) ds.Rows[0][1][r].Dial = std::to_string(500 + r);
    ds.Rows[0][1][20].Dial = "*21#";
    ds.Rows[0][1][21].Dial = "x";
    ds.Rows[0][1][22].Dial = "A-1", ds.Rows[0][1][22].Shot = "22";
    ds.Rows[0][1][23].Dial = "1234567890123456", ds.Rows[0][1][23].Shot = "1024";
    ds.Rows[0][1][24].Dial = "a";
}

const std::vector<SampleText>& SampleTexts() {
    static const std::vector<SampleText> texts = [] {
        std::string h1 = "H01" "2" "99" "03" + Zeros(64);
        h1[8 + 0] = h1[8 + 9] = '1';
        std::string h2 = "H02" "1" "05" "19" + Zeros(64);
        h2[8] = '1';
        std::string k1 = "K0123" "0025" "1" "10", k2 = "K0123" "0025" "0" "10";
        for (int r = 1; r <= 10; ++r) {
            k1 += (r < 10 ? "000" : "00") + std::to_string(r) + std::to_string(499 + r) + Sp(13) + Sp(4);
            k2 += "00" + std::to_string(10 + r) + std::to_string(509 + r) + Sp(13) + Sp(4);
        }
        return std::vector<SampleText>{
            {'A', 0, 0, 0, "A00" "2026" "12" "06" "07" "05" "09" "1" "03" "3" "1010" "100   " "200   " "-1    "},
            {'B', 1, 2, 0, "B012" "201   " "Front   " "1" "0" "03-1234-5678" + Sp(8)},
            {'B', 2, 3, 0, "B023" + Sp(6) + Sp(8) + "00" + Sp(20)},
            {'C', 1, 12, 0, "C0112" "112   " "Room 12 " "02" "4" "1"},
            {'C', 1, 64, 0, "C0164" + Sp(6) + Sp(8) + "01" "0" "0"},
            {'C', 1, 5, 0, "C0105" "105   " "Lobby   " "01" "1" "0"},
            {'C', 2, 1, 0, "C0201" "200   " + Sp(8) + "02" "1" "0"},
            {'D', 1, 0, 0, "D01" "45" "Trunk A " "1014" "012" "000" "024" "000" "TRUNK-B2" "1300" + Zeros(12)},
            {'E', 1, 1, 0, "E011" "02" "012" "034"},
            {'F', 1, 0, 0, "F01" "1" "0830" "1705" "1" "07" "45" "12"},
            {'G', 1, 4, 0, "G014" "15" "02" "0105" "0264"},
            {'H', 1, 3, 0, h1},
            {'H', 2, 19, 0, h2},
            {'I', 1, 2, 0, "I01" "02" "1000000000000001"},
            {'J', 3, 19, 0, "J03" "19" "0101"},
            {'U', 1, 1, 0, "U011" "201   " "012" "Front   " "3     " "012" "TRUNK-B2" "105   " "015" "Lobby   " "999   " + Sp(11)},
            {'L', 1, 3, 0, "L013" "02" "164" "011"},
            {'M', 1, 0, 0, "M011"},
            {'K', 1, 2, 0, k1},
            {'K', 1, 2, 1, k2},
            {'K', 1, 2, 2, "K0123" "0025" "2" "05"
                           "0021" "*21#            " "    "
                           "0022" "x               " "    "
                           "0023" "A-1             " "  22"
                           "0024" "1234567890123456" "1024"
                           "0025" "a               " "    "},
            {'K', 2, 1, 0, "K0210" "0000" "3" "00"},
        };
    }();
    return texts;
}
