// The setting categories that are not member lists or station tables.
#include <algorithm>
#include <cstdlib>

#include "printout/Layouts.h"

namespace {
constexpr int kZones = 19;

void Headings(PageBuilder& out, int top, std::initializer_list<std::pair<int, const char*>> cells) {
    for (const auto& [at, text] : cells) out.Cell(top, 0, at, text);
}

// Label and value rows, the first in the heading row, all in one ruled table.
void Pairs(PageBuilder& out, int top, std::initializer_list<std::pair<const char*, std::string>> rows,
           const std::vector<int>& bounds) {
    int row = 0;
    for (const auto& [label, value] : rows) {
        out.Cell(top, row, bounds[0] + 1, label);
        out.Cell(top, row++, bounds[1] + 1, value);
    }
    out.Table(top, row - 1, bounds);
}

std::string YesNo(bool on) { return on ? "Yes" : "No"; }

void GlobalSetting(const SettingData& data, PageBuilder& out) {
    const SystemData& s = data.System;
    out.Text(6, 1, "No. of Exchanges:");
    out.Text(6, 25, Format("%d", s.SwitchCnt));
    out.Text(8, 1, "Station Digits:");
    out.Text(8, 25, Format("%d", s.NumberSize));
    out.Text(10, 1, "Tie-Line Connections:");
    out.Table(11, 1, {5, 19, 33, 47, 61});
    for (int i = 0; i < kTieLines; ++i) {
        out.Cell(11, 0, 6 + 14 * i, Format("Line %d", i + 1));
        out.Cell(11, 1, 6 + 14 * i, s.TieLine[i] ? "Connection" : "Unconnected");
    }
    const int count = ExchangesInUse(data);
    out.Text(15, 1, "Exchange Station No. Assignment");
    out.Table(16, count, {5, 17, 37});
    Headings(out, 16, {{6, "Exchange"}, {18, "First Station No."}});
    for (int e = 1; e <= count; ++e) {
        out.Cell(16, e, 9, Format("%2d", e));
        out.Cell(16, e, 20, s.SwNumber[e - 1].Text.Str());
    }
}

std::string Limit(int value, const char* unit) { return value ? Format("%2d", value) + unit : "No"; }

void CallForwarding(const SettingData& data, int exchange, PageBuilder& out) {
    const FunctionData& f = data.Function[exchange - 1];
    const bool timed = f.OutSend && f.AutoOutSend;
    ExchangeLabel(out, exchange);
    Pairs(out, 8,
          {{"Call Forwarding", YesNo(f.OutSend)},
           {"Time-Based Call Forwarding", f.OutSend ? YesNo(f.AutoOutSend) : "-"},
           {"    Start Time", timed ? f.StartTime.Text.Str() : "-"},
           {"    End Time", timed ? f.EndTime.Text.Str() : "-"},
           {"Busy Call Forwarding", YesNo(f.TalkSend)},
           {"No-Answer Call Fwd", Limit(f.CallCnt, " s")},
           {"Call Time-Out", Limit(f.CallTime, " min")},
           {"Conversation Time-Out", Limit(f.TalkTime, " s")}},
          {5, 37, 55});
}

void CoTrunks(const SettingData& data, int exchange, PageBuilder& out) {
    const SwitchData& sw = data.Exchange(exchange);
    ExchangeLabel(out, exchange);
    out.Text(8, 1, "C/O Time-Out:");
    out.Text(8, 25, Format("%2d", sw.LineCntLimit) + " min");
    out.Table(10, kLinesPerExchange, {5, 19, 31, 45, 61, 77});
    Headings(out, 10, {{20, "Name"}, {32, "Access No."}, {46, "Direct-In Dial"}, {62, "Direct-In Line"}});
    constexpr int top = 15;
    out.Table(top, kLinesPerExchange * kRxMasters, {5, 19, 31, 43, 53, 63, 77});
    Headings(out, top, {{20, "Rcv Station"}, {32, "Exchange"}, {44, "Line"}, {54, "Station"}, {64, "Name"}});
    const char* role[] = {"Rep", "Member1", "Member2", "Member3"};
    for (int l = 0; l < kLinesPerExchange; ++l) {
        const LineData& line = sw.Line[l];
        const std::string name = Format("C/O Line %d", l + 1);
        out.Cell(10, l + 1, 6, name);
        out.Cell(10, l + 1, 20, line.Name.Str());
        out.Cell(10, l + 1, 36, line.TxNumberOnOff ? Format("%d", line.TxNumber) : "-");
        out.Cell(10, l + 1, 52, Mark(line.RxDial));
        out.Cell(10, l + 1, 68, Mark(line.RxLine));
        for (int r = 0; r < kRxMasters; ++r) {
            const int row = l * kRxMasters + r + 1;
            const MemberRef& m = line.RxMaster[r];
            if (r == 0) out.Cell(top, row, 6, name);
            out.Cell(top, row, 20, role[r]);
            out.Cell(top, row, 34, NumberOrBlank(m.Exchange));
            out.Cell(top, row, 46, NumberOrBlank(m.Station));
            if (const MasterData* s = MasterAt(data, m.Exchange, m.Station); s && s->Assigned()) {
                out.Cell(top, row, 54, s->Number.Str());
                out.Cell(top, row, 64, s->Name.Str());
            }
        }
    }
}

// A zone table: leading columns, then one column of four characters per zone.
std::vector<int> ZoneBounds(std::vector<int> bounds, int zones) {
    const int last = bounds.back();
    for (int z = 1; z <= zones; ++z) bounds.push_back(last + 4 * z);
    return bounds;
}

void ZoneHeadings(PageBuilder& out, int top, int firstZoneAt, int zones) {
    out.Text(top - 1, firstZoneAt + 2 * zones - 5, "Z  o  n  e");
    for (int z = 1; z <= zones; ++z) out.Cell(top, 0, firstZoneAt + 4 * (z - 1) + 1, Format("%2d", z));
}

void ZoneMarks(PageBuilder& out, int top, int row, int firstZoneAt, int zones, uint32_t flags) {
    for (int z = 1; z <= zones; ++z) out.Cell(top, row, firstZoneAt + 4 * (z - 1) + 2, Mark(flags >> (z - 1) & 1u));
}

void Paging(const SettingData& data, const PageSlice& page, PageBuilder& out) {
    const SwitchData& sw = data.Exchange(page.Exchange);
    const int zones = sw.ZoneSize == 1 ? 9 : kZones;
    ExchangeLabel(out, page.Exchange);
    out.Text(8, 1, "Zone Digits");
    out.Text(8, 25, Format("%d", sw.ZoneSize));
    out.Text(8, 40, "Paging Time-Out");
    out.Text(8, 60, Limit(static_cast<int>(std::min<uint32_t>(sw.PagingTimeLimit, 99999)), " s"));
    constexpr int top = 11;
    constexpr int zoneAt = 37;
    constexpr int perPage = kSubsPerExchange / 2;
    out.Table(top, perPage, ZoneBounds({3, 12, 18, 27, zoneAt}, zones));
    Headings(out, top, {{4, "Exchange"}, {13, "Line"}, {19, "Station"}, {28, "Name"}});
    ZoneHeadings(out, top, zoneAt, zones);
    for (int i = 1; i <= perPage; ++i) {
        const int position = page.Part * perPage + i;
        const SubData& s = sw.Sub[position - 1];
        out.Cell(top, i, 6, Format("%2d", page.Exchange));
        out.Cell(top, i, 14, Format("%2d", position));
        if (!s.Assigned()) continue;
        out.Cell(top, i, 19, s.Number.Str());
        out.Cell(top, i, 28, s.Name.Str());
        if (s.Level) {
            for (int z = 1; z <= zones; ++z) out.Cell(top, i, zoneAt + 4 * (z - 1) + 2, "x");
        } else {
            ZoneMarks(out, top, i, zoneAt, zones, s.Paging);
        }
    }
}

void ZoneSources(const SettingData& data, int code, int exchange, PageBuilder& out) {
    const bool pa = code == PrintPublicAddress;
    const int rows = pa ? kSpeakersPerExchange : kExternalInputs;
    constexpr int top = 9;
    constexpr int zoneAt = 27;
    ExchangeLabel(out, exchange);
    out.Table(top, rows, ZoneBounds({5, 15, zoneAt}, kZones));
    Headings(out, top, {{6, "Exchange"}, {16, pa ? "Line" : "Ctrl IN"}});
    ZoneHeadings(out, top, zoneAt, kZones);
    for (int i = 1; i <= rows; ++i) {
        out.Cell(top, i, 9, Format("%2d", exchange));
        out.Cell(top, i, 17, pa ? Format("PA%02d", i) : Format("ch%d", i));
        const uint32_t flags = pa ? data.Exchange(exchange).SpeakerPaging[i - 1]
                                  : data.System.OutInZone[exchange - 1][i - 1];
        ZoneMarks(out, top, i, zoneAt, kZones, flags);
    }
}

void PcPort(const SettingData& data, PageBuilder& out) {
    const MaintenanceData& m = data.Maintenance;
    out.Text(6, 1, "PC/Exchange Connection Setting");
    constexpr int top = 8;
    out.Table(top, 3, {5, 20, 90});
    out.Cell(top, 0, 6, "Method");
    out.Cell(top, 1, 6, Mark(m.PcConnect == 0) + " RS-232C");
    out.Cell(top, 1, 21, "COM port  " + Format("COM%d", std::clamp<int>(m.CommPort, 0, 3) + 1));
    out.Cell(top, 2, 21, "Baud Rate: 19200; Parity: Even; Data: 8 bits; Stop Bit: 1");
    out.Cell(top, 3, 6, Mark(m.PcConnect == 1) + " Modem");
    out.Cell(top, 3, 21, "Telephone No.  " + m.TelNo.Str());
}

void DirectSelect(const SettingData& data, int exchange, PageBuilder& out) {
    const int mode = data.DirectSelect.OutMode[exchange - 1];
    ExchangeLabel(out, exchange);
    out.Text(8, 1, "Control Outputs:");
    Pairs(out, 10, {{"Response-Activated", Mark(mode == 0)}, {"Call-Activated", Mark(mode == 1)}}, {5, 30, 36});
}

// The name of the station a dial reaches, when it is one of the numbers.
std::string NameOfNumber(const SettingData& data, const std::string& dial) {
    if (dial.empty()) return {};
    for (const SwitchData& sw : data.Switch) {
        for (const MasterData& m : sw.Master)
            if (m.Assigned() && m.Number == dial) return m.Name.Str();
        for (const SubData& s : sw.Sub)
            if (s.Assigned() && s.Number == dial) return s.Name.Str();
    }
    return {};
}

std::string SwitchNumber(const std::string& text) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    return (!text.empty() && *end == 0 && n >= 1 && n <= kDialRows) ? Format("%04d", static_cast<int>(n)) : text;
}

