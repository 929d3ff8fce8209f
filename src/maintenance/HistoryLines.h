#pragma once
// One history file line per record, CR LF ended.
#include <string>

#include "maintenance/LogRecord.h"
#include "maintenance/MonitorRecord.h"

// The automatic files write a record as a character string, so it ends at its
// first zero byte; Data Save writes every byte.
enum class LineBytes { UpToZero, All };

// The 49 characters of the record.
std::string LogLine(const LogRecord& record, LineBytes bytes);
// The 14 characters of the arrival time, then the n + 6 characters of the text.
std::string MonitorLine(const MonitorRecord& record, LineBytes bytes);
