#include "editors/StationCheck.h"

#include <cstdio>

#include "editors/EditorRules.h"

namespace {
constexpr const char* kMasterDigitLengthText =
    "Master Stations (Telephones)\nIncorrect station No.digit length(%s)for Exchange %d";
constexpr const char* kMasterDuplicateMasterText =
    "Master Stations (Telephones)\nDuplicated station No.(%s) for Exchange %d\n"
    "( Master Stations (Telephones) : %d-%d )";
constexpr const char* kMasterDuplicateSubText =
    "Master Stations (Telephones)\nDuplicated station No.(%s) for Exchange %d\n( Substations : %d-%d )";
constexpr const char* kMasterSpecificNoText = "Master Stations (Telephones)\nSpecific No. for making a call is used";
constexpr const char* kSubDigitLengthText = "Substations\nIncorrect station No.digit length(%s)for Exchange %d";
constexpr const char* kSubNumberRangeText = "Substations\nStation No.(%s)for Exchange %d exceeds station No.limits.";
constexpr const char* kSubDuplicateText =
    "Substations\nDuplicated station No.(%s) for Exchange %d\n( Substations : %d-%d )";
constexpr const char* kSubSpecificNoText = "Substations\nSpecific No. for making a call is used";

// Exchanges taking part: 1..SwitchCnt, never beyond the records that exist
// (a settings file may carry any count).
int ExchangeCount(const SystemData& system) {
    return system.SwitchCnt > kMaxExchanges ? kMaxExchanges : system.SwitchCnt;
}

// Numbers compared and ranged as the exchanges hold them: unsigned, so a first
// station number that is not set (all ones) lies above every station number.
uint32_t Unsigned(int32_t value) { return static_cast<uint32_t>(value); }

// Does the number begin with the specific number for making a call of one of
// the exchange's C/O lines that has the function switched on?
bool UsesSpecificNo(const SwitchData& sw, const FixedText<6>& number) {
    if (number.Empty()) return false;
    const int first = number.Chars[0] - '0';
    for (const LineData& line : sw.Line)
        if (line.TxNumberOnOff == 1 && line.TxNumber == first) return true;
    return false;
}

StationFault Fault(int rule, int exchange, int station, const FixedText<6>& number) {
    StationFault f;
    f.Rule = rule;
    f.Exchange = exchange;
    f.Station = station;
    f.Number = number;
    return f;
}

// Rule 1.2: every other master of every exchange first, then every substation.
bool FindMasterDuplicate(const SwitchData (&sw)[kMaxExchanges], int count, int exchange, int position,
                         StationFault& fault) {
    const int32_t value = sw[exchange - 1].Master[position - 1].NumberValue;
    for (int e = 1; e <= count; ++e)
        for (int m = 1; m <= kMastersPerExchange; ++m) {
            if (e == exchange && m == position) continue;
            const MasterData& other = sw[e - 1].Master[m - 1];
            if (!other.Assigned() || other.NumberValue != value) continue;
            fault.OtherExchange = e;
            fault.OtherStation = m;
            return true;
        }
    for (int e = 1; e <= count; ++e)
        for (int s = 1; s <= kSubsPerExchange; ++s) {
            const SubData& other = sw[e - 1].Sub[s - 1];
            if (!other.Assigned() || other.NumberValue != value) continue;
            fault.OtherIsSub = true;
            fault.OtherExchange = e;
            fault.OtherStation = s;
            return true;
        }
    return false;
}

StationFault CheckMasters(const SystemData& system, const SwitchData (&sw)[kMaxExchanges], int count) {
    for (int e = 1; e <= count; ++e)
        for (int m = 1; m <= kMastersPerExchange; ++m) {
            const MasterData& master = sw[e - 1].Master[m - 1];
            if (!master.Assigned()) continue;
            if (!HasStationDigits(master.Number.View(), master.NumberValue, system.NumberSize))
                return Fault(kMasterDigitLength, e, m, master.Number);
            StationFault dup = Fault(kMasterDuplicate, e, m, master.Number);
            if (FindMasterDuplicate(sw, count, e, m, dup)) return dup;
            if (UsesSpecificNo(sw[e - 1], master.Number)) return Fault(kMasterSpecificNo, e, m, master.Number);
        }
    return {};
}

StationFault CheckSubs(const SystemData& system, const SwitchData (&sw)[kMaxExchanges], int count) {
    for (int e = 1; e <= count; ++e) {
        const SubData* subs = sw[e - 1].Sub;
        const uint32_t low = Unsigned(system.SwNumber[e - 1].Value);
        for (int s = 1; s <= kSubsPerExchange; ++s) {
            const SubData& sub = subs[s - 1];
            if (!sub.Assigned()) continue;
            if (!HasStationDigits(sub.Number.View(), sub.NumberValue, system.NumberSize))
                return Fault(kSubDigitLength, e, s, sub.Number);
            const uint32_t value = Unsigned(sub.NumberValue);
            // The last exchange's range is open upwards.
            if (value < low || (e < count && value >= Unsigned(system.SwNumber[e].Value)))
                return Fault(kSubNumberRange, e, s, sub.Number);
            for (int o = 1; o <= kSubsPerExchange; ++o) {
                if (o == s || !subs[o - 1].Assigned() || subs[o - 1].NumberValue != sub.NumberValue) continue;
                StationFault dup = Fault(kSubDuplicate, e, s, sub.Number);
                dup.OtherIsSub = true;
                dup.OtherExchange = e;
                dup.OtherStation = o;
                return dup;
            }
            if (UsesSpecificNo(sw[e - 1], sub.Number)) return Fault(kSubSpecificNo, e, s, sub.Number);
        }
    }
    return {};
}
}  // namespace

StationFault CheckStations(const SystemData& system, const SwitchData (&switches)[kMaxExchanges]) {
    const int count = ExchangeCount(system);
    StationFault fault = CheckMasters(system, switches, count);
    if (fault) return fault;
    return CheckSubs(system, switches, count);
}

StationFault CheckStations(const SettingData& data) { return CheckStations(data.System, data.Switch); }

std::string StationFaultMessage(const StationFault& f) {
    char buf[256];
    const char* number = f.Number.CStr();
    switch (f.Rule) {
    case kMasterDigitLength:
        std::snprintf(buf, sizeof buf, kMasterDigitLengthText, number, f.Exchange);
        break;
    case kMasterDuplicate:
        std::snprintf(buf, sizeof buf, f.OtherIsSub ? kMasterDuplicateSubText : kMasterDuplicateMasterText, number,
                      f.Exchange, f.OtherExchange, f.OtherStation);
        break;
    case kMasterSpecificNo:
        return kMasterSpecificNoText;
    case kSubDigitLength:
        std::snprintf(buf, sizeof buf, kSubDigitLengthText, number, f.Exchange);
        break;
    case kSubNumberRange:
        std::snprintf(buf, sizeof buf, kSubNumberRangeText, number, f.Exchange);
        break;
    case kSubDuplicate:
        std::snprintf(buf, sizeof buf, kSubDuplicateText, number, f.Exchange, f.OtherExchange, f.OtherStation);
        break;
    case kSubSpecificNo:
        return kSubSpecificNoText;
    default:
        return {};
    }
    return buf;
}
