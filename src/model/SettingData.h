#pragma once
// The whole setting data of one installation: fixed capacities, no container
// grows. Arrays are 0-based; positions shown or stored are 1-based (index + 1).
// Field names are the settings-file keys.
#include <cstdint>
#include <memory>

#include "core/FixedText.h"

inline constexpr int kMaxExchanges = 16;
inline constexpr int kTieLines = 4;
inline constexpr int kExternalInputs = 4;
inline constexpr int kLinesPerExchange = 2;
inline constexpr int kRxMasters = 4;
inline constexpr int kMastersPerExchange = 4;
inline constexpr int kScanMembers = 16;
inline constexpr int kGroupMembers = 15;
inline constexpr int kMeetMembers = 3;
inline constexpr int kSubsPerExchange = 64;
inline constexpr int kSpeakersPerExchange = 16;
inline constexpr int kRemoteDialNumbers = 5;
inline constexpr int kDialRows = 1024;
inline constexpr int kMinNumberSize = 2;
inline constexpr int kMaxNumberSize = 6;
inline constexpr int32_t kNotAssigned = -1;

// A time of day: hour in the high byte, minute in the low byte, plus the text
// the editor shows (kept exactly as a settings file gave it).
struct ClockTime {
    uint16_t Value = 0;
    FixedText<5> Text;
    bool operator==(const ClockTime&) const = default;
};

// A reference to a station of any exchange; exchange 0 and station 0 is an
// empty slot.
struct MemberRef {
    uint8_t Position = 0;  // 1-based place in its list
    uint8_t Exchange = 0;  // 1..16, 0 = empty
    uint8_t Station = 0;   // master 1..4 or substation 1..64, 0 = empty
    bool Empty() const { return Exchange == 0 && Station == 0; }
    bool operator==(const MemberRef&) const = default;
};

struct MaintenanceData {
    uint8_t PcConnect = 0;  // 0 RS-232C, 1 modem, 2 socket
    uint8_t CommPort = 0;   // 0..3 = COM1..COM4
    FixedText<20> TelNo;
    bool operator==(const MaintenanceData&) const = default;
};

struct RemoteDialData {
    uint8_t TelCnt = 0;
    FixedText<32> TelNo[kRemoteDialNumbers];
    bool operator==(const RemoteDialData&) const = default;
};

struct SwNumberRec {
    uint8_t Position = 0;  // exchange 1..16
    int32_t Value = kNotAssigned;
    FixedText<6> Text;
    bool operator==(const SwNumberRec&) const = default;
};

struct SystemData {
    uint8_t SwitchCnt = 1;
    uint8_t NumberSize = 2;
    uint8_t TieLine[kTieLines] = {};
    SwNumberRec SwNumber[kMaxExchanges];
    // Bit z-1 set when paging zone z (1..19) receives the source.
    uint32_t OutInZone[kMaxExchanges][kExternalInputs] = {};
    bool operator==(const SystemData&) const = default;
};

struct FunctionData {
    uint8_t OutSend = 0;
    uint8_t AutoOutSend = 0;
    ClockTime StartTime;
    ClockTime EndTime;
    uint8_t TalkSend = 0;
    uint8_t CallCnt = 10;
    uint8_t CallTime = 0;
    uint16_t TalkTime = 0;
    bool operator==(const FunctionData&) const = default;
};

struct LineData {
    FixedText<8> Name;
    uint8_t TxNumberOnOff = 0;  // key "TxNumberON/OFF"
    uint8_t TxNumber = 0;
    uint8_t RxLine = 0;
    uint8_t RxDial = 0;
    MemberRef RxMaster[kRxMasters];
    // Display copies of the referenced masters' number and name.
    int32_t RxMasterNumber[kRxMasters] = {kNotAssigned, kNotAssigned, kNotAssigned, kNotAssigned};
    FixedText<8> RxMasterName[kRxMasters];
    bool operator==(const LineData&) const = default;
};

struct MasterData {
    uint8_t Exchange = 0;
    uint8_t Position = 0;
    int32_t NumberValue = kNotAssigned;
    FixedText<6> Number;
    FixedText<8> Name;
    uint8_t LineTx = 0;
    uint8_t Paging = 0;
    FixedText<20> TelNo;
    FixedText<6> AbsenceTelNo;
    FixedText<6> AutoAbsenceTelNo;
    FixedText<6> CnvTelNo;
    FixedText<6> NonRespTelNo;
    uint8_t ScanTime = 5;
    uint8_t ScanCnt = 16;
    MemberRef ScanSub[kScanMembers];
    uint8_t GroupCnt = 15;
    MemberRef GroupMaster[kGroupMembers];
    uint8_t MeetCnt = 3;
    MemberRef MeetMaster[kMeetMembers];
    bool Assigned() const { return NumberValue != kNotAssigned; }
    bool operator==(const MasterData&) const = default;
};

struct SubData {
    uint8_t Exchange = 0;
    uint8_t Position = 0;
    int32_t NumberValue = kNotAssigned;
    FixedText<6> Number;
    FixedText<8> Name;
    uint8_t CallSwNo = 0;
    uint8_t CallStNo = 1;
    uint8_t Level = 0;  // 0 Normal, 1 Emergency
    uint32_t Paging = 0;
    bool Assigned() const { return NumberValue != kNotAssigned; }
    bool operator==(const SubData&) const = default;
};

struct SwitchData {
    uint8_t ZoneSize = 1;
    uint32_t PagingTimeLimit = 0;
    uint8_t LineCntLimit = 3;
    LineData Line[kLinesPerExchange];
    MasterData Master[kMastersPerExchange];
    SubData Sub[kSubsPerExchange];
    uint32_t SpeakerPaging[kSpeakersPerExchange] = {};  // key "Paging" under [Speaker PA%02d]
    bool operator==(const SwitchData&) const = default;
};

struct DialEntry {
    FixedText<16> Dial;
    FixedText<4> Shot;
    bool operator==(const DialEntry&) const = default;
};

struct DirectSelectData {
    uint8_t OutMode[kMaxExchanges] = {};
    DialEntry Rows[kMaxExchanges][kMastersPerExchange][kDialRows];
    uint8_t ShotT[kMaxExchanges][kMastersPerExchange] = {};
    bool operator==(const DirectSelectData&) const = default;
};

// About 1.5 MB: always allocate it on the heap (MakeSettingData), never on the stack.
struct SettingData {
    FixedText<20> SettingPassword;
    MaintenanceData Maintenance;
    RemoteDialData RemoteDial;
    SystemData System;
    FunctionData Function[kMaxExchanges];
    SwitchData Switch[kMaxExchanges];
    DirectSelectData DirectSelect;
    uint8_t Modified = 0;
    FixedText<4095> CurrentFilePath;

    // Exchange position 1..16 to its record.
    SwitchData& Exchange(int position) { return Switch[position - 1]; }
    const SwitchData& Exchange(int position) const { return Switch[position - 1]; }
    bool operator==(const SettingData&) const = default;
};

// A new model holding the default configuration (password empty, Modified 0,
// CurrentFilePath empty).
std::unique_ptr<SettingData> MakeSettingData();

// Every field back to its default; SettingPassword, Modified and
// CurrentFilePath are left alone.
void ResetToDefaults(SettingData& data);

// The categories that carry the installation itself, without password, Modified
// and CurrentFilePath: what a settings file round trip must reproduce.
bool SameSettings(const SettingData& a, const SettingData& b);

// Member counts beyond their list's capacity (a file may carry one) taken as
// the capacity, so nothing reads past a list.
void ClampMemberCounts(SettingData& data);
