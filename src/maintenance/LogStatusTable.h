#pragma once
// The two-digit status code of a log entry and its text.
#include <string>
#include <string_view>

// Codes 0 to 99; an unlisted code reads "status" and its two digits.
std::string LogStatusText(int code);
// The status field of a record: empty unless both characters are digits.
std::string LogStatusText(char tens, char units);
