#include "core/Clock.h"

#include <ctime>
#include <sys/time.h>

namespace {
std::function<ClockReading()> g_source;

ClockReading SystemNow() {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    std::tm tm{};
    localtime_r(&tv.tv_sec, &tm);
    ClockReading r;
    r.Year = tm.tm_year + 1900;
    r.Month = tm.tm_mon + 1;
    r.Day = tm.tm_mday;
    r.Hour = tm.tm_hour;
    r.Minute = tm.tm_min;
    r.Second = tm.tm_sec;
    r.Millisecond = static_cast<int>(tv.tv_usec / 1000);
    r.Weekday = tm.tm_wday;
    return r;
}
}  // namespace

ClockReading ClockNow() { return g_source ? g_source() : SystemNow(); }
void SetClockSource(std::function<ClockReading()> source) { g_source = std::move(source); }
