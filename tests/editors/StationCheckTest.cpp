#include "editors/StationCheck.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "support/PopulatedSettings.h"

namespace {
struct CheckCase {
    const char* name;
    std::function<void(SettingData&)> change;
    int rule;
    int exchange, station;
    const char* message;
};

void SpecificNo(SettingData& d, int exchange, int line, int digit, int on = 1) {
    d.Exchange(exchange).Line[line - 1].TxNumber = static_cast<uint8_t>(digit);
    d.Exchange(exchange).Line[line - 1].TxNumberOnOff = static_cast<uint8_t>(on);
}

TEST(StationCheck, FirstFaultWithItsMessage) {
    const CheckCase cases[] = {
        {"consistent", [](SettingData&) {}, kStationOk, 0, 0, ""},
        {"master not digits", [](SettingData& d) { SetStation(d.Exchange(2).Master[0], "2a0"); },
         kMasterDigitLength, 2, 1,
         "Master Stations (Telephones)\nIncorrect station No.digit length(2a0)for Exchange 2"},
        {"master twice", [](SettingData& d) { SetStation(d.Exchange(2).Master[3], "181"); }, kMasterDuplicate, 1, 2,
         "Master Stations (Telephones)\nDuplicated station No.(181) for Exchange 1\n"
         "( Master Stations (Telephones) : 2-4 )"},
        // Reported from the master side, naming the substation.
        {"master equals substation", [](SettingData& d) { SetStation(d.Exchange(1).Master[1], "202"); },
         kMasterDuplicate, 1, 2,
         "Master Stations (Telephones)\nDuplicated station No.(202) for Exchange 1\n( Substations : 2-2 )"},
        {"master specific no", [](SettingData& d) { SpecificNo(d, 2, 2, 2); }, kMasterSpecificNo, 2, 1,
         "Master Stations (Telephones)\nSpecific No. for making a call is used"},
        {"specific no switched off", [](SettingData& d) { SpecificNo(d, 2, 2, 2, 0); }, kStationOk, 0, 0, ""},
        {"specific no of another exchange", [](SettingData& d) {
             SpecificNo(d, 1, 1, 2);
             SetStation(d.Exchange(2).Master[0], "380");
         }, kStationOk, 0, 0, ""},
        {"sub too short", [](SettingData& d) { SetStation(d.Exchange(2).Sub[1], "22"); }, kSubDigitLength, 2, 2,
         "Substations\nIncorrect station No.digit length(22)for Exchange 2"},
        {"sub below range", [](SettingData& d) { SetStation(d.Exchange(2).Sub[5], "150"); }, kSubNumberRange, 2, 6,
         "Substations\nStation No.(150)for Exchange 2 exceeds station No.limits."},
        {"sub reaches next exchange", [](SettingData& d) { SetStation(d.Exchange(1).Sub[5], "200"); },
         kSubNumberRange, 1, 6, "Substations\nStation No.(200)for Exchange 1 exceeds station No.limits."},
        {"last exchange open upwards", [](SettingData& d) {
             SetFirst(d.System, 3, "300");  // beyond the count: no limit
             SetStation(d.Exchange(2).Sub[63], "999");
         }, kStationOk, 0, 0, ""},
        {"sub twice", [](SettingData& d) { SetStation(d.Exchange(2).Sub[9], "201"); }, kSubDuplicate, 2, 1,
         "Substations\nDuplicated station No.(201) for Exchange 2\n( Substations : 2-10 )"},
        {"sub specific no", [](SettingData& d) {
             SpecificNo(d, 2, 1, 2);
             Unassign(d.Exchange(2).Master[0]);
         }, kSubSpecificNo, 2, 1, "Substations\nSpecific No. for making a call is used"},
        {"masters before substations", [](SettingData& d) {
             SetStation(d.Exchange(1).Sub[0], "1");
             SetStation(d.Exchange(2).Master[0], "28");
         }, kMasterDigitLength, 2, 1,
         "Master Stations (Telephones)\nIncorrect station No.digit length(28)for Exchange 2"},
        // Each master runs all its rules before the next master.
        {"one station's rules at a time", [](SettingData& d) {
             SetStation(d.Exchange(2).Master[0], "180");
             SetStation(d.Exchange(1).Master[1], "18");
         }, kMasterDuplicate, 1, 1,
         "Master Stations (Telephones)\nDuplicated station No.(180) for Exchange 1\n"
         "( Master Stations (Telephones) : 2-1 )"},
        {"exchanges beyond the count ignored", [](SettingData& d) {
             SetStation(d.Exchange(3).Master[0], "180");
             SetStation(d.Exchange(3).Sub[0], "1");
         }, kStationOk, 0, 0, ""},
        // Not set counts as all ones: nothing lies at or above it.
        {"next first number unset", [](SettingData& d) {
             d.System.SwNumber[1].Value = kNotAssigned;
             SetStation(d.Exchange(1).Sub[5], "250");
         }, kSubNumberRange, 2, 1, "Substations\nStation No.(201)for Exchange 2 exceeds station No.limits."},
        // A count beyond the records a file may carry stays within them.
        {"count beyond the records", [](SettingData& d) {
             d.System.SwitchCnt = 200;
             SetStation(d.Exchange(16).Sub[0], "500");
         }, kSubNumberRange, 16, 1, "Substations\nStation No.(500)for Exchange 16 exceeds station No.limits."},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto d = MakeTwoExchangeModel();
        c.change(*d);
        const StationFault f = CheckStations(*d);
        EXPECT_EQ(std::tuple(f.Rule, f.Exchange, f.Station), std::tuple(c.rule, c.exchange, c.station));
        EXPECT_EQ(StationFaultMessage(f), c.message);
        // The copy form runs the same rules.
        EXPECT_EQ(CheckStations(d->System, d->Switch).Rule, c.rule);
    }
    EXPECT_FALSE(CheckStations(*MakeSettingData()));  // the defaults
}
}  // namespace
