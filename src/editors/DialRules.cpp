#include "editors/DialRules.h"

#include <algorithm>
#include <cstdio>

std::string DoorLockTimeText(int seconds) {
    char text[16];
    std::snprintf(text, sizeof text, "%d sec", seconds);
    return text;
}

std::unique_ptr<DialCopy> LoadDialCopy(const SettingData& model) {
    auto copy = std::make_unique<DialCopy>();
    for (int e = 1; e <= kMaxExchanges; ++e)
        for (int m = 1; m <= kMastersPerExchange; ++m) ReloadDialMaster(*copy, model, e, m);
    return copy;
}

void ReloadDialMaster(DialCopy& copy, const SettingData& model, int exchange, int master) {
    const DialEntry* from = model.DirectSelect.Rows[exchange - 1][master - 1];
    std::copy(from, from + kDialRows, copy.Master(exchange, master));
    copy.ShotT[exchange - 1][master - 1] = model.DirectSelect.ShotT[exchange - 1][master - 1];
}

bool DialCopyDiffers(const DialCopy& copy, const SettingData& model) {
    const DirectSelectData& d = model.DirectSelect;
    for (int e = 0; e < kMaxExchanges; ++e)
        for (int m = 0; m < kMastersPerExchange; ++m) {
            if (copy.ShotT[e][m] != d.ShotT[e][m]) return true;
            if (!std::equal(copy.Rows[e][m], copy.Rows[e][m] + kDialRows, d.Rows[e][m])) return true;
        }
    return false;
}

bool IsDialCorrect(std::string_view dial) {
    if (dial.empty() || dial.size() > 16) return false;
    for (char c : dial)
        if (!((c >= '0' && c <= '9') || c == 'A' || c == 'a' || c == '*' || c == '#' || c == '-')) return false;
    return true;
}

ValidationResult ValidateDialing(const DialCopy& copy, int switchCnt) {
    if (switchCnt > kMaxExchanges) switchCnt = kMaxExchanges;
    for (int e = 1; e <= switchCnt; ++e)
        for (int m = 1; m <= kMastersPerExchange; ++m) {
            const DialEntry* rows = copy.Master(e, m);
            for (int r = 0; r < kDialRows; ++r) {
                const std::string_view dial = rows[r].Dial.View();
                // One character (the reserved mark among them) is left to the exchange.
                if (dial.size() <= 1 || IsDialCorrect(dial)) continue;
                ValidationResult result;
                result.Code = 1;
                char text[96];
                std::snprintf(text, sizeof text, kIncorrectDialFormat, e, m);
                result.Message = text;
                result.Exchange = e;
                result.Page = m;
                result.Row = r + 1;
                result.Field = kDialColumnDial;
                return result;
            }
        }
    return {};
}

ValidationResult OverwriteDialing(const DialCopy& copy, SettingData& model) {
    ValidationResult result = ValidateDialing(copy, model.System.SwitchCnt);
    if (!result.Passed() || !DialCopyDiffers(copy, model)) return result;
    StoreDialCopy(copy, model);
    model.Modified = 1;
    return result;
}

void StoreDialCopy(const DialCopy& copy, SettingData& data) {
    DirectSelectData& d = data.DirectSelect;
    for (int e = 0; e < kMaxExchanges; ++e)
        for (int m = 0; m < kMastersPerExchange; ++m) {
            std::copy(copy.Rows[e][m], copy.Rows[e][m] + kDialRows, d.Rows[e][m]);
            d.ShotT[e][m] = copy.ShotT[e][m];
        }
}

bool IsReserved(const DialEntry& row) { return row.Dial == kReservedMark; }

std::string_view DoorLockCellText(const DialEntry& row) { return IsReserved(row) ? kReservedMark : row.Shot.View(); }

namespace {
// The door lock's switch number, or 0 when the text names none.
int DoorLockOf(std::string_view shot) {
    if (!IsAllDigits(shot) || shot.size() > 4) return 0;
    const uint32_t value = DigitsValue(shot);
    return value >= 1 && value <= kDialRows ? static_cast<int>(value) : 0;
}
}  // namespace

void MarkReservedRows(DialCopy& copy, int exchange, int master) {
    DialEntry* rows = copy.Master(exchange, master);
    for (int r = 0; r < kDialRows; ++r)
        if (IsReserved(rows[r])) rows[r].Dial.Clear();
    for (int r = 0; r < kDialRows; ++r)
        if (const int lock = DoorLockOf(rows[r].Shot.View())) rows[lock - 1].Dial = kReservedMark;
}

void DeleteAllDialRows(DialCopy& copy, int exchange, int master) {
    DialEntry* rows = copy.Master(exchange, master);
    std::fill(rows, rows + kDialRows, DialEntry{});
    copy.ShotT[exchange - 1][master - 1] = 0;
}

CellEdit EditDial(DialCopy& copy, int exchange, int master, int row, std::string_view text) {
    DialEntry& entry = copy.Master(exchange, master)[row - 1];
    CellEdit edit;
    edit.Accepted = text.size() <= decltype(entry.Dial)::Capacity;
    if (edit.Accepted) entry.Dial = text;
    edit.Text = entry.Dial.Str();
    return edit;
}

CellEdit EditDoorLock(DialCopy& copy, int exchange, int master, int row, std::string_view text) {
    DialEntry& entry = copy.Master(exchange, master)[row - 1];
    CellEdit edit;
    edit.Accepted = text.empty() || DoorLockOf(text) != 0;
    if (edit.Accepted) {
        entry.Shot = text;
        MarkReservedRows(copy, exchange, master);
        edit.RowChanged = true;  // marks elsewhere may have moved: the owner redraws
    }
    edit.Text = std::string(DoorLockCellText(entry));
    return edit;
}

StationNames::StationNames(const SettingData& model) {
    const int count = model.System.SwitchCnt > kMaxExchanges ? kMaxExchanges : model.System.SwitchCnt;
    // emplace keeps the first name of a number: masters win over substations.
    for (int e = 1; e <= count; ++e)
        for (const MasterData& m : model.Exchange(e).Master)
            if (m.Assigned()) names_.emplace(m.Number.Str(), m.Name.Str());
    for (int e = 1; e <= count; ++e)
        for (const SubData& s : model.Exchange(e).Sub)
            if (s.Assigned()) names_.emplace(s.Number.Str(), s.Name.Str());
}

std::string_view StationNames::Find(std::string_view number) const {
    if (number.empty()) return {};
    const auto it = names_.find(std::string(number));
    return it == names_.end() ? std::string_view() : std::string_view(it->second);
}
