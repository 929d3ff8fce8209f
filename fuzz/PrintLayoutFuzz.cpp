// The printed pages of a model whose counts and references hold whatever a
// settings file may put there. Byte 0 picks the category, bytes 1 and 2 the
// exchange and master selected; then groups of three bytes set one number
// field (which, where, value). Every page of the job is laid out.
// One model serves every run: a fresh 1.5 MB copy took most of a run, so
// only the parts Poke can change are put back afterwards.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>

#include "printout/PageLayout.h"

namespace {
std::unique_ptr<SettingData>& Defaults() {
    static std::unique_ptr<SettingData> d = MakeSettingData();
    return d;
}

void Poke(SettingData& d, uint8_t field, uint8_t where, uint8_t value) {
    SwitchData& sw = d.Switch[where % kMaxExchanges];
    MasterData& m = sw.Master[where % kMastersPerExchange];
    SubData& s = sw.Sub[where % kSubsPerExchange];
    switch (field % 16) {
    case 0: d.System.SwitchCnt = value; break;
    case 1: m.GroupCnt = value; break;
    case 2: m.ScanCnt = value; break;
    case 3: m.MeetCnt = value; break;
    case 4: m.GroupMaster[where % kGroupMembers].Exchange = value; break;
    case 5: m.GroupMaster[where % kGroupMembers].Station = value; break;
    case 6: m.ScanSub[where % kScanMembers].Exchange = value; break;
    case 7: m.ScanSub[where % kScanMembers].Station = value; break;
    case 8: s.CallSwNo = value; break;
    case 9: s.CallStNo = value; break;
    case 10: sw.ZoneSize = value; break;
    case 11: d.Maintenance.CommPort = value; break;
    case 12: sw.Line[where % kLinesPerExchange].RxMaster[where % kRxMasters].Exchange = value; break;
    case 13: sw.Line[where % kLinesPerExchange].RxMaster[where % kRxMasters].Station = value; break;
    case 14: d.DirectSelect.OutMode[where % kMaxExchanges] = value; break;
    default: s.NumberValue = value ? value : kNotAssigned; break;
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    PrintJob job;
    job.Code = data[0] % 0x12;
    job.Exchange = data[1];
    job.Master = data[2];
    static std::unique_ptr<SettingData> model = MakeSettingData();
    job.Data = std::move(model);
    for (std::size_t i = 3; i + 2 < size; i += 3) Poke(*job.Data, data[i], data[i + 1], data[i + 2]);
    if (job.Code == PrintLogData || job.Code == PrintMonitor)
        job.Records.assign(data[1] % 50, std::vector<std::string>(data[2] % 9, std::string(data[1], 'x')));
    for (const JobSpan& span : PlanJob(job)) {
        int pageNo = span.First;
        for (const PageSlice& page : span.Pages) LayoutPage(job, span.Code, page, ++pageNo, "Dec 06, 2026");
    }
    model = std::move(job.Data);
    const SettingData& d = *Defaults();
    model->System = d.System;
    model->Maintenance = d.Maintenance;
    std::copy(std::begin(d.Switch), std::end(d.Switch), std::begin(model->Switch));
    std::copy(std::begin(d.DirectSelect.OutMode), std::end(d.DirectSelect.OutMode), std::begin(model->DirectSelect.OutMode));
    return 0;
}