void DialingAssignment(const SettingData& data, const PageSlice& page, PageBuilder& out) {
    const int master = page.Part + 1;
    ExchangeLabel(out, page.Exchange);
    out.Text(8, 1, "Master Station No.");
    out.Text(8, 25, Format("%d", master));
    out.Text(10, 1, "Door Lock Time.");
    out.Text(10, 25, Format("%d", data.DirectSelect.ShotT[page.Exchange - 1][page.Part]));
    constexpr int top = 12;
    out.Table(top, page.Count, {5, 17, 37, 49, 71});
    Headings(out, top, {{6, "Switch No."}, {18, "Dial"}, {38, "Name"}, {50, "Door Lock(Switch No)"}});
    const std::vector<int> rows = PrintedDialRows(data, page.Exchange, master);
    for (int i = 1; i <= page.Count; ++i) {
        const int r = rows[static_cast<std::size_t>(page.First + i - 1)];
        const DialEntry& e = data.DirectSelect.Rows[page.Exchange - 1][page.Part][r];
        out.Cell(top, i, 8, Format("%04d", r + 1));
        out.Cell(top, i, 18, e.Dial.Str());
        out.Cell(top, i, 38, NameOfNumber(data, e.Dial.Str()));
        out.Cell(top, i, 56, SwitchNumber(e.Shot.Str()));
    }
}
}  // namespace

void LayoutSettings(const SettingData& data, int code, const PageSlice& page, PageBuilder& out) {
    switch (code) {
    case PrintGlobalSetting: GlobalSetting(data, out); break;
    case PrintCallForwarding: CallForwarding(data, page.Exchange, out); break;
    case PrintCoTrunks: CoTrunks(data, page.Exchange, out); break;
    case PrintPaging: Paging(data, page, out); break;
    case PrintPublicAddress:
    case PrintExternalSource: ZoneSources(data, code, page.Exchange, out); break;
    case PrintPcPort: PcPort(data, out); break;
    case PrintDirectSelect: DirectSelect(data, page.Exchange, out); break;
    case PrintDialingAssignment: DialingAssignment(data, page, out); break;
    default: break;
    }
}
