// What the Stations editor's grid cells show, and what an edited cell accepts.
#include <cstdio>

#include "editors/StationRules.h"

namespace {
constexpr std::size_t kNameMax = 8;
constexpr std::size_t kCoForwardingMax = 20;

bool ValidExchange(int e) { return e >= 1 && e <= kMaxExchanges; }

int ExchangeCount(const SystemData& system) {
    return system.SwitchCnt > kMaxExchanges ? kMaxExchanges : system.SwitchCnt;
}

std::string Number(int value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", value);
    return buf;
}

// The master a substation calls, when its called exchange and line are both
// set and lie within the records; null otherwise.
const MasterData* CalledMaster(const StationCopy& copy, const SubData& sub) {
    if (!ValidExchange(sub.CallSwNo) || sub.CallStNo < 1 || sub.CallStNo > kMastersPerExchange) return nullptr;
    return &copy.Exchange(sub.CallSwNo).Master[sub.CallStNo - 1];
}

bool AcceptableName(std::string_view text) { return IsValidName(text, kNameMax); }

bool AcceptableCoForwarding(std::string_view text) {
    if (text.size() > kCoForwardingMax) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '-')) return false;
    return true;
}

// A station number edit; on acceptance a station that had no number, or whose
// name was its old number, is renamed to the new number.
template <class Station>
CellEdit EditNumber(Station& station, int numberSize, std::string_view text) {
    CellEdit edit;
    // A digit count beyond what a number holds (a file may carry one) takes no number.
    if (numberSize < kMinNumberSize || numberSize > kMaxNumberSize) return edit;
    if (!IsAllDigits(text) || text.size() != static_cast<std::size_t>(numberSize)) return edit;
    const bool rename = !station.Assigned() || station.Name.View() == station.Number.View();
    station.Number = text;
    station.NumberValue = static_cast<int32_t>(DigitsValue(text));
    if (rename) station.Name = text;
    edit.Accepted = true;
    edit.RowChanged = rename;
    return edit;
}

template <class Station>
bool EditName(Station& station, std::string_view text) {
    if (!AcceptableName(text)) return false;
    station.Name = text;
    return true;
}

bool EditFlag(uint8_t& flag, std::string_view text) {
    if (text == kFlagOnText) flag = 1;
    else if (text == kFlagOffText) flag = 0;
    else return false;
    return true;
}

bool EditTarget(FixedText<6>& target, int numberSize, std::string_view text) {
    if (text.size() > static_cast<std::size_t>(numberSize) || text.size() > FixedText<6>::Capacity) return false;
    if (!text.empty() && !IsAllDigits(text)) return false;
    target = text;
    return true;
}

// A digits-only value from 1 to max.
bool EditSmallNumber(uint8_t& field, std::string_view text, int max) {
    if (!IsAllDigits(text)) return false;
    const uint32_t value = DigitsValue(text);
    if (value < 1 || value > static_cast<uint32_t>(max)) return false;
    field = static_cast<uint8_t>(value);
    return true;
}

// Called station: the number of an existing master of any exchange in use;
// the substation then calls that master.
bool EditCalledStation(SubData& sub, const StationCopy& copy, const SystemData& system, std::string_view text) {
    if (!IsAllDigits(text) || text.size() != static_cast<std::size_t>(system.NumberSize)) return false;
    for (int e = 1; e <= ExchangeCount(system); ++e)
        for (int m = 1; m <= kMastersPerExchange; ++m) {
            const MasterData& master = copy.Exchange(e).Master[m - 1];
            if (!master.Assigned() || master.Number.View() != text) continue;
            sub.CallSwNo = static_cast<uint8_t>(e);
            sub.CallStNo = static_cast<uint8_t>(m);
            return true;
        }
    return false;
}
}  // namespace

std::string MasterCellText(const StationCopy& copy, int exchange, int position, int column) {
    if (!ValidExchange(exchange) || position < 1 || position > kMastersPerExchange) return {};
    const MasterData& m = copy.Exchange(exchange).Master[position - 1];
    if (column == kMasterExchange) return Number(exchange);
    if (column == kMasterLine) return Number(position);
    if (!m.Assigned()) return {};
    switch (column) {
    case kMasterStation: return m.Number.Str();
    case kMasterName: return m.Name.Str();
    case kMasterLineAccess: return m.LineTx ? kFlagOnText : kFlagOffText;
    case kMasterEmergencyPaging: return m.Paging ? kFlagOnText : kFlagOffText;
    case kMasterCoForwarding: return m.TelNo.Str();
    case kMasterForwarding: return m.AbsenceTelNo.Str();
    case kMasterTimeBasedFwd: return m.AutoAbsenceTelNo.Str();
    case kMasterBusyFwd: return m.CnvTelNo.Str();
    case kMasterNoAnswerFwd: return m.NonRespTelNo.Str();
    default: return {};
    }
}

