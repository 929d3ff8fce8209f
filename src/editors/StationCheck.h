#pragma once
// The station numbering check: are the station numbers of the installation
// consistent with one another and with the global setting? The shell and the
// upload page run it over the model silently; the Stations editor runs it over
// its working copy and shows the fault's message.
#include <string>

#include "model/SettingData.h"

// Rule codes: tens = 1 for master stations, 2 for substations.
enum StationRule : int {
    kStationOk = 0,
    kMasterDigitLength = 11,
    kMasterDuplicate = 12,
    kMasterSpecificNo = 13,
    kSubDigitLength = 21,
    kSubNumberRange = 22,
    kSubDuplicate = 23,
    kSubSpecificNo = 24,
};

struct StationFault {
    int Rule = kStationOk;
    int Exchange = 0;  // exchange of the station at fault, 1..16
    int Station = 0;   // its position: master 1..4 or substation 1..64
    // The other station of a duplicate.
    bool OtherIsSub = false;
    int OtherExchange = 0;
    int OtherStation = 0;
    FixedText<6> Number;  // the number text at fault, as the message shows it

    bool IsMaster() const { return Rule / 10 == 1; }
    explicit operator bool() const { return Rule != kStationOk; }
};

// Over the model.
StationFault CheckStations(const SettingData& data);
// Over any station tables of the model's shape (an editor's working copy):
// SwitchCnt, NumberSize and the first station numbers come from system, the
// stations and the C/O lines' specific numbers from switches (16 exchanges).
StationFault CheckStations(const SystemData& system, const SwitchData (&switches)[kMaxExchanges]);

// The message the Stations editor shows for a fault; empty for no fault.
std::string StationFaultMessage(const StationFault& fault);
