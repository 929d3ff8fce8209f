#pragma once
// Every configuration the tests start from, built from one set of helpers.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "core/Clock.h"
#include "model/SettingData.h"

// Every field off its default (names with katakana bytes, every station
// assigned, every dialing row filled), deterministic for a seed.
void FillPopulatedSettings(SettingData& data, uint32_t seed = 1);
// The same generator with gaps: stations not assigned, empty and half-empty
// member slots, dialing rows left empty, values anywhere their link fields allow.
void FillSparseSettings(SettingData& data, int switchCnt, uint32_t seed);
// A small hand-made configuration whose texts the encoder test spells out.
void FillSampleSettings(SettingData& data);

// Two exchanges, 3-digit numbers, first station numbers 100 and 200; exchange 1
// has masters 180 and 181 and substations 101 and 102, exchange 2 has master
// 280 and substations 201 and 202. Every other station is unassigned.
std::unique_ptr<SettingData> MakeTwoExchangeModel();

// A station's number and value; its name is the number unless given.
template <class Station>
void SetStation(Station& s, std::string_view number, const char* name = nullptr) {
    s.Number = number;
    s.NumberValue = std::atoi(s.Number.CStr());
    s.Name = name ? std::string_view(name) : number;
}
template <class Station>
void Unassign(Station& s) {
    s.Number = "-1";
    s.NumberValue = kNotAssigned;
    s.Name.Clear();
}
void SetFirst(SystemData& sys, int exchange, std::string_view number);

// Fixes the clock (by default at Sunday 2026-12-06 07:05:09) for the life of the object.
struct FixedClock {
    explicit FixedClock(const ClockReading& r = {2026, 12, 6, 7, 5, 9, 0}) { Set(r); }
    ~FixedClock() { SetClockSource({}); }
    void Set(const ClockReading& r) { SetClockSource([r] { return r; }); }
};
