#pragma once
// A JSON string of nx420ctl's output. Quotes, backslashes and control bytes
// are escaped; bytes above 127 pass as they are (UTF-8 text) or become
// \u00XX, the byte as a Latin-1 code point (the program's 8-bit messages), so
// that such output is ASCII and valid JSON whatever bytes a file held.
#include <string>
#include <string_view>

enum class JsonBytes { Utf8, Latin1 };

std::string JsonString(std::string_view text, JsonBytes bytes);
