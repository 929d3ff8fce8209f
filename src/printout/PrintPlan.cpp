#include "printout/PrintPlan.h"

#include <algorithm>

namespace {
struct CategoryInfo {
    int Code;
    const char* Title;
    int PerExchange;  // pages per exchange; 0 when not counted per exchange
};

// Table order is the order of the "all" job.
constexpr CategoryInfo kAllOrder[] = {
    {PrintGlobalSetting, "Global Setting", 0},
    {PrintMasters, "Master Stations (Telephones)", 1},
    {PrintSubstations, "Substations", 2},
    {PrintCoTrunks, "C/O Trunks", 1},
    {PrintGroupCall, "Group Call", 4},
    {PrintCallForwarding, "Call Forwarding/Time-Out", 1},
    {PrintScanMonitor, "Scan Monitor", 4},
    {PrintPaging, "Paging", 2},
    {PrintPublicAddress, "Public Address Systems", 1},
    {PrintExternalSource, "External Source Distribution", 1},
    {PrintEmergencyConference, "Emergency Conference", 4},
    {PrintDirectSelect, "Direct Select", 1},
};
constexpr CategoryInfo kOthers[] = {
    {PrintAll, kPrintAllTitle, 0},
    {PrintPcPort, "PC Port", 0},
    {PrintLogData, "Log Data", 0},
    {PrintMonitor, "Communication Monitor", 0},
    {PrintDialingAssignment, "Dialing Assignment", 0},
};

const CategoryInfo* Find(int code) {
    for (const auto& c : kAllOrder)
        if (c.Code == code) return &c;
    for (const auto& c : kOthers)
        if (c.Code == code) return &c;
    return nullptr;
}

// The exchanges a selection covers.
std::pair<int, int> ExchangeRange(const PrintJob& job) {
    const int count = job.Data ? ExchangesInUse(*job.Data) : 1;
    if (job.Exchange >= 1 && job.Exchange <= kMaxExchanges) return {job.Exchange, job.Exchange};
    return {1, count};
}

bool PerMaster(int code) {
    return code == PrintGroupCall || code == PrintScanMonitor || code == PrintEmergencyConference;
}

// Slices of at most capacity rows; where the rows come exchange by exchange,
// no page holds two exchanges.
std::vector<PageSlice> SliceStations(const std::vector<StationRow>& rows, int capacity) {
    bool grouped = true;
    bool seen[256] = {};
    for (std::size_t i = 0; i < rows.size() && grouped; ++i) {
        if (i > 0 && rows[i].Exchange != rows[i - 1].Exchange && seen[rows[i].Exchange]) grouped = false;
        seen[rows[i].Exchange] = true;
    }
    std::vector<PageSlice> pages;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool newExchange = grouped && i > 0 && rows[i].Exchange != rows[i - 1].Exchange;
        if (pages.empty() || pages.back().Count == capacity || newExchange)
            pages.push_back({grouped ? rows[i].Exchange : 0, 0, static_cast<int>(i), 0});
        ++pages.back().Count;
    }
    return pages;
}

std::vector<PageSlice> SliceRecords(int rows, int capacity) {
    std::vector<PageSlice> pages;
    for (int first = 0; first < rows; first += capacity)
        pages.push_back({0, 0, first, std::min(capacity, rows - first)});
    return pages;
}
}  // namespace

const char* PrintTitle(int code) {
    const CategoryInfo* c = Find(code);
    return c ? c->Title : nullptr;
}

int PrintCodeOfTitle(const std::string& title) {
    for (int code = 0; code <= 0x11; ++code)
        if (const char* t = PrintTitle(code); t && title == t) return code;
    return -1;
}

int ExchangesInUse(const SettingData& data) { return std::clamp<int>(data.System.SwitchCnt, 1, kMaxExchanges); }

std::vector<StationRow> StationRows(const PrintJob& job, int code) {
    const int capacity = code == PrintMasters ? kMastersPerExchange : kSubsPerExchange;
    std::vector<StationRow> rows;
    for (const StationRow& r : job.Rows)  // rows naming no station are left out
        if (r.Exchange >= 1 && r.Exchange <= kMaxExchanges && r.Position >= 1 && r.Position <= capacity)
            rows.push_back(r);
    if (!job.Rows.empty()) return rows;
    const auto [from, to] = ExchangeRange(job);
    for (int e = from; e <= to; ++e)
        for (int p = 1; p <= capacity; ++p) rows.push_back({static_cast<uint8_t>(e), static_cast<uint8_t>(p)});
    return rows;
}

std::vector<int> PrintedDialRows(const SettingData& data, int exchange, int master) {
    std::vector<int> rows;
    const DialEntry* table = data.DirectSelect.Rows[exchange - 1][master - 1];
    for (int r = 0; r < kDialRows; ++r)
        if (!table[r].Dial.Empty() || !table[r].Shot.Empty()) rows.push_back(r);
    return rows;
}

std::vector<PageSlice> CategoryPages(const PrintJob& job, int code) {
    const CategoryInfo* info = Find(code);
    if (!info || code == PrintAll) return {};
    if (code == PrintLogData) return SliceRecords(static_cast<int>(job.Records.size()), kLogRowsPerPage);
    if (code == PrintMonitor) return SliceRecords(static_cast<int>(job.Records.size()), kMonitorRowsPerPage);
    if (!job.Data) return {};
    if (code == PrintGlobalSetting || code == PrintPcPort) return {PageSlice{}};
    if (code == PrintMasters) return SliceStations(StationRows(job, code), kMastersPerPage);
    if (code == PrintSubstations) return SliceStations(StationRows(job, code), kSubsPerPage);
    const auto [from, to] = ExchangeRange(job);
    const bool oneMaster = job.Master >= 1 && job.Master <= kMastersPerExchange;
    std::vector<PageSlice> pages;
    for (int e = from; e <= to; ++e) {
        if (code == PrintDialingAssignment) {
            for (int m = oneMaster ? job.Master : 1; m <= (oneMaster ? job.Master : kMastersPerExchange); ++m) {
                const int used = static_cast<int>(PrintedDialRows(*job.Data, e, m).size());
                for (PageSlice s : SliceRecords(std::max(used, 1), kLogRowsPerPage)) {
                    s.Exchange = e;
                    s.Part = m - 1;
                    s.Count = std::min(s.Count, used - s.First);
                    pages.push_back(s);
                }
            }
            continue;
        }
        if (PerMaster(code) && oneMaster) {
            pages.push_back({e, job.Master - 1, 0, 0});
            continue;
        }
        for (int part = 0; part < info->PerExchange; ++part) pages.push_back({e, part, 0, 0});
    }
    return pages;
}

std::vector<JobSpan> PlanJob(const PrintJob& job) {
    std::vector<JobSpan> spans;
    int first = 0;
    auto add = [&](int code) {
        JobSpan span{code, first, CategoryPages(job, code)};
        first += static_cast<int>(span.Pages.size());
        if (!span.Pages.empty()) spans.push_back(std::move(span));
    };
    if (job.Code == PrintAll) {
        // Code 0 carries the exchange alone: no station order, no single master.
        for (const auto& c : kAllOrder) add(c.Code);
    } else {
        add(job.Code);
    }
    return spans;
}

int JobPageCount(const std::vector<JobSpan>& spans) {
    int n = 0;
    for (const auto& s : spans) n += static_cast<int>(s.Pages.size());
    return n;
}
