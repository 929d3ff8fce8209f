#pragma once
// Remote dialing: a master station of an exchange dials a number as if its
// user had. The checks of the three inputs, the history of the last five
// numbers (newest first) and the text that asks for it. Shared by the window
// and nx420ctl dial.
#include <string>
#include <string_view>

#include "model/SettingData.h"
#include "texts/SettingTextFields.h"

inline constexpr const char* kRemoteDialingTitle = "Remote Dialing";
inline constexpr const char* kIncorrectMasterNoText = "Incorrect master equipment No.";
inline constexpr const char* kNotRegisteredText = "Not registered";
inline constexpr const char* kIncorrectTelNoText = "Incorrect telephone No.";
inline constexpr int kMaxDialingData = 32;
// What the dialing data field takes at most; longer is refused by the check.
inline constexpr int kDialingDataField = 80;

enum class RemoteDialFault { None, Exchange, Master, NotRegistered, TelNo };

// The first failing check, in the window's order.
RemoteDialFault CheckRemoteDial(const SettingData& model, int exchange, int master, std::string_view dial);
// Its message; empty for None.
const char* RemoteDialMessage(RemoteDialFault fault);

// 1 to 32 characters: digits, A-E I O P Q R T U W X Y in either case, * # -.
bool IsDialingData(std::string_view dial);

// The number moves to the top of the history (or goes in there, the oldest
// dropped beyond five, and Modified set).
void UpdateDialHistory(RemoteDialData& history, uint8_t& modified, std::string_view dial);

// The text 'N': exchange, master and the dialing data padded to 32.
EncodedText RemoteDialText(const SettingData& model, int exchange, int master, std::string_view dial);
