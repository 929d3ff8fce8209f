#pragma once
// "Data Save": the whole ring of one kind appended to a file of its own, every
// byte of each record, oldest first. The caller holds the record lock.
#include <string>

#include "maintenance/RecordRing.h"

// False when the file could not be opened or a line not written.
bool SaveRing(const RecordRing<LogRecord>& ring, const std::string& path);
bool SaveRing(const RecordRing<MonitorRecord>& ring, const std::string& path);

// What a failed save says: the kind's message and the file's name.
std::string DataSaveFailure(const char* message, const std::string& path);
