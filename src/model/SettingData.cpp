#include "model/SettingData.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <type_traits>

namespace {
void SetNumber(int32_t value, int32_t& field, FixedText<6>& text) {
    field = value;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", static_cast<int>(value));
    text = buf;
}

void ClearMembers(MemberRef* refs, int count) {
    for (int i = 0; i < count; ++i) refs[i] = MemberRef{static_cast<uint8_t>(i + 1), 0, 0};
}

void ResetSwitch(SwitchData& sw, int exchange) {
    sw.ZoneSize = 1;
    sw.PagingTimeLimit = 0;
    sw.LineCntLimit = 3;
    for (auto& p : sw.SpeakerPaging) p = 0;
    for (auto& line : sw.Line) {
        line = LineData{};
        ClearMembers(line.RxMaster, kRxMasters);
    }
    for (int m = 0; m < kMastersPerExchange; ++m) {
        MasterData& ms = sw.Master[m];
        ms = MasterData{};
        ms.Exchange = static_cast<uint8_t>(exchange);
        ms.Position = static_cast<uint8_t>(m + 1);
        ClearMembers(ms.ScanSub, kScanMembers);
        ClearMembers(ms.GroupMaster, kGroupMembers);
        ClearMembers(ms.MeetMaster, kMeetMembers);
        if (exchange == 1) {
            SetNumber(90 + m, ms.NumberValue, ms.Number);
            ms.Name = ms.Number.View();
        } else {
            ms.Number = "-1";
        }
    }
    for (int s = 0; s < kSubsPerExchange; ++s) {
        SubData& sub = sw.Sub[s];
        sub = SubData{};
        sub.Exchange = static_cast<uint8_t>(exchange);
        sub.Position = static_cast<uint8_t>(s + 1);
        sub.CallSwNo = static_cast<uint8_t>(exchange);
        if (exchange == 1) {
            SetNumber(10 + s, sub.NumberValue, sub.Number);
            sub.Name = sub.Number.View();
        } else {
            sub.Number = "-1";
        }
    }
}

// The defaults field by field, once: a reset copies them in one go, far
// cheaper than clearing field by field, and every failed read pays it.
void BuildDefaults(SettingData& d) {
    d.Maintenance = MaintenanceData{};
    d.RemoteDial = RemoteDialData{};

    SystemData& sys = d.System;
    sys = SystemData{};
    for (int e = 0; e < kMaxExchanges; ++e) {
        SwNumberRec& rec = sys.SwNumber[e];
        rec.Position = static_cast<uint8_t>(e + 1);
        if (e + 1 <= sys.SwitchCnt) {
            SetNumber(10 * (e + 1), rec.Value, rec.Text);
        } else {
            rec.Value = kNotAssigned;
            rec.Text = "-1";
        }
    }

    for (auto& f : d.Function) {
        f = FunctionData{};
        f.StartTime.Text = "00:00";
        f.EndTime.Text = "00:00";
    }
    for (int e = 0; e < kMaxExchanges; ++e) ResetSwitch(d.Switch[e], e + 1);
    // The direct select block is all zero: ResetToDefaults clears it.
}

const SettingData& Defaults() {
    static const std::unique_ptr<SettingData> defaults = [] {
        auto d = std::make_unique<SettingData>();
        BuildDefaults(*d);
        return d;
    }();
    return *defaults;
}
}  // namespace

void ResetToDefaults(SettingData& d) {
    const SettingData& defaults = Defaults();
    d.Maintenance = defaults.Maintenance;
    d.RemoteDial = defaults.RemoteDial;
    d.System = defaults.System;
    std::copy(std::begin(defaults.Function), std::end(defaults.Function), std::begin(d.Function));
    std::copy(std::begin(defaults.Switch), std::end(defaults.Switch), std::begin(d.Switch));
    // The dial rows are nearly all of the model and all zero by default:
    // clearing them writes 1.4 MB where a copy also reads as much.
    static_assert(std::is_trivially_copyable_v<DirectSelectData>);
    std::memset(static_cast<void*>(&d.DirectSelect), 0, sizeof d.DirectSelect);
}

std::unique_ptr<SettingData> MakeSettingData() {
    auto d = std::make_unique<SettingData>();
    ResetToDefaults(*d);
    return d;
}

bool SameSettings(const SettingData& a, const SettingData& b) {
    return a.Maintenance == b.Maintenance && a.RemoteDial == b.RemoteDial && a.System == b.System &&
           std::equal(std::begin(a.Function), std::end(a.Function), std::begin(b.Function)) &&
           std::equal(std::begin(a.Switch), std::end(a.Switch), std::begin(b.Switch)) &&
           a.DirectSelect == b.DirectSelect;
}

void ClampMemberCounts(SettingData& d) {
    const auto clamp = [](uint8_t& count, int capacity) {
        if (count > capacity) count = static_cast<uint8_t>(capacity);
    };
    for (SwitchData& sw : d.Switch)
        for (MasterData& m : sw.Master) {
            clamp(m.ScanCnt, kScanMembers);
            clamp(m.GroupCnt, kGroupMembers);
            clamp(m.MeetCnt, kMeetMembers);
        }
}
