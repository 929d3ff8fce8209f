#pragma once
// The text settings file: a positional, line-by-line image of SettingData
// headed by the password line.
#include <cstdio>
#include <string>
#include <string_view>

#include "core/Prompt.h"
#include "model/SettingData.h"

inline constexpr const char* kSettingsFileFilter =
    "NX420 Data Files (*.*)|*.*|NX420 Text Files (*.txt)|*.txt||";
inline constexpr const char* kSetFileWriteError = "Set file Write Error";
inline constexpr const char* kStartupSettingsFile = "NX420.txt";

enum class SettingsReadResult {
    Ok,          // the model holds the file's data
    CannotOpen,  // nothing read, model untouched; the caller decides whether to say so
    Failed,      // the model holds the defaults and CurrentFilePath is empty
};

// Reads path into data. A missing key shows the key message through prompt.
SettingsReadResult ReadSettingsFile(SettingData& data, const std::string& path, Prompt& prompt);
// The same from the file's bytes in memory.
SettingsReadResult ReadSettingsText(SettingData& data, std::string_view text, Prompt& prompt);

// Writes data to path through a temporary file renamed over the target, so a
// failed write leaves the previous file as it was. On success Modified becomes
// 0; on failure "Set file Write Error" is shown and Modified is kept. Station
// numbers that are not assigned get the text "-1" in the model first.
bool WriteSettingsFile(SettingData& data, const std::string& path, Prompt& prompt);
// The line sequence alone onto a stream; false when any write failed.
bool WriteSettings(SettingData& data, std::FILE* out);

// The 32-byte password line (with its line feed) of a password.
std::string PasswordLine(std::string_view password);

// Result of looking up a password value (the 22 characters after "Password=").
// Returns false for a malformed value.
bool DecodePasswordValue(std::string_view value, std::string& password);

// The key message of a missing key, as the reader shows it.
std::string MissingKeyMessage(std::string_view key, bool withDefaultLine = true);
