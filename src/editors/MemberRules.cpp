#include "editors/MemberRules.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr MemberFamilyInfo kFamilies[] = {
    {"Scan Monitor", "Master Station No. (1-%d):", true, kSubsPerExchange, kScanMembers, true,
     "Invalid sub-equipment No.is set.", "Exchange%d\nMaster Station No.%d\nDuplicated exchange-equipment No.(%d-%d)",
     'G'},
    {"Group Call", "Master Station (Telephone) No. (1-%d):", false, kMastersPerExchange, kGroupMembers, false,
     "Invalid master equipment No.is set.",
     "Exchange%d\nMaster Station (Telephone) No.%d\nDuplicated exchange-equipment No.(%d-%d)", 'E'},
    {"Emergency Conference", "Master Station (Telephone) No. (1-%d):", false, kMastersPerExchange, kMeetMembers, false,
     "Invalid master equipment No.is set.",
     "Exchange%d\nMaster Station (Telephone) No.%d\nDuplicated exchange-equipment No.(%d-%d)", 'L'},
};

int InUse(const SettingData& model) {
    return model.System.SwitchCnt > kMaxExchanges ? kMaxExchanges : model.System.SwitchCnt;
}

bool ValidPlace(int exchange, int master) {
    return exchange >= 1 && exchange <= kMaxExchanges && master >= 1 && master <= kMastersPerExchange;
}

// The model's fields of one family in one master record.
struct Fields {
    uint8_t* Count;
    MemberRef* Entries;
    int Capacity;
};
Fields FamilyFields(MasterData& m, MemberFamily family) {
    switch (family) {
    case MemberFamily::Scan: return {&m.ScanCnt, m.ScanSub, kScanMembers};
    case MemberFamily::Group: return {&m.GroupCnt, m.GroupMaster, kGroupMembers};
    case MemberFamily::Meeting: break;
    }
    return {&m.MeetCnt, m.MeetMaster, kMeetMembers};
}
Fields FamilyFields(const MasterData& m, MemberFamily family) {
    return FamilyFields(const_cast<MasterData&>(m), family);
}

MemberList ListOf(const MasterData& m, MemberFamily family) {
    const Fields f = FamilyFields(m, family);
    MemberList list;
    list.Count = *f.Count > f.Capacity ? static_cast<uint8_t>(f.Capacity) : *f.Count;
    list.ScanTime = family == MemberFamily::Scan ? m.ScanTime : 0;
    for (int i = 0; i < f.Capacity; ++i) list.Entries[i] = f.Entries[i];
    return list;
}

// The station an entry names, when it lies inside the installation and the
// family's line range; null otherwise.
struct Named {
    int32_t NumberValue;
    const FixedText<6>* Number;
    const FixedText<8>* Name;
};
bool NamedStation(const SettingData& model, MemberFamily family, const MemberRef& ref, Named& out) {
    const MemberFamilyInfo& info = FamilyInfo(family);
    if (ref.Exchange < 1 || ref.Exchange > InUse(model) || ref.Station < 1 || ref.Station > info.Lines) return false;
    const SwitchData& sw = model.Exchange(ref.Exchange);
    if (info.SubstationMembers) {
        const SubData& s = sw.Sub[ref.Station - 1];
        out = {s.NumberValue, &s.Number, &s.Name};
    } else {
        const MasterData& m = sw.Master[ref.Station - 1];
        out = {m.NumberValue, &m.Number, &m.Name};
    }
    return true;
}

std::string Number(int value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", value);
    return buf;
}

bool EditRange(uint8_t& field, std::string_view text, int max) {
    if (!IsAllDigits(text)) return false;
    const uint32_t value = DigitsValue(text);
    if (value < 1 || value > static_cast<uint32_t>(max)) return false;
    field = static_cast<uint8_t>(value);
    return true;
}

