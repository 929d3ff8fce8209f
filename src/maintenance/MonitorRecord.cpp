#include "maintenance/MonitorRecord.h"

#include <cstdio>
#include <cstring>

#include "maintenance/LogRecord.h"

std::optional<MonitorRecord> BuildMonitorRecord(std::string_view text, const ClockReading& now) {
    if (text.size() < 6) return std::nullopt;
    std::size_t n = 0;
    for (std::size_t i = 3; i < 6; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        n = n * 10 + static_cast<std::size_t>(text[i] - '0');
    }
    if (n > MonitorRecord::MaxData) return std::nullopt;
    if (n > text.size() - 6) n = text.size() - 6;

    MonitorRecord record;
    record.Bytes[0] = static_cast<std::uint8_t>(n & 0xFF);
    record.Bytes[1] = static_cast<std::uint8_t>(n >> 8);
    FormatArrivalTime(now, reinterpret_cast<char*>(record.Bytes + 2));
    std::uint8_t* out = record.Bytes + MonitorRecord::TextOffset;
    std::memcpy(out, text.data(), n + 6);
    char digits[8];
    std::snprintf(digits, sizeof digits, "%03zu", n);
    std::memcpy(out + 3, digits, 3);
    out[n + 6] = 0;
    return record;
}
