#include "editors/StationRules.h"

#include <cstdio>

namespace {
int ExchangeCount(const SystemData& system) {
    return system.SwitchCnt > kMaxExchanges ? kMaxExchanges : system.SwitchCnt;
}

ValidationResult Fail(int code, std::string message, int page, int exchange, int position, int column) {
    return {.Code = code, .Message = std::move(message), .Page = page, .Exchange = exchange, .Row = position,
            .Field = column};
}

bool CoForwardingCorrect(const FixedText<20>& telNo) {
    if (telNo.Empty()) return true;  // not set
    for (char c : telNo.View())
        if (!((c >= '0' && c <= '9') || c == '-')) return false;
    return true;
}

// A set forwarding target is either the specific number of one of the
// master's own exchange's C/O lines with that function on, or the number of an
// existing master of any exchange.
bool TargetCorrect(std::string_view target, const SystemData& system, const StationCopy& copy, int exchange) {
    if (target.empty()) return true;
    if (!IsAllDigits(target)) return false;
    if (target.size() == 1) {
        for (const LineData& line : copy.Exchange(exchange).Line)
            if (line.TxNumberOnOff == 1 && line.TxNumber == target[0] - '0') return true;
        return false;
    }
    if (target.size() != static_cast<std::size_t>(system.NumberSize)) return false;
    for (int e = 1; e <= ExchangeCount(system); ++e)
        for (const MasterData& m : copy.Exchange(e).Master)
            if (m.Assigned() && m.Number.View() == target) return true;
    return false;
}

struct TargetKind {
    FixedText<6> MasterData::*Field;
    int Code;
    const char* Message;
    int Column;
};
constexpr TargetKind kTargetKinds[] = {
    {&MasterData::AbsenceTelNo, kStationAbsence, kAbsenceText, kMasterForwarding},
    {&MasterData::AutoAbsenceTelNo, kStationAutoAbsence, kAutoAbsenceText, kMasterTimeBasedFwd},
    {&MasterData::CnvTelNo, kStationBusyTransfer, kBusyTransferText, kMasterBusyFwd},
    {&MasterData::NonRespTelNo, kStationNoAnswerTransfer, kNoAnswerTransferText, kMasterNoAnswerFwd},
};

ValidationResult CheckForwarding(const SystemData& system, const StationCopy& copy) {
    const int count = ExchangeCount(system);
    for (int e = 1; e <= count; ++e)
        for (int p = 1; p <= kMastersPerExchange; ++p) {
            const MasterData& m = copy.Exchange(e).Master[p - 1];
            if (m.Assigned() && !CoForwardingCorrect(m.TelNo))
                return Fail(kStationCoForwarding, kCoForwardingText, kPageMasters, e, p, kMasterCoForwarding);
        }
    // Each kind over every exchange and master before the next kind.
    for (const TargetKind& kind : kTargetKinds)
        for (int e = 1; e <= count; ++e)
            for (int p = 1; p <= kMastersPerExchange; ++p) {
                const MasterData& m = copy.Exchange(e).Master[p - 1];
                if (m.Assigned() && !TargetCorrect((m.*kind.Field).View(), system, copy, e))
                    return Fail(kind.Code, kind.Message, kPageMasters, e, p, kind.Column);
            }
    return {};
}

ValidationResult CheckCalledMasters(const SystemData& system, const StationCopy& copy) {
    const int count = ExchangeCount(system);
    for (int e = 1; e <= count; ++e)
        for (int p = 1; p <= kSubsPerExchange; ++p) {
            const SubData& s = copy.Exchange(e).Sub[p - 1];
            if (!s.Assigned()) continue;
            if (s.CallSwNo >= 1 && s.CallSwNo <= count && s.CallStNo >= 1 && s.CallStNo <= kMastersPerExchange &&
                copy.Exchange(s.CallSwNo).Master[s.CallStNo - 1].Assigned())
                continue;
            char buf[96];
            std::snprintf(buf, sizeof buf, kCalledMasterText, e, p);
            return Fail(kStationCalledMaster, buf, kPageSubs, e, p, kSubCalledExchange);
        }
    return {};
}
}  // namespace

std::unique_ptr<StationCopy> LoadStationCopy(const SettingData& model) {
    auto copy = std::make_unique<StationCopy>();
    for (int e = 0; e < kMaxExchanges; ++e) copy->Switch[e] = model.Switch[e];
    return copy;
}

ValidationResult StationFaultResult(const StationFault& fault) {
    if (!fault) return {};
    return Fail(fault.Rule, StationFaultMessage(fault), fault.IsMaster() ? kPageMasters : kPageSubs, fault.Exchange,
                fault.Station, fault.IsMaster() ? static_cast<int>(kMasterStation) : static_cast<int>(kSubStation));
}

ValidationResult ValidateStations(const SystemData& system, const StationCopy& copy) {
    // The numbering check covers masters before substations, so its fault
    // tells which of steps 1 and 4 failed first.
    const StationFault numbering = CheckStations(system, copy.Switch);
    if (numbering && numbering.IsMaster()) return StationFaultResult(numbering);
    ValidationResult r = CheckForwarding(system, copy);
    if (!r.Passed()) return r;
    if (numbering) return StationFaultResult(numbering);
    return CheckCalledMasters(system, copy);
}

bool StationCopyDiffers(const StationCopy& copy, const SettingData& model) {
    for (int e = 0; e < kMaxExchanges; ++e) {
        const SwitchData& c = copy.Switch[e];
        const SwitchData& m = model.Switch[e];
        for (int p = 0; p < kMastersPerExchange; ++p)
            if (!(c.Master[p] == m.Master[p])) return true;
        for (int p = 0; p < kSubsPerExchange; ++p)
            if (!(c.Sub[p] == m.Sub[p])) return true;
    }
    return false;
}

bool CommitStations(StationCopy& copy, SettingData& model) {
    if (!StationCopyDiffers(copy, model)) return false;
    for (int e = 0; e < kMaxExchanges; ++e) {
        for (int p = 0; p < kMastersPerExchange; ++p) model.Switch[e].Master[p] = copy.Switch[e].Master[p];
        for (int p = 0; p < kSubsPerExchange; ++p) model.Switch[e].Sub[p] = copy.Switch[e].Sub[p];
    }
    model.Modified = 1;
    for (int e = 0; e < kMaxExchanges; ++e) copy.Switch[e] = model.Switch[e];
    return true;
}

ValidationResult OverwriteStations(StationCopy& copy, SettingData& model) {
    ValidationResult r = ValidateStations(model.System, copy);
    if (r.Passed()) CommitStations(copy, model);
    return r;
}

StationFocus PlaceStationFocus(const ValidationResult& result, int selection) {
    StationFocus f;
    f.Page = result.Page;
    f.Column = result.Field;
    if (result.Exchange < 1 || result.Row < 1) return f;
    const int perExchange = result.Page == kPageSubs ? kSubsPerExchange : kMastersPerExchange;
    if (selection == kSelectAll) {
        f.Selection = kSelectAll;
        f.Row = (result.Exchange - 1) * perExchange + result.Row - 1;
    } else {
        f.Selection = result.Exchange;
        f.Row = result.Row - 1;
    }
    return f;
}

StationAt StationAtRow(int page, int selection, int row) {
    const int perExchange = page == kPageSubs ? kSubsPerExchange : kMastersPerExchange;
    if (row < 0) return {};
    if (selection == kSelectAll) {
        const int exchange = row / perExchange + 1;
        if (exchange > kMaxExchanges) return {};
        return {exchange, row % perExchange + 1};
    }
    if (row >= perExchange) return {};
    return {selection, row + 1};
}