// Station: the number of a station of the family's kind in any exchange in use.
bool EditStation(MemberRef& ref, const SettingData& model, MemberFamily family, std::string_view text) {
    if (!IsAllDigits(text)) return false;
    const MemberFamilyInfo& info = FamilyInfo(family);
    for (int e = 1; e <= InUse(model); ++e)
        for (int line = 1; line <= info.Lines; ++line) {
            MemberRef candidate{ref.Position, static_cast<uint8_t>(e), static_cast<uint8_t>(line)};
            Named n;
            if (!NamedStation(model, family, candidate, n) || n.NumberValue == kNotAssigned || *n.Number != text)
                continue;
            ref = candidate;
            return true;
        }
    return false;
}

ValidationResult Fail(int code, std::string message, int exchange, int master, int entry) {
    return {.Code = code, .Message = std::move(message), .Page = master, .Exchange = exchange, .Row = entry,
            .Field = entry ? kMemberExchange : 0};
}

bool EntryValid(const MemberRef& ref, const SettingData& model, MemberFamily family, int exchange, int master) {
    const MemberFamilyInfo& info = FamilyInfo(family);
    if (ref.Exchange == 0 || ref.Exchange > InUse(model) || ref.Station == 0 || ref.Station > info.Lines)
        return false;
    if (!info.SubstationMembers && ref.Exchange == exchange && ref.Station == master) return false;
    Named n;
    return NamedStation(model, family, ref, n) && n.NumberValue != kNotAssigned;
}
}  // namespace

const MemberFamilyInfo& FamilyInfo(MemberFamily family) { return kFamilies[static_cast<int>(family)]; }

MemberCopy LoadMemberCopy(const SettingData& model, MemberFamily family) {
    MemberCopy copy;
    copy.Family = family;
    for (int e = 1; e <= kMaxExchanges; ++e)
        for (int m = 1; m <= kMastersPerExchange; ++m) copy.List(e, m) = ListOf(model.Exchange(e).Master[m - 1], family);
    return copy;
}

ValidationResult CheckMemberSelection(int switchCnt, int exchange, int master) {
    if (exchange < 1 || exchange > switchCnt || exchange > kMaxExchanges)
        return Fail(kMemberSelectExchange, kMemberExchangeText, 0, 0, 0);
    if (master < 1 || master > kMastersPerExchange) return Fail(kMemberSelectMaster, kMemberMasterText, 0, 0, 0);
    return {};
}

std::string MemberCellText(const MemberCopy& copy, const SettingData& model, int exchange, int master, int entry,
                           int column) {
    if (!ValidPlace(exchange, master) || entry < 1 || entry > FamilyInfo(copy.Family).Capacity) return {};
    const MemberRef& ref = copy.List(exchange, master).Entries[entry - 1];
    switch (column) {
    case kMemberRowNo: return Number(entry);
    case kMemberExchange: return ref.Exchange ? Number(ref.Exchange) : std::string{};
    case kMemberLine: return ref.Station ? Number(ref.Station) : std::string{};
    default: break;
    }
    Named n;
    if (!NamedStation(model, copy.Family, ref, n) || n.NumberValue == kNotAssigned) return {};
    if (column == kMemberStation) return n.Number->Str();
    if (column == kMemberName) return n.Name->Str();
    return {};
}

CellEdit EditMemberCell(MemberCopy& copy, const SettingData& model, int exchange, int master, int entry, int column,
                        std::string_view text) {
    CellEdit edit;
    if (!ValidPlace(exchange, master) || entry < 1 || entry > FamilyInfo(copy.Family).Capacity) return edit;
    MemberList& list = copy.List(exchange, master);
    MemberRef& ref = list.Entries[entry - 1];
    switch (column) {
    case kMemberExchange: edit.Accepted = EditRange(ref.Exchange, text, InUse(model)); break;
    case kMemberLine: edit.Accepted = EditRange(ref.Station, text, FamilyInfo(copy.Family).Lines); break;
    case kMemberStation: edit.Accepted = EditStation(ref, model, copy.Family, text); break;
    default: break;
    }
    if (edit.Accepted) {
        ref.Position = static_cast<uint8_t>(entry);
        if (entry > list.Count) list.Count = static_cast<uint8_t>(entry);
    }
    edit.RowChanged = edit.Accepted;
    edit.Text = MemberCellText(copy, model, exchange, master, entry, column);
    return edit;
}

