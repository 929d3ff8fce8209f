#include "editors/ConfigDiff.h"

#include <algorithm>
#include <memory>

#include "core/KatakanaText.h"
#include "editors/PagingRules.h"
#include "editors/StationRules.h"

namespace {

std::string Num(int value) { return std::to_string(value); }
std::string OnOff(int value) { return value ? "on" : "off"; }
std::string At(int exchange) { return "Exchange " + Num(exchange); }
std::string AtMaster(int exchange, int master) { return At(exchange) + ", Master " + Num(master); }

// Titles of the station grids carry line breaks.
std::string OneLine(std::string title) {
    title.erase(std::remove(title.begin(), title.end(), '\n'), title.end());
    return title;
}

class Collector {
public:
    Collector(const SettingData& a, const SettingData& b, std::vector<ConfigDifference>& out, bool listing)
        : A(a), B(b), Listing(listing), out_(out),
          Exchanges(std::clamp(static_cast<int>(std::max(a.System.SwitchCnt, b.System.SwitchCnt)), 1, kMaxExchanges)) {}

    const SettingData& A;
    const SettingData& B;
    const bool Listing;  // every field in use, equal or not

    void Category(const char* name) { category_ = name; }
    void Add(const std::string& place, const std::string& field, const std::string& a, const std::string& b) {
        if (a != b || Listing) Push(place, field, a, b);
    }
    void Push(const std::string& place, const std::string& field, const std::string& a, const std::string& b) {
        out_.push_back({category_, place, field, Text8ToUtf8(a), Text8ToUtf8(b)});
    }
    // The same field of both sides through one projection.
    template <class F>
    void Field(const std::string& place, const std::string& field, F shown) {
        Add(place, field, shown(A), shown(B));
    }

private:
    std::vector<ConfigDifference>& out_;
    const char* category_ = "";

public:
    const int Exchanges;
};

void GlobalSetting(Collector& c) {
    c.Category("Global Setting");
    c.Field("", "No. of Exchanges", [](const SettingData& d) { return Num(d.System.SwitchCnt); });
    c.Field("", "Station Digits", [](const SettingData& d) { return Num(d.System.NumberSize); });
    for (int t = 0; t < kTieLines; ++t)
        c.Field("Line " + Num(t + 1), "Tie-Line Connections", [t](const SettingData& d) { return Num(d.System.TieLine[t]); });
    for (int e = 1; e <= c.Exchanges; ++e)
        c.Field(At(e), "First Station No.", [e](const SettingData& d) { return d.System.SwNumber[e - 1].Text.Str(); });
}

void Stations(Collector& c) {
    c.Category("Stations");
    const auto a = LoadStationCopy(c.A);
    const auto b = LoadStationCopy(c.B);
    // Exchange and Line name the row; the called station's number and name
    // are looked up from the master it calls, reported there. A cell shows
    // only its own station's record, so equal records are skipped unread.
    for (int e = 1; e <= c.Exchanges; ++e) {
        for (int m = 1; m <= kMastersPerExchange; ++m) {
            if (a->Exchange(e).Master[m - 1] == b->Exchange(e).Master[m - 1] && !c.Listing) continue;
            for (int col = kMasterStation; col < kMasterColumnCount; ++col)
                c.Add(AtMaster(e, m), kMasterColumnTitles[col], MasterCellText(*a, e, m, col), MasterCellText(*b, e, m, col));
        }
        for (int s = 1; s <= kSubsPerExchange; ++s) {
            if (a->Exchange(e).Sub[s - 1] == b->Exchange(e).Sub[s - 1] && !c.Listing) continue;
            for (int col : {kSubStation, kSubName, kSubCalledExchange, kSubCalledLine, kSubPriority})
                c.Add(At(e) + ", Substation " + Num(s), OneLine(kSubColumnTitles[col]), SubCellText(*a, e, s, col),
                      SubCellText(*b, e, s, col));
        }
    }
}

std::string RefExchange(const MemberRef& r) { return r.Exchange ? Num(r.Exchange) : ""; }
std::string RefLine(const MemberRef& r) { return r.Station ? Num(r.Station) : ""; }

void CoTrunks(Collector& c) {
    c.Category("C/O Trunks");
    static const char* const kSlots[kRxMasters] = {"Rep", "Member1", "Member2", "Member3"};
    for (int e = 1; e <= c.Exchanges; ++e) {
        c.Field(At(e), "C/O Time-Out", [e](const SettingData& d) { return Num(d.Exchange(e).LineCntLimit); });
        for (int l = 0; l < kLinesPerExchange; ++l) {
            const std::string place = At(e) + ", C/O Line " + Num(l + 1);
            auto line = [e, l](const SettingData& d) -> const LineData& { return d.Exchange(e).Line[l]; };
            c.Field(place, "Name", [&](const SettingData& d) { return line(d).Name.Str(); });
            c.Field(place, "Outgoing", [&](const SettingData& d) { return OnOff(line(d).TxNumberOnOff); });
            c.Field(place, "Access No.", [&](const SettingData& d) { return Num(line(d).TxNumber); });
            c.Field(place, "Incoming (Direct-In Dial)", [&](const SettingData& d) { return OnOff(line(d).RxDial); });
            c.Field(place, "Incoming (Direct-In Line)", [&](const SettingData& d) { return OnOff(line(d).RxLine); });
            for (int r = 0; r < kRxMasters; ++r) {
                c.Field(place + ", " + kSlots[r], "Exchange", [&](const SettingData& d) { return RefExchange(line(d).RxMaster[r]); });
                c.Field(place + ", " + kSlots[r], "Line", [&](const SettingData& d) { return RefLine(line(d).RxMaster[r]); });
            }
        }
    }
}

// A time is compared by its value; the text shows it as typed.
void Time(Collector& c, const std::string& place, const char* field, const ClockTime& a, const ClockTime& b) {
    if (a.Value != b.Value || c.Listing) c.Push(place, field, a.Text.Str(), b.Text.Str());
}

void CallForwarding(Collector& c) {
    c.Category("Call Forwarding/Time-Out");
    for (int e = 1; e <= c.Exchanges; ++e) {
        const FunctionData& a = c.A.Function[e - 1];
        const FunctionData& b = c.B.Function[e - 1];
        c.Add(At(e), "Call Forwarding", OnOff(a.OutSend), OnOff(b.OutSend));
        c.Add(At(e), "Time-Based Call Forwarding", OnOff(a.AutoOutSend), OnOff(b.AutoOutSend));
        Time(c, At(e), "Start Time", a.StartTime, b.StartTime);
        Time(c, At(e), "End Time", a.EndTime, b.EndTime);
        c.Add(At(e), "Busy Call Forwarding", OnOff(a.TalkSend), OnOff(b.TalkSend));
        c.Add(At(e), "No-Answer Call Fwd", Num(a.CallCnt), Num(b.CallCnt));
        c.Add(At(e), "Call Time-Out", Num(a.CallTime), Num(b.CallTime));
        c.Add(At(e), "Conversation Time-Out", Num(a.TalkTime), Num(b.TalkTime));
    }
}

struct MemberView {
    int Count;
    const MemberRef* Entries;
};

template <class List>
void Members(Collector& c, const char* title, int capacity, List list) {
    c.Category(title);
    for (int e = 1; e <= c.Exchanges; ++e)
        for (int m = 1; m <= kMastersPerExchange; ++m) {
            const MemberView a = list(c.A.Exchange(e).Master[m - 1]);
            const MemberView b = list(c.B.Exchange(e).Master[m - 1]);
            const int countA = std::min(a.Count, capacity);
            const int countB = std::min(b.Count, capacity);
            // An entry beyond its list's count is not in use: it shows empty.
            for (int k = 0; k < std::max(countA, countB); ++k) {
                const MemberRef ra = k < countA ? a.Entries[k] : MemberRef{};
                const MemberRef rb = k < countB ? b.Entries[k] : MemberRef{};
                const std::string place = AtMaster(e, m) + ", No " + Num(k + 1);
                c.Add(place, "Exchange", RefExchange(ra), RefExchange(rb));
                c.Add(place, "Line", RefLine(ra), RefLine(rb));
            }
        }
}

void MemberLists(Collector& c) {
    c.Category("Scan Monitor");
    for (int e = 1; e <= c.Exchanges; ++e)
        for (int m = 1; m <= kMastersPerExchange; ++m)
            c.Field(AtMaster(e, m), "Monitor Time", [e, m](const SettingData& d) { return Num(d.Exchange(e).Master[m - 1].ScanTime); });
    Members(c, "Scan Monitor", kScanMembers, [](const MasterData& m) { return MemberView{m.ScanCnt, m.ScanSub}; });
    Members(c, "Group Call", kGroupMembers, [](const MasterData& m) { return MemberView{m.GroupCnt, m.GroupMaster}; });
    Members(c, "Emergency Conference", kMeetMembers, [](const MasterData& m) { return MemberView{m.MeetCnt, m.MeetMaster}; });
}

// A substation without a number or of emergency priority takes no paging:
// the sheet shows nothing or "x" and sends every zone off, whatever flags it
// keeps.
struct ZoneRow {
    uint32_t Flags;
    const char* Excluded;  // what its zone cells show, or nullptr
};

void Zones(Collector& c, const std::string& place, ZoneRow a, ZoneRow b) {
    const uint32_t fa = a.Excluded ? 0 : a.Flags;
    const uint32_t fb = b.Excluded ? 0 : b.Flags;
    if (fa == fb && !c.Listing) return;
    auto shown = [](const ZoneRow& row, bool on) { return row.Excluded ? row.Excluded : on ? kZoneOnText : kZoneOffText; };
    for (int z = 0; z < kPagingZones; ++z) {
        const bool za = (fa >> z) & 1u;
        const bool zb = (fb >> z) & 1u;
        if (za != zb || c.Listing) c.Push(place, "Zone " + Num(z + 1), shown(a, za), shown(b, zb));
    }
}

ZoneRow SubZones(const SubData& s) {
    return {s.Paging, !s.Assigned() ? "" : s.Level == 1 ? kZoneExcludedText : nullptr};
}

void Paging(Collector& c) {
    c.Category("Paging");
    for (int e = 1; e <= c.Exchanges; ++e) {
        const SwitchData& a = c.A.Exchange(e);
        const SwitchData& b = c.B.Exchange(e);
        c.Add(At(e), "Zone Digits", Num(a.ZoneSize), Num(b.ZoneSize));
        c.Add(At(e), "Paging Time-Out", Num(static_cast<int>(a.PagingTimeLimit)), Num(static_cast<int>(b.PagingTimeLimit)));
        for (int s = 0; s < kSubsPerExchange; ++s)
            Zones(c, At(e) + ", Substation " + Num(s + 1), SubZones(a.Sub[s]), SubZones(b.Sub[s]));
        for (int s = 0; s < kSpeakersPerExchange; ++s)
            Zones(c, At(e) + ", PA Output " + Num(s + 1), {a.SpeakerPaging[s], nullptr}, {b.SpeakerPaging[s], nullptr});
        for (int k = 0; k < kExternalInputs; ++k)
            Zones(c, At(e) + ", Ctrl IN " + Num(k + 1), {c.A.System.OutInZone[e - 1][k], nullptr},
                  {c.B.System.OutInZone[e - 1][k], nullptr});
    }
}

std::string OutMode(int mode) {
    return mode == 0 ? "Response-Activated" : mode == 1 ? "Call-Activated" : Num(mode);
}

void DirectSelect(Collector& c) {
    c.Category("Direct Select");
    for (int e = 1; e <= c.Exchanges; ++e)
        c.Field(At(e), "Control Outputs", [e](const SettingData& d) { return OutMode(d.DirectSelect.OutMode[e - 1]); });
}

void DialingAssignment(Collector& c) {
    c.Category("Dialing Assignment");
    const DirectSelectData& a = c.A.DirectSelect;
    const DirectSelectData& b = c.B.DirectSelect;
    for (int e = 0; e < c.Exchanges; ++e)
        for (int m = 0; m < kMastersPerExchange; ++m) {
            const std::string place = AtMaster(e + 1, m + 1);
            c.Add(place, "Door Lock Time", Num(a.ShotT[e][m]), Num(b.ShotT[e][m]));
            for (int r = 0; r < kDialRows; ++r) {
                const DialEntry& ra = a.Rows[e][m][r];
                const DialEntry& rb = b.Rows[e][m][r];
                // Most rows: no text built. A listing shows the rows in use.
                if (c.Listing ? ra == DialEntry{} : ra == rb) continue;
                const std::string row = place + ", Switch No. " + Num(r + 1);
                c.Add(row, "Dial", ra.Dial.Str(), rb.Dial.Str());
                c.Add(row, "Door Lock(Switch No)", ra.Shot.Str(), rb.Shot.Str());
            }
        }
}

std::string Method(int connect) { return connect == 0 ? "RS-232C" : connect == 1 ? "Modem" : Num(connect); }

void PcPortAndRemote(Collector& c) {
    c.Category("PC Port");
    c.Field("", "Method", [](const SettingData& d) { return Method(d.Maintenance.PcConnect); });
    c.Field("", "COM port", [](const SettingData& d) { return "COM" + Num(d.Maintenance.CommPort + 1); });
    c.Field("", "Telephone No.", [](const SettingData& d) { return d.Maintenance.TelNo.Str(); });
    c.Category("Remote Dialing");
    const int countA = std::min<int>(c.A.RemoteDial.TelCnt, kRemoteDialNumbers);
    const int countB = std::min<int>(c.B.RemoteDial.TelCnt, kRemoteDialNumbers);
    for (int k = 0; k < std::max(countA, countB); ++k)
        c.Add("No. " + Num(k + 1), "Dialing Data", k < countA ? c.A.RemoteDial.TelNo[k].Str() : "",
              k < countB ? c.B.RemoteDial.TelNo[k].Str() : "");
}

}  // namespace

std::string Text8ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const char16_t u = Text8CharToUnicode(static_cast<unsigned char>(ch));
        if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (u < 0x800) {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (u >> 12));
            out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

namespace {

std::vector<ConfigDifference> Collect(const SettingData& a, const SettingData& b, bool listing) {
    std::vector<ConfigDifference> out;
    Collector c(a, b, out, listing);
    GlobalSetting(c);
    Stations(c);
    CoTrunks(c);
    CallForwarding(c);
    MemberLists(c);
    Paging(c);
    DirectSelect(c);
    DialingAssignment(c);
    PcPortAndRemote(c);
    return out;
}

}  // namespace

std::vector<ConfigDifference> CompareSettings(const SettingData& a, const SettingData& b) { return Collect(a, b, false); }

std::vector<ConfigDifference> ListSettings(const SettingData& data) { return Collect(data, data, true); }
