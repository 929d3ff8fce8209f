#include "maintenance/HistoryNames.h"

#include <cstdio>

namespace {
std::string InFolder(std::string_view folder, const std::string& name) {
    if (folder.empty()) return name;
    std::string path(folder);
    if (path.back() != '/') path += '/';  // the root folder is "/" already
    return path + name;
}

// Two decimal digits at text[at], or -1.
int TwoDigits(std::string_view text, std::size_t at) {
    if (at + 2 > text.size()) return -1;
    const char a = text[at], b = text[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
    return (a - '0') * 10 + (b - '0');
}
}  // namespace

std::string AutoFileName(std::string_view folder, std::string_view prefix, const HistoryDate& date, int sequence) {
    char name[64];
    std::snprintf(name, sizeof name, "%.*s%02d%02d%02d-%02d.txt", static_cast<int>(prefix.size()), prefix.data(),
                  date.Year, date.Month, date.Day, sequence);
    return InFolder(folder, name);
}

std::string DataSaveName(std::string_view folder, std::string_view prefix, const ClockReading& now) {
    char name[64];
    std::snprintf(name, sizeof name, "%.*s%02d%02d%02d%02d%02d%02d.txt", static_cast<int>(prefix.size()),
                  prefix.data(), now.Year % 100, now.Month, now.Day, now.Hour, now.Minute, now.Second);
    return InFolder(folder, name);
}

StoredName ParseStoredName(std::string_view name) {
    StoredName stored;
    const std::size_t dash = name.rfind('-');
    if (name.size() < 16 || dash == std::string_view::npos || dash < 9) return stored;
    const HistoryDate date{TwoDigits(name, dash - 6), TwoDigits(name, dash - 4), TwoDigits(name, dash - 2)};
    const int sequence = TwoDigits(name, dash + 1);
    // Digits that are not digits make the name as unusable as a short one.
    if (date.Year < 0 || date.Month < 0 || date.Day < 0 || sequence < 0) return stored;
    stored.Date = date;
    stored.Sequence = sequence;
    // The root folder's own '/' is the one before the prefix.
    stored.Folder = dash == 9 && name[0] == '/' ? std::string("/") : std::string(name.substr(0, dash - 9));
    return stored;
}

std::string ChosenFolder(std::string_view path) {
    std::string folder(path);
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}
