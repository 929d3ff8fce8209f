#include "editors/LineRules.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr std::size_t kLongestCellInput = 50;
constexpr std::size_t kLineNameMax = 8;

bool ValidExchange(int e) { return e >= 1 && e <= kMaxExchanges; }
bool ValidLine(int l) { return l >= 1 && l <= kLinesPerExchange; }
int ExchangeCount(const SettingData& model) { return std::min<int>(model.System.SwitchCnt, kMaxExchanges); }

std::string Number(int value) { return std::to_string(value); }

// The master a slot names, when both its exchange and line lie within the records.
const MasterData* SlotMaster(const SettingData& model, const MemberRef& ref) {
    if (!ValidExchange(ref.Exchange) || ref.Station < 1 || ref.Station > kMastersPerExchange) return nullptr;
    return &model.Exchange(ref.Exchange).Master[ref.Station - 1];
}

// The slot's copies of its master's number and name, as the model holds them now.
void RefreshDisplay(LineData& line, const SettingData& model, int slot) {
    const MasterData* m = SlotMaster(model, line.RxMaster[slot]);
    line.RxMasterNumber[slot] = m ? m->NumberValue : kNotAssigned;
    line.RxMasterName[slot] = m ? m->Name.View() : std::string_view();
}

bool SameOwnFields(const LineData& a, const LineData& b) {
    if (!(a.Name == b.Name) || a.TxNumberOnOff != b.TxNumberOnOff || a.TxNumber != b.TxNumber ||
        a.RxLine != b.RxLine || a.RxDial != b.RxDial)
        return false;
    return std::equal(a.RxMaster, a.RxMaster + kRxMasters, b.RxMaster);
}

ValidationResult Fail(int code, std::string message, int field, int exchange, int line = 0, int slot = 0) {
    return {.Code = code, .Message = std::move(message), .Page = line, .Exchange = exchange, .Row = slot, .Field = field};
}

std::string Format(const char* pattern, int a, int b, int c = 0, int d = 0) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, a, b, c, d);
    return text;
}

bool Filled(const MemberRef& ref) { return ref.Exchange != 0 || ref.Station != 0; }

// Check 3 on one slot of a direct-in line; passes with Code 0.
ValidationResult CheckSlot(const SettingData& model, int e, int l, int slot, const MemberRef& ref) {
    const int field = kLineFieldGrid;
    const bool halfSet = (ref.Exchange != 0) != (ref.Station != 0);
    if (halfSet || (Filled(ref) && ref.Exchange != e)) return Fail(kLineRxInvalid, kInvalidMasterText, field, e, l, slot);
    if (!Filled(ref)) {
        if (slot == 1) return Fail(kLineRxCenter, Format(kCenterStationText, e, l), field, e, l, slot);
        return {};
    }
    const MasterData* m = SlotMaster(model, ref);
    if (!m || !m->Assigned()) return Fail(kLineRxInvalid, kInvalidMasterText, field, e, l, slot);
    return {};
}
}  // namespace

LineCopy LoadLineCopy(const SettingData& model) {
    LineCopy copy;
    for (int e = 1; e <= kMaxExchanges; ++e) {
        copy.LineCntLimit[e - 1] = model.Exchange(e).LineCntLimit;
        for (int l = 1; l <= kLinesPerExchange; ++l) copy.At(e, l) = model.Exchange(e).Line[l - 1];
    }
    return copy;
}

CellEdit EditCoTimeOut(LineCopy& copy, int exchange, std::string_view text) {
    CellEdit edit;
    if (!ValidExchange(exchange)) return edit;
    uint8_t& stored = copy.LineCntLimit[exchange - 1];
    if (text.empty()) {
        edit.Text = Number(stored);
        return edit;
    }
    const uint32_t value = IsAllDigits(text) ? DigitsValue(text) : 0;
    stored = static_cast<uint8_t>(value >= 1 && value <= kCoTimeOutMax ? value : 0);
    edit.Accepted = stored != 0;
    edit.Text = std::string(text);
    return edit;
}

