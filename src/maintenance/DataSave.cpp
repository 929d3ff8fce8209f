#include "maintenance/DataSave.h"

#include <cstdio>

#include "maintenance/HistoryLines.h"

namespace {
template <class Record, class Line>
bool Save(const RecordRing<Record>& ring, const std::string& path, Line line) {
    std::FILE* f = std::fopen(path.c_str(), "ab");  // an existing file is added to, never emptied
    if (!f) return false;
    bool ok = true;
    for (std::int32_t i = 0; ok && i < ring.Count(); ++i) {
        const std::string text = line(ring.At(i), LineBytes::All);
        ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    }
    ok = std::fclose(f) == 0 && ok;
    return ok;
}
}  // namespace

bool SaveRing(const RecordRing<LogRecord>& ring, const std::string& path) { return Save(ring, path, LogLine); }
bool SaveRing(const RecordRing<MonitorRecord>& ring, const std::string& path) {
    return Save(ring, path, MonitorLine);
}

std::string DataSaveFailure(const char* message, const std::string& path) { return std::string(message) + "\n" + path; }
