#pragma once
// Rules of the PC Port editor: how the PC reaches the exchanges (RS-232C or
// modem), which COM port, and the number the modem dials.
#include <cstdint>
#include <string>

#include "editors/EditorRules.h"
#include "model/SettingData.h"

inline constexpr const char* kIncorrectTelNoText = "Incorrect telephone No.";
inline constexpr int kTelNoMax = 20;

enum PortCheck : int { kPortOk = 0, kPortTelNo = 1 };

// The editor's working copy; the number as typed, not yet cut to the model's size.
struct PortCopy {
    std::uint8_t Method = 0;  // 0 RS-232C, 1 modem
    std::uint8_t Port = 0;    // 0..3 = COM1..COM4
    std::string TelNo;
};

PortCopy LoadPortCopy(const MaintenanceData& model);
// The number is checked only with the modem: 1 to 20 digits and "-".
ValidationResult ValidatePort(const PortCopy& copy);
// The method, the port and, with the modem, the number.
bool PortCopyDiffers(const PortCopy& copy, const MaintenanceData& model);
// The number goes into the model only with the modem, so a number nobody
// checked never reaches the settings file.
void CommitPort(const PortCopy& copy, MaintenanceData& model);
