#pragma once
// What tells the Log Data and Communication Monitor windows apart.
#include <vector>

struct RecordColumn {
    const char* Title;
    int Width;
    bool Centred;
};

enum class RecordKindId { Log, Monitor };

struct RecordKind {
    RecordKindId Id;
    const char* Title;
    char Letter;  // of the request that switches reading on and off
    std::vector<RecordColumn> Columns;
};

const RecordKind& LogDataKind();
const RecordKind& MonitorDataKind();
