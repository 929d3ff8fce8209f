#pragma once
// The one source of the date and time written into texts and records, so tests
// can fix it.
#include <functional>

struct ClockReading {
    int Year = 2000;   // four digits
    int Month = 1;     // 1..12
    int Day = 1;       // 1..31
    int Hour = 0;      // 0..23
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
    int Weekday = 0;   // 0 = Sunday .. 6 = Saturday
};

ClockReading ClockNow();
// Replace the clock (tests); an empty function restores the system clock.
void SetClockSource(std::function<ClockReading()> source);
