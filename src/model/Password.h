#pragma once
// The access password: read from the first line of a settings file, checked at
// start-up, changed through the New Password dialog and written back into the
// start-up file in place.
#include <string>
#include <string_view>

#include "core/FixedText.h"
#include "core/Prompt.h"

inline constexpr const char* kPasswordErrorMessage = "Incorrect setting file.\n Password Error";
inline constexpr const char* kIncorrectPassword = "Incorrect password";
inline constexpr const char* kOldPasswordNotCorrect = "Old password not correct.";
inline constexpr const char* kNewPasswordNotCorrect = "New password not correct.";
inline constexpr const char* kPasswordWriteError =
    "The password could not be written to NX420.txt.\nIt applies until the program ends.";
inline constexpr int kMaxPasswordLength = 20;

// What reading the password of a file found. A distinct result instead of
// marker texts in the password itself, so a user whose password happens to be
// "error" or "err02" is not taken for a broken file.
enum class PasswordRead {
    Password,    // the file's password (possibly empty) is now in memory
    NoFile,      // the file cannot be opened: the password in memory is empty
    KeyMissing,  // no "Password=" on the first line; the key message was shown
    Malformed,   // the value is not a valid password value (no message yet)
};

// Reads the first line of path. On Password and NoFile the password in memory
// is replaced; on KeyMissing and Malformed it is left as it was.
PasswordRead ReadFilePassword(const std::string& path, FixedText<20>& passwordInMemory, Prompt& prompt);

// Writes the 32-byte password line of password at the start of path (created
// when missing) and leaves every later line unchanged. A first line of any
// other length is replaced by rewriting the file through a temporary file, so
// the lines after it never get overwritten. False when the file cannot be
// written.
bool WritePasswordLine(const std::string& path, std::string_view password);

// The New Password dialog's checks, in their order.
enum class NewPasswordCheck { Ok = 0, OldWrong = 1, ConfirmWrong = 2 };
NewPasswordCheck CheckNewPassword(std::string_view current, std::string_view oldPassword,
                                  std::string_view newPassword, std::string_view confirmation);
