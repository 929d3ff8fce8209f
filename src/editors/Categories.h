#pragma once
// The category panel: its five groups and seventeen buttons, in panel order.
#include <array>

enum class Category {
    GlobalSetting,
    Stations,
    CoTrunks,
    GroupCall,
    CallForwarding,
    ScanMonitor,
    Paging,
    EmergencyConference,
    DirectSelect,
    RemoteDialing,
    LogData,
    CommunicationMonitor,
    UploadDownload,
    Printout,
    PcPort,
    DialingAssignment,
    Exit,
};
inline constexpr int kCategoryCount = 17;

struct CategoryButton {
    Category Id;
    const char* Caption;
    int Group;  // index into kCategoryGroups
};

inline constexpr std::array<const char*, 5> kCategoryGroups{
    "System", "Lines", "Functions", "Maintenance/Control Functions", "NX-420DI"};

inline constexpr std::array<CategoryButton, kCategoryCount> kCategoryButtons{{
    {Category::GlobalSetting, "Global Setting", 0},
    {Category::Stations, "Stations", 0},
    {Category::CoTrunks, "C/O Trunks", 1},
    {Category::GroupCall, "Group Call", 2},
    {Category::CallForwarding, "Call Forwarding/Time-Out", 2},
    {Category::ScanMonitor, "Scan Monitor", 2},
    {Category::Paging, "Paging", 2},
    {Category::EmergencyConference, "Emergency Conference", 2},
    {Category::RemoteDialing, "Remote Dialing", 3},
    {Category::LogData, "Log Data", 3},
    {Category::CommunicationMonitor, "Communication Monitor", 3},
    {Category::UploadDownload, "Upload/Download", 3},
    {Category::Printout, "Printout", 3},
    {Category::PcPort, "PC Port", 3},
    {Category::Exit, "Exit", 3},
    {Category::DirectSelect, "Direct Select", 4},
    {Category::DialingAssignment, "Dialing Assignment", 4},
}};
