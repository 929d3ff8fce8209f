#include "CtlJson.h"

#include <cstdio>

std::string JsonString(std::string_view text, JsonBytes bytes) {
    std::string json = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += ch;
        } else if (c == '\n') {
            json += "\\n";
        } else if (c < 0x20 || (bytes == JsonBytes::Latin1 && c > 0x7e)) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += ch;
        }
    }
    return json + '"';
}
