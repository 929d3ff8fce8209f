#pragma once
// A small installation the editor tests start from: two exchanges, 3-digit
// numbers, first station numbers 100 and 200; exchange 1 has masters 180 and
// 181 and substations 101 and 102, exchange 2 has master 280 and substations
// 201 and 202. Every other station is unassigned.
#include <cstdlib>
#include <memory>
#include <string_view>

#include "model/SettingData.h"

template <class Station>
void SetStation(Station& s, std::string_view number) {
    s.Number = number;
    s.NumberValue = std::atoi(s.Number.CStr());
    s.Name = number;
}

template <class Station>
void Unassign(Station& s) {
    s.Number = "-1";
    s.NumberValue = kNotAssigned;
    s.Name.Clear();
}

inline void SetFirst(SystemData& sys, int exchange, std::string_view number) {
    SwNumberRec& rec = sys.SwNumber[exchange - 1];
    rec.Text = number;
    rec.Value = std::atoi(rec.Text.CStr());
}

inline std::unique_ptr<SettingData> MakeTwoExchangeModel() {
    auto d = MakeSettingData();
    d->System.SwitchCnt = 2;
    d->System.NumberSize = 3;
    SetFirst(d->System, 1, "100");
    SetFirst(d->System, 2, "200");
    for (SwitchData& sw : d->Switch) {
        for (MasterData& m : sw.Master) Unassign(m);
        for (SubData& s : sw.Sub) Unassign(s);
    }
    SetStation(d->Exchange(1).Master[0], "180");
    SetStation(d->Exchange(1).Master[1], "181");
    SetStation(d->Exchange(1).Sub[0], "101");
    SetStation(d->Exchange(1).Sub[1], "102");
    SetStation(d->Exchange(2).Master[0], "280");
    SetStation(d->Exchange(2).Sub[0], "201");
    SetStation(d->Exchange(2).Sub[1], "202");
    return d;
}