std::string SubCellText(const StationCopy& copy, int exchange, int position, int column) {
    if (!ValidExchange(exchange) || position < 1 || position > kSubsPerExchange) return {};
    const SubData& s = copy.Exchange(exchange).Sub[position - 1];
    if (column == kSubExchange) return Number(exchange);
    if (column == kSubLine) return Number(position);
    if (!s.Assigned()) return {};
    const MasterData* called = CalledMaster(copy, s);
    switch (column) {
    case kSubStation: return s.Number.Str();
    case kSubName: return s.Name.Str();
    case kSubCalledExchange: return s.CallSwNo ? Number(s.CallSwNo) : std::string{};
    case kSubCalledLine: return s.CallStNo ? Number(s.CallStNo) : std::string{};
    case kSubCalledStation: return called && called->Assigned() ? called->Number.Str() : std::string{};
    case kSubCalledName: return called && called->Assigned() ? called->Name.Str() : std::string{};
    case kSubPriority: return s.Level == 1 ? kLevelEmergencyText : kLevelNormalText;
    default: return {};
    }
}

CellEdit EditMasterCell(StationCopy& copy, const SystemData& system, int exchange, int position, int column,
                        std::string_view text) {
    CellEdit edit;
    if (!ValidExchange(exchange) || position < 1 || position > kMastersPerExchange) return edit;
    MasterData& m = copy.Exchange(exchange).Master[position - 1];
    if (column == kMasterStation) {
        edit = EditNumber(m, system.NumberSize, text);
    } else if (m.Assigned()) {
        // Cells of a station without a number stay empty, so nothing else of
        // it is edited.
        switch (column) {
        case kMasterName: edit.Accepted = EditName(m, text); break;
        case kMasterLineAccess: edit.Accepted = EditFlag(m.LineTx, text); break;
        case kMasterEmergencyPaging: edit.Accepted = EditFlag(m.Paging, text); break;
        case kMasterCoForwarding:
            if ((edit.Accepted = AcceptableCoForwarding(text))) m.TelNo = text;
            break;
        case kMasterForwarding: edit.Accepted = EditTarget(m.AbsenceTelNo, system.NumberSize, text); break;
        case kMasterTimeBasedFwd: edit.Accepted = EditTarget(m.AutoAbsenceTelNo, system.NumberSize, text); break;
        case kMasterBusyFwd: edit.Accepted = EditTarget(m.CnvTelNo, system.NumberSize, text); break;
        case kMasterNoAnswerFwd: edit.Accepted = EditTarget(m.NonRespTelNo, system.NumberSize, text); break;
        default: break;
        }
    }
    edit.Text = MasterCellText(copy, exchange, position, column);
    return edit;
}

CellEdit EditSubCell(StationCopy& copy, const SystemData& system, int exchange, int position, int column,
                     std::string_view text) {
    CellEdit edit;
    if (!ValidExchange(exchange) || position < 1 || position > kSubsPerExchange) return edit;
    SubData& s = copy.Exchange(exchange).Sub[position - 1];
    if (column == kSubStation) {
        edit = EditNumber(s, system.NumberSize, text);
    } else if (s.Assigned()) {
        switch (column) {
        case kSubName: edit.Accepted = EditName(s, text); break;
        case kSubCalledExchange:
            edit.Accepted = EditSmallNumber(s.CallSwNo, text, ExchangeCount(system));
            edit.RowChanged = edit.Accepted;
            break;
        case kSubCalledLine:
            edit.Accepted = EditSmallNumber(s.CallStNo, text, kMastersPerExchange);
            edit.RowChanged = edit.Accepted;
            break;
        case kSubCalledStation:
            edit.Accepted = EditCalledStation(s, copy, system, text);
            edit.RowChanged = edit.Accepted;
            break;
        case kSubPriority:
            s.Level = text == kLevelEmergencyText ? 1 : 0;
            edit.Accepted = true;
            break;
        default: break;  // the called name follows the called master; edits are ignored
        }
    }
    edit.Text = SubCellText(copy, exchange, position, column);
    return edit;
}
