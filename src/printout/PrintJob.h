#pragma once
// What a print request carries: the category code, the selection and its own
// copy of the data, so the sender may change or close its window while the
// printout worker draws.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/SettingData.h"

enum PrintCode : uint8_t {
    PrintAll = 0x00,
    PrintGlobalSetting = 0x01,
    PrintCallForwarding = 0x02,
    PrintMasters = 0x03,
    PrintSubstations = 0x04,
    PrintCoTrunks = 0x05,
    PrintScanMonitor = 0x06,
    PrintGroupCall = 0x07,
    PrintEmergencyConference = 0x08,
    PrintPaging = 0x09,
    PrintPcPort = 0x0B,
    PrintPublicAddress = 0x0C,
    PrintExternalSource = 0x0D,
    PrintLogData = 0x0E,
    PrintMonitor = 0x0F,
    PrintDirectSelect = 0x10,
    PrintDialingAssignment = 0x11,
};

// A station of a grid, in the order the grid shows it.
struct StationRow {
    uint8_t Exchange = 0;  // 1..16
    uint8_t Position = 0;  // master 1..4 or substation 1..64
};

struct PrintJob {
    uint8_t Code = PrintAll;
    uint8_t Exchange = 0;  // 0 = every exchange in use
    uint8_t Master = 0;    // per-master categories: 0 = every master
    std::unique_ptr<SettingData> Data;  // settings categories; CurrentFilePath is the name printed
    // Masters and substations: the grid's rows; empty prints every station in order.
    std::vector<StationRow> Rows;
    // Log data (eight texts a row) and monitor data (three texts a row).
    std::vector<std::vector<std::string>> Records;
    std::string FilePath;  // printed on line 1 when there is no Data
};

// Where a window hands its print job (the printing worker in the program).
using PrintSender = std::function<void(std::unique_ptr<PrintJob>)>;

// The first parameter of UM_PRINT_REQUEST: code in bits 24..31, exchange in 16..23.
inline int PrintRequestParam(int code, int exchange) { return (code & 0xFF) << 24 | (exchange & 0xFF) << 16; }

// The title of a category as printed; null for a code that prints nothing.
const char* PrintTitle(int code);
// The code of a printed title (nx420ctl --category); -1 when there is none.
int PrintCodeOfTitle(const std::string& title);

inline constexpr const char* kPrintAllTitle = "Printout";
