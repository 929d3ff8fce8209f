// Member lists, stations and the received records.
#include <cstdio>

#include "printout/Layouts.h"

std::string Format(const char* format, int value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string NumberOrBlank(int value) { return value == 0 ? " " : Format("%2d", value); }

const MasterData* MasterAt(const SettingData& data, int exchange, int position) {
    if (exchange < 1 || exchange > kMaxExchanges || position < 1 || position > kMastersPerExchange) return nullptr;
    return &data.Exchange(exchange).Master[position - 1];
}

const SubData* SubAt(const SettingData& data, int exchange, int position) {
    if (exchange < 1 || exchange > kMaxExchanges || position < 1 || position > kSubsPerExchange) return nullptr;
    return &data.Exchange(exchange).Sub[position - 1];
}

void ExchangeLabel(PageBuilder& out, int exchange) {
    out.Text(6, 1, "Exchange");
    out.Text(6, 25, Format("%d", exchange));
}

namespace {
// The number and name a member's slot shows.
template <class Station>
void StationCells(PageBuilder& out, int top, int row, const Station* s, int numberAt, int nameAt) {
    if (!s || s->NumberValue == kNotAssigned) return;
    out.Cell(top, row, numberAt, s->Number.Str());
    out.Cell(top, row, nameAt, s->Name.Str());
}
}  // namespace

void LayoutMembers(const SettingData& data, int code, const PageSlice& page, PageBuilder& out) {
    const MasterData& master = data.Exchange(page.Exchange).Master[page.Part];
    const bool scan = code == PrintScanMonitor;
    const MemberRef* members = scan ? master.ScanSub : code == PrintGroupCall ? master.GroupMaster : master.MeetMaster;
    const int capacity = scan ? kScanMembers : code == PrintGroupCall ? kGroupMembers : kMeetMembers;
    const int count = scan ? master.ScanCnt : code == PrintGroupCall ? master.GroupCnt : master.MeetCnt;
    constexpr int top = 12;
    ExchangeLabel(out, page.Exchange);
    out.Text(8, 1, scan ? "Master Station No." : "Master Station (Telephone) No.");
    out.Text(8, 25, Format("%d", page.Part + 1));
    if (scan) {
        out.Text(10, 1, "Monitor Time");
        out.Text(10, 25, Format("%d", master.ScanTime));
    }
    out.Table(top, capacity, {5, 15, 25, 37, 51});
    out.Cell(top, 0, 7, "Exchange");
    out.Cell(top, 0, 18, "Line");
    out.Cell(top, 0, 29, "Station");
    out.Cell(top, 0, 42, "Name");
    // A count read from a file may exceed the list: never beyond it.
    for (int i = 1; i <= count && i <= capacity; ++i) {
        const MemberRef& m = members[i - 1];
        out.Cell(top, i, 9, NumberOrBlank(m.Exchange));
        out.Cell(top, i, 19, NumberOrBlank(m.Station));
        if (scan) StationCells(out, top, i, SubAt(data, m.Exchange, m.Station), 28, 40);
        else StationCells(out, top, i, MasterAt(data, m.Exchange, m.Station), 28, 40);
    }
}

void LayoutStations(const PrintJob& job, int code, const PageSlice& page, PageBuilder& out) {
    const SettingData& data = *job.Data;
    const std::vector<StationRow> rows = StationRows(job, code);
    if (page.Exchange) ExchangeLabel(out, page.Exchange);
    if (code == PrintMasters) {
        const int top = 8;
        const int second = top + page.Count + 4;
        out.Table(top, page.Count, {5, 15, 23, 33, 43, 61, 79, 101});
        out.Table(second, page.Count, {5, 15, 23, 44, 65, 87, 108});
        const char* firstHeadings[] = {"Exchange", "Line", "Station", "Name", "C/O Line Access", "Emergency Paging",
                                       "C/O Call Forwarding"};
        const int firstAt[] = {6, 16, 24, 34, 44, 62, 80};
        for (int c = 0; c < 7; ++c) out.Cell(top, 0, firstAt[c], firstHeadings[c]);
        const char* secondHeadings[] = {"Exchange", "Line", "Call Forwarding", "Time-Based Call Fwd",
                                        "Busy Call Forwarding", "No-Answer Call Fwd"};
        const int secondAt[] = {6, 16, 24, 45, 66, 88};
        for (int c = 0; c < 6; ++c) out.Cell(second, 0, secondAt[c], secondHeadings[c]);
        for (int i = 1; i <= page.Count; ++i) {
            const StationRow r = rows[static_cast<std::size_t>(page.First + i - 1)];
            const MasterData& m = data.Exchange(r.Exchange).Master[r.Position - 1];
            for (int t : {top, second}) {
                out.Cell(t, i, 9, Format("%2d", r.Exchange));
                out.Cell(t, i, 18, Format("%2d", r.Position));
            }
            if (!m.Assigned()) continue;
            out.Cell(top, i, 25, m.Number.Str());
            out.Cell(top, i, 35, m.Name.Str());
            out.Cell(top, i, 51, Mark(m.LineTx));
            out.Cell(top, i, 70, Mark(m.Paging));
            out.Cell(top, i, 80, m.TelNo.Str());
            out.Cell(second, i, 25, m.AbsenceTelNo.Str());
            out.Cell(second, i, 46, m.AutoAbsenceTelNo.Str());
            out.Cell(second, i, 67, m.CnvTelNo.Str());
            out.Cell(second, i, 89, m.NonRespTelNo.Str());
        }
        return;
    }
    constexpr int top = 9;
    out.Text(8, 70, "Called Station");
    out.Table(top, page.Count, {5, 16, 27, 40, 51, 62, 73, 86, 97, 118});
    const char* headings[] = {"Exchange", "Line", "Station", "Name", "Exchange", "Line", "Station", "Name",
                              "    Call Priority"};
    const int headingAt[] = {7, 18, 29, 42, 53, 64, 75, 88, 98};
    for (int c = 0; c < 9; ++c) out.Cell(top, 0, headingAt[c], headings[c]);
    for (int i = 1; i <= page.Count; ++i) {
        const StationRow r = rows[static_cast<std::size_t>(page.First + i - 1)];
        const SubData& s = data.Exchange(r.Exchange).Sub[r.Position - 1];
        out.Cell(top, i, 9, Format("%2d", r.Exchange));
        out.Cell(top, i, 20, Format("%2d", r.Position));
        if (!s.Assigned()) continue;
        out.Cell(top, i, 29, s.Number.Str());
        out.Cell(top, i, 42, s.Name.Str());
        out.Cell(top, i, 55, NumberOrBlank(s.CallSwNo));
        out.Cell(top, i, 66, NumberOrBlank(s.CallStNo));
        StationCells(out, top, i, MasterAt(data, s.CallSwNo, s.CallStNo), 75, 88);
        out.Cell(top, i, 102, s.Level ? "Emergency" : "Normal");
    }
}

void LayoutRecords(const PrintJob& job, int code, const PageSlice& page, PageBuilder& out) {
    constexpr int top = 11;
    auto text = [&](int row, std::size_t column) -> std::string {
        const auto& r = job.Records[static_cast<std::size_t>(row)];
        return column < r.size() ? r[column] : std::string();
    };
    if (code == PrintLogData) {
        out.Table(top, page.Count, {3, 23, 33, 45, 57, 69, 81, 93, 118});
        const char* headings[] = {"      Dowdload Time", "Exchange", "Log Time", "Line1", "Line2", "Line3", "Line4",
                                  "Status"};
        const int headingAt[] = {4, 24, 34, 46, 58, 70, 82, 94};
        for (int c = 0; c < 8; ++c) out.Cell(top, 0, headingAt[c], headings[c]);
        // Texts as handed over: exchange cell, download time, log time, lines 1..4, status.
        const int at[] = {25, 6, 34, 46, 58, 70, 82, 94};
        for (int i = 1; i <= page.Count; ++i)
            for (std::size_t c = 0; c < 8; ++c) out.Cell(top, i, at[c], text(page.First + i - 1, c));
        return;
    }
    // Monitor data runs on in further rows of the table, 84 characters each.
    constexpr std::size_t kWidth = 84;
    int rows = 0;
    for (int r = page.First; r < page.First + page.Count; ++r)
        rows += text(r, 2).empty() ? 1 : static_cast<int>((text(r, 2).size() + kWidth - 1) / kWidth);
    out.Table(top, rows, {3, 23, 33, 118});
    out.Cell(top, 0, 4, "      Dowdload Time");
    out.Cell(top, 0, 24, "Exchange");
    out.Cell(top, 0, 34, "Monitor data");
    int row = 1;
    for (int r = page.First; r < page.First + page.Count; ++r) {
        out.Cell(top, row, 25, text(r, 0));
        out.Cell(top, row, 6, text(r, 1));
        const std::string data = text(r, 2);
        std::size_t at = 0;
        do {
            out.Cell(top, row++, 34, data.substr(at, kWidth));
            at += kWidth;
        } while (at < data.size());
    }
}