CellEdit EditAccessNumber(LineCopy& copy, int exchange, int line, std::string_view text) {
    CellEdit edit;
    if (!ValidExchange(exchange) || !ValidLine(line)) return edit;
    uint8_t& stored = copy.At(exchange, line).TxNumber;
    if (text.empty()) {
        edit.Text = Number(stored);
        return edit;
    }
    const bool digit = IsAllDigits(text) && DigitsValue(text) <= kAccessNumberMax;
    stored = static_cast<uint8_t>(digit ? DigitsValue(text) : kInvalidAccessNumber);
    edit.Accepted = digit;
    edit.Text = std::string(text);
    return edit;
}

int SpinCoTimeOut(const LineCopy& copy, int exchange, int step) {
    if (!ValidExchange(exchange)) return 1;
    return std::clamp(copy.LineCntLimit[exchange - 1] + step, 1, kCoTimeOutMax);
}

int SpinAccessNumber(const LineCopy& copy, int exchange, int line, int step) {
    if (!ValidExchange(exchange) || !ValidLine(line)) return 0;
    return std::clamp(copy.At(exchange, line).TxNumber + step, 0, kAccessNumberMax);
}

CellEdit EditRxCell(LineCopy& copy, const SettingData& model, int exchange, int line, int slot, int column,
                    std::string_view text) {
    CellEdit edit;
    if (!ValidExchange(exchange) || !ValidLine(line) || slot < 1 || slot > kRxMasters) return edit;
    LineData& data = copy.At(exchange, line);
    MemberRef& ref = data.RxMaster[slot - 1];
    if (text.size() > kLongestCellInput) text = {};
    const uint32_t value = IsAllDigits(text) ? DigitsValue(text) : 0;
    if (column == kRxExchange && value >= 1 && static_cast<int>(value) <= ExchangeCount(model)) {
        ref.Exchange = static_cast<uint8_t>(value);
        edit.Accepted = true;
    } else if (column == kRxLine && value >= 1 && value <= kMastersPerExchange) {
        ref.Station = static_cast<uint8_t>(value);
        edit.Accepted = true;
    } else if (column == kRxStation && IsAllDigits(text)) {
        for (int e = 1; e <= ExchangeCount(model) && !edit.Accepted; ++e)
            for (int m = 1; m <= kMastersPerExchange && !edit.Accepted; ++m) {
                const MasterData& master = model.Exchange(e).Master[m - 1];
                if (master.Assigned() && master.Number.View() == text) {
                    ref.Exchange = static_cast<uint8_t>(e);
                    ref.Station = static_cast<uint8_t>(m);
                    edit.Accepted = true;
                }
            }
    }
    if (edit.Accepted) ref.Position = static_cast<uint8_t>(slot);
    RefreshDisplay(data, model, slot - 1);
    edit.RowChanged = true;
    edit.Text = RxCellText(copy, model, exchange, line, slot, column);
    return edit;
}

std::string RxCellText(const LineCopy& copy, const SettingData& model, int exchange, int line, int slot, int column) {
    if (!ValidExchange(exchange) || !ValidLine(line) || slot < 1 || slot > kRxMasters) return {};
    const MemberRef& ref = copy.At(exchange, line).RxMaster[slot - 1];
    const MasterData* m = SlotMaster(model, ref);
    switch (column) {
    case kRxNo: return Number(slot);
    case kRxTitle: return kRxSlotTitles[slot - 1];
    case kRxExchange: return ref.Exchange ? Number(ref.Exchange) : std::string();
    case kRxLine: return ref.Station ? Number(ref.Station) : std::string();
    case kRxStation: return m && m->Assigned() ? m->Number.Str() : std::string();
    case kRxName: return m && m->Assigned() ? m->Name.Str() : std::string();
    default: return {};
    }
}

