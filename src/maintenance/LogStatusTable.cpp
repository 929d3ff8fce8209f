#include "maintenance/LogStatusTable.h"

#include <array>
#include <cstdio>

namespace {
// Indexed by code; a null entry has no text of its own.
constexpr std::array<const char*, 45> kListed{
    "1234567890123456789012", "Normal Sub call", "Emergency Sub call", "Master call", "C/O line call",
    "Normal call to Master", "Emerg call to Master", "Master to Master call", "C/O to Master call",
    "Call operation end", "Normal conversation", "Emergency conversation", "C/O line conversation",
    "Auto C/O call response", "Paging begin", "Emergency Paging begin", "Ext Distribution begin",
    "Scan Monitor connect", nullptr, "Conference begin", "Conference connect", "Emergency Conf begin",
    "Emergency Conf connect", "Call Forwarding log", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    "Wait station disappear", "Dialing abort", "Conversation end", "Incoming C/O abort", "Paging end",
    "Emergency Paging end", "Ext Distribution end", "Scan Monitor end", "Conference end", "Emergency Conf end",
    "Line cut off", "Call end time-limit", "Conv end time-limit", "Incoming call abort", "Forcible termination"};
}  // namespace

std::string LogStatusText(int code) {
    if (code < 0 || code > 99) return {};
    if (code < static_cast<int>(kListed.size()) && kListed[static_cast<std::size_t>(code)])
        return kListed[static_cast<std::size_t>(code)];
    char text[16];
    std::snprintf(text, sizeof text, "status%02d", code);
    return text;
}

std::string LogStatusText(char tens, char units) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!digit(tens) || !digit(units)) return {};
    return LogStatusText((tens - '0') * 10 + (units - '0'));
}
