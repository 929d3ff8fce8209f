// Any received text as a log or monitor text: the record and the row built
// from it stay within their bounds, and a row's cells have their fixed widths.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "maintenance/RecordRows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ClockReading now{2026, 12, 31, 23, 59, 59};
    const RecordRow log = DecodeLogRow(BuildLogRecord(text, now));
    if (log.Cells.size() != 8 || log.Cells[0].size() != 19 || log.Exchange > 99) std::abort();
    if (auto monitor = BuildMonitorRecord(text, now)) {
        const RecordRow row = DecodeMonitorRow(*monitor);
        if (row.Cells.size() != 3 || row.Cells[2].size() > MonitorRecord::MaxData) std::abort();
    }
    return 0;
}
