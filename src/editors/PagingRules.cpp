#include "editors/PagingRules.h"

#include <cstdio>
#include <utility>

namespace {
int InUse(const SettingData& model) {
    const int n = model.System.SwitchCnt > kMaxExchanges ? kMaxExchanges : model.System.SwitchCnt;
    return n < 1 ? 1 : n;
}

int ZoneCount(uint8_t zoneSize) { return zoneSize == 2 ? kPagingZones : 9; }

std::string Format(const char* format, int value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

// The exchange and the 1-based substation, output or channel of a data row.
struct RowAt {
    int Exchange = 0;
    int Index = 0;
};
RowAt At(const SettingData& model, int page, int selection, int row) {
    const int per = PagingRowsPerExchange(page);
    const ExchangeSpan span = PagingSpan(model, selection);
    if (row < 0) return {};
    const int exchange = span.First + row / per;
    if (exchange > span.Last) return {};
    return {exchange, row % per + 1};
}

// The flags word of a row; null for no row.
const uint32_t* Flags(const PagingCopy& copy, int page, const RowAt& at) {
    if (at.Exchange < 1) return nullptr;
    const int e = at.Exchange - 1;
    const int i = at.Index - 1;
    switch (page) {
    case kPagingPageSubs: return &copy.SubPaging[e][i];
    case kPagingPageSpeak: return &copy.SpeakerPaging[e][i];
    case kPagingPageOutIn: return &copy.OutInZone[e][i];
    default: return nullptr;
    }
}
uint32_t* Flags(PagingCopy& copy, int page, const RowAt& at) {
    return const_cast<uint32_t*>(Flags(std::as_const(copy), page, at));
}

// The zone of a column on a row, 0 when the cell is no zone cell the row offers.
int ZoneOf(const PagingCopy& copy, int page, const RowAt& at, int column) {
    const int zone = column - PagingLeadingColumns(page) + 1;
    if (at.Exchange < 1 || zone < 1 || zone > kPagingZones) return 0;
    if (page == kPagingPageSubs && zone > ZoneCount(copy.ZoneSize[at.Exchange - 1])) return 0;
    return zone;
}

// A substation without a number or with emergency priority takes no paging.
bool SubExcluded(const SettingData& model, const RowAt& at, bool& emergency) {
    const SubData& s = model.Exchange(at.Exchange).Sub[at.Index - 1];
    emergency = s.Assigned() && s.Level == 1;
    return !s.Assigned() || s.Level == 1;
}

template <class Each>
void ForSelection(const SettingData& model, int selection, Each each) {
    const ExchangeSpan span = PagingSpan(model, selection);
    for (int e = span.First; e <= span.Last; ++e) each(e - 1);
}

ValidationResult Fail(int exchange) {
    return {.Code = kPagingTimeOut, .Message = kPagingTimeText, .Page = kPagingPageSubs, .Exchange = exchange};
}
}  // namespace

PagingCopy LoadPagingCopy(const SettingData& model) {
    PagingCopy copy;
    for (int e = 0; e < kMaxExchanges; ++e) {
        const SwitchData& sw = model.Switch[e];
        copy.ZoneSize[e] = sw.ZoneSize;
        copy.PagingTimeLimit[e] = sw.PagingTimeLimit;
        for (int s = 0; s < kSubsPerExchange; ++s) copy.SubPaging[e][s] = sw.Sub[s].Paging;
        for (int p = 0; p < kSpeakersPerExchange; ++p) copy.SpeakerPaging[e][p] = sw.SpeakerPaging[p];
        for (int i = 0; i < kExternalInputs; ++i) copy.OutInZone[e][i] = model.System.OutInZone[e][i];
    }
    return copy;
}

int PagingRowsPerExchange(int page) {
    return page == kPagingPageSubs ? kSubsPerExchange : page == kPagingPageSpeak ? kSpeakersPerExchange
                                                                                  : kExternalInputs;
}

int PagingLeadingColumns(int page) { return page == kPagingPageSubs ? 5 : 3; }

ExchangeSpan PagingSpan(const SettingData& model, int selection) {
    if (selection == kPagingSelectAll) return {1, InUse(model)};
    const int e = selection < 1 ? 1 : selection > kMaxExchanges ? kMaxExchanges : selection;
    return {e, e};
}

int PagingShownExchange(int selection) {
    return selection < 1 || selection > kMaxExchanges ? 1 : selection;
}

int PagingZoneColumns(const PagingCopy& copy, int page, int selection) {
    if (page != kPagingPageSubs) return kPagingZones;
    return ZoneCount(copy.ZoneSize[PagingShownExchange(selection) - 1]);
}

void SetZoneDigits(PagingCopy& copy, const SettingData& model, int selection, int digits) {
    if (digits != 1 && digits != 2) return;
    ForSelection(model, selection, [&](int e) { copy.ZoneSize[e] = static_cast<uint8_t>(digits); });
}

void SetPagingTimeOut(PagingCopy& copy, const SettingData& model, int selection, bool on) {
    ForSelection(model, selection, [&](int e) {
        uint32_t& t = copy.PagingTimeLimit[e];
        if (!on) t = 0;
        else if (t == 0) t = kPagingTimeMin;
    });
}

bool EditPagingTime(PagingCopy& copy, const SettingData& model, int selection, std::string_view text) {
    if (!IsAllDigits(text)) return false;
    const uint32_t value = DigitsValue(text);
    if (value < kPagingTimeMin || value > kPagingTimeMax) return false;
    ForSelection(model, selection, [&](int e) { copy.PagingTimeLimit[e] = value; });
    return true;
}

std::string PagingCellText(const PagingCopy& copy, const SettingData& model, int page, int selection, int row,
                           int column) {
    const RowAt at = At(model, page, selection, row);
    if (at.Exchange < 1) return {};
    switch (column) {
    case 0: return Format("%d", row + 1);
    case 1: return Format("%d", at.Exchange);
    case 2:
        return Format(page == kPagingPageSubs ? "%d" : page == kPagingPageSpeak ? "PA%02d" : "ch%d", at.Index);
    default: break;
    }
    if (page == kPagingPageSubs) {
        const SubData& s = model.Exchange(at.Exchange).Sub[at.Index - 1];
        if (!s.Assigned()) return {};
        if (column == 3) return s.Number.Str();
        if (column == 4) return s.Name.Str();
    }
    const int zone = ZoneOf(copy, page, at, column);
    if (zone == 0) return {};
    bool emergency = false;
    if (page == kPagingPageSubs && SubExcluded(model, at, emergency)) return emergency ? kZoneExcludedText : "";
    const uint32_t flags = *Flags(copy, page, at);
    return (flags >> (zone - 1)) & 1u ? kZoneOnText : kZoneOffText;
}

bool TogglePagingZone(PagingCopy& copy, const SettingData& model, int page, int selection, int row, int column) {
    const RowAt at = At(model, page, selection, row);
    const int zone = ZoneOf(copy, page, at, column);
    if (zone == 0) return false;
    bool emergency = false;
    if (page == kPagingPageSubs && SubExcluded(model, at, emergency)) return false;
    *Flags(copy, page, at) ^= 1u << (zone - 1);
    return true;
}

ValidationResult ValidatePaging(const PagingCopy& copy, const SettingData& model) {
    const int count = InUse(model);
    for (int e = 1; e <= count; ++e)
        if (copy.PagingTimeLimit[e - 1] > kPagingTimeMax) return Fail(e);
    for (int e = 1; e <= count; ++e)
        if (copy.PagingTimeLimit[e - 1] % kPagingTimeStep != 0) return Fail(e);
    return {};
}

bool PagingCopyDiffers(const PagingCopy& copy, const SettingData& model) { return !(copy == LoadPagingCopy(model)); }

void ApplyPaging(const PagingCopy& copy, SettingData& data) {
    for (int e = 0; e < kMaxExchanges; ++e) {
        SwitchData& sw = data.Switch[e];
        sw.ZoneSize = copy.ZoneSize[e];
        sw.PagingTimeLimit = copy.PagingTimeLimit[e];
        for (int s = 0; s < kSubsPerExchange; ++s) sw.Sub[s].Paging = copy.SubPaging[e][s];
        for (int p = 0; p < kSpeakersPerExchange; ++p) sw.SpeakerPaging[p] = copy.SpeakerPaging[e][p];
        for (int i = 0; i < kExternalInputs; ++i) data.System.OutInZone[e][i] = copy.OutInZone[e][i];
    }
}

bool CommitPaging(PagingCopy& copy, SettingData& model) {
    if (!PagingCopyDiffers(copy, model)) return false;
    ApplyPaging(copy, model);
    model.Modified = 1;
    copy = LoadPagingCopy(model);
    return true;
}

ValidationResult OverwritePaging(PagingCopy& copy, SettingData& model) {
    ValidationResult r = ValidatePaging(copy, model);
    if (r.Passed()) CommitPaging(copy, model);
    return r;
}
