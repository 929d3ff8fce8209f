#include "maintenance/LogRecord.h"

#include <cstdio>
#include <cstring>

void FormatArrivalTime(const ClockReading& now, char* out) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d%02d", now.Year, now.Month, now.Day,
                  now.Hour, now.Minute, now.Second);
    std::memcpy(out, buffer, 14);  // a clock reading never formats wider than this
}

LogRecord BuildLogRecord(std::string_view text, const ClockReading& now) {
    LogRecord record;
    FormatArrivalTime(now, record.Bytes);
    std::memset(record.Bytes + 14, ' ', LogRecord::TextBytes);
    const std::size_t n = text.size() < LogRecord::TextBytes ? text.size() : LogRecord::TextBytes;
    if (n) std::memcpy(record.Bytes + 14, text.data(), n);
    return record;
}
