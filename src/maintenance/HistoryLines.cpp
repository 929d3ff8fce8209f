#include "maintenance/HistoryLines.h"

#include <string_view>

namespace {
std::string Line(std::string_view content, LineBytes bytes) {
    if (bytes == LineBytes::UpToZero) content = content.substr(0, content.find('\0'));
    std::string line;
    line.reserve(content.size() + 2);
    line.append(content).append("\r\n");
    return line;
}
}  // namespace

std::string LogLine(const LogRecord& record, LineBytes bytes) { return Line(record.View(), bytes); }

std::string MonitorLine(const MonitorRecord& record, LineBytes bytes) {
    const auto* start = reinterpret_cast<const char*>(record.Bytes) + 2;
    std::string_view text = record.Text();
    // Arrival time and text stand together from byte 2 on.
    return Line(std::string_view(start, 14 + text.size()), bytes);
}