bool EditScanTime(MemberCopy& copy, int exchange, int master, std::string_view text) {
    if (!ValidPlace(exchange, master)) return false;
    return EditRange(copy.List(exchange, master).ScanTime, text, kScanTimeMax);
}

int SpinScanTime(MemberCopy& copy, int exchange, int master, int step) {
    if (!ValidPlace(exchange, master)) return 0;
    uint8_t& time = copy.List(exchange, master).ScanTime;
    time = static_cast<uint8_t>(std::clamp(time + (step > 0 ? 1 : -1), 1, kScanTimeMax));
    return time;
}

void DeleteAllMembers(MemberCopy& copy, int exchange, int master) {
    if (!ValidPlace(exchange, master)) return;
    for (MemberRef& ref : copy.List(exchange, master).Entries) ref.Exchange = ref.Station = 0;
}

ValidationResult ValidateMembers(const MemberCopy& copy, const SettingData& model) {
    const MemberFamilyInfo& info = FamilyInfo(copy.Family);
    const int count = InUse(model);
    if (info.HasTime)
        for (int e = 1; e <= count; ++e)
            for (int m = 1; m <= kMastersPerExchange; ++m) {
                const uint8_t t = copy.List(e, m).ScanTime;
                if (t < 1 || t > kScanTimeMax) return Fail(kMemberTime, kScanTimeText, e, m, 0);
            }
    for (int e = 1; e <= count; ++e)
        for (int m = 1; m <= kMastersPerExchange; ++m) {
            const MemberList& list = copy.List(e, m);
            const int used = list.Count > info.Capacity ? info.Capacity : list.Count;
            for (int i = 0; i < used; ++i)
                if (!list.Entries[i].Empty() && !EntryValid(list.Entries[i], model, copy.Family, e, m))
                    return Fail(kMemberInvalid, info.InvalidText, e, m, i + 1);
        }
    for (int e = 1; e <= count; ++e)
        for (int m = 1; m <= kMastersPerExchange; ++m) {
            const MemberList& list = copy.List(e, m);
            const int used = list.Count > info.Capacity ? info.Capacity : list.Count;
            for (int i = 0; i < used; ++i)
                for (int j = i + 1; j < used; ++j) {
                    const MemberRef& a = list.Entries[i];
                    const MemberRef& b = list.Entries[j];
                    if (a.Empty() || a.Exchange != b.Exchange || a.Station != b.Station) continue;
                    char buf[160];
                    std::snprintf(buf, sizeof buf, info.DuplicateText, e, m, a.Exchange, a.Station);
                    return Fail(kMemberDuplicate, buf, e, m, i + 1);
                }
        }
    return {};
}

bool MemberCopyDiffers(const MemberCopy& copy, const SettingData& model) {
    for (int e = 1; e <= kMaxExchanges; ++e)
        for (int m = 1; m <= kMastersPerExchange; ++m)
            if (!(copy.List(e, m) == ListOf(model.Exchange(e).Master[m - 1], copy.Family))) return true;
    return false;
}

void ApplyMembers(const MemberCopy& copy, SettingData& data) {
    for (int e = 1; e <= kMaxExchanges; ++e)
        for (int m = 1; m <= kMastersPerExchange; ++m) {
            MasterData& master = data.Exchange(e).Master[m - 1];
            const MemberList& list = copy.List(e, m);
            const Fields f = FamilyFields(master, copy.Family);
            *f.Count = list.Count;
            for (int i = 0; i < f.Capacity; ++i) f.Entries[i] = list.Entries[i];
            if (copy.Family == MemberFamily::Scan) master.ScanTime = list.ScanTime;
        }
}

bool CommitMembers(MemberCopy& copy, SettingData& model) {
    if (!MemberCopyDiffers(copy, model)) return false;
    ApplyMembers(copy, model);
    model.Modified = 1;
    copy = LoadMemberCopy(model, copy.Family);
    return true;
}

ValidationResult OverwriteMembers(MemberCopy& copy, SettingData& model) {
    ValidationResult r = ValidateMembers(copy, model);
    if (r.Passed()) CommitMembers(copy, model);
    return r;
}