void ClearRxStations(LineCopy& copy, const SettingData& model, int exchange, int line) {
    if (!ValidExchange(exchange) || !ValidLine(line)) return;
    LineData& data = copy.At(exchange, line);
    for (int s = 0; s < kRxMasters; ++s) {
        data.RxMaster[s] = MemberRef{static_cast<uint8_t>(s + 1), 0, 0};
        RefreshDisplay(data, model, s);
    }
}

ValidationResult ValidateLines(const SettingData& model, const LineCopy& copy) {
    const int count = ExchangeCount(model);
    for (int e = 1; e <= count; ++e) {
        const int limit = copy.LineCntLimit[e - 1];
        if (limit < 1 || limit > kCoTimeOutMax) return Fail(kLineTimeOut, kCoTimeOutText, kLineFieldTimeOut, e);
    }
    for (int e = 1; e <= count; ++e) {
        for (int l = 1; l <= kLinesPerExchange; ++l)
            if (!IsValidName(copy.At(e, l).Name.View(), kLineNameMax))
                return Fail(kLineName, kLineNameText, kLineFieldName, e, l);
        for (int l = 1; l <= kLinesPerExchange; ++l)
            if (copy.At(e, l).TxNumber > kAccessNumberMax)
                return Fail(kLineAccess, kAccessNumberText, kLineFieldAccess, e, l);
    }
    for (int e = 1; e <= count; ++e)
        for (int l = 1; l <= kLinesPerExchange; ++l) {
            const LineData& line = copy.At(e, l);
            if (!line.RxLine) continue;
            for (int s = 1; s <= kRxMasters; ++s) {
                ValidationResult r = CheckSlot(model, e, l, s, line.RxMaster[s - 1]);
                if (!r.Passed()) return r;
            }
        }
    for (int e = 1; e <= count; ++e)
        for (int l = 1; l <= kLinesPerExchange; ++l) {
            const LineData& line = copy.At(e, l);
            for (int s = 0; s < kRxMasters; ++s)
                for (int o = s + 1; o < kRxMasters; ++o) {
                    const MemberRef& a = line.RxMaster[s];
                    const MemberRef& b = line.RxMaster[o];
                    if (Filled(a) && a.Exchange == b.Exchange && a.Station == b.Station)
                        // Only a direct-in line's grid is there to take the focus.
                        return Fail(kLineRxRedundant, Format(kRedundantStationText, e, l, a.Exchange, a.Station),
                                    line.RxLine ? kLineFieldGrid : kLineFieldNone, e, l, s + 1);
                }
        }
    return {};
}

bool LineCopyDiffers(const LineCopy& copy, const SettingData& model) {
    for (int e = 1; e <= kMaxExchanges; ++e) {
        if (copy.LineCntLimit[e - 1] != model.Exchange(e).LineCntLimit) return true;
        for (int l = 1; l <= kLinesPerExchange; ++l)
            if (!SameOwnFields(copy.At(e, l), model.Exchange(e).Line[l - 1])) return true;
    }
    return false;
}

bool CommitLines(LineCopy& copy, SettingData& model) {
    if (!LineCopyDiffers(copy, model)) return false;
    for (int e = 1; e <= kMaxExchanges; ++e) {
        SwitchData& sw = model.Exchange(e);
        sw.LineCntLimit = copy.LineCntLimit[e - 1];
        for (int l = 1; l <= kLinesPerExchange; ++l) {
            sw.Line[l - 1] = copy.At(e, l);
            for (int s = 0; s < kRxMasters; ++s) RefreshDisplay(sw.Line[l - 1], model, s);
        }
    }
    model.Modified = 1;
    copy = LoadLineCopy(model);
    return true;
}

ValidationResult OverwriteLines(LineCopy& copy, SettingData& model) {
    ValidationResult r = ValidateLines(model, copy);
    if (r.Passed()) CommitLines(copy, model);
    return r;
}
