#include "maintenance/RecordKinds.h"

namespace {
constexpr const char* kDownloadTime = "      Dowdload Time";  // as existing users know it
}

const RecordKind& LogDataKind() {
    static const RecordKind kind{RecordKindId::Log, "Log Data", 'O',
                                 {{kDownloadTime, 125, true},
                                  {"Exchange", 75, true},
                                  {"Log Time", 75, true},
                                  {"Line1", 75, true},
                                  {"Line2", 75, true},
                                  {"Line3", 75, true},
                                  {"Line4", 75, true},
                                  {"Status", 150, true}}};
    return kind;
}

const RecordKind& MonitorDataKind() {
    static const RecordKind kind{RecordKindId::Monitor, "Communication Monitor", 'P',
                                 {{kDownloadTime, 125, true}, {"Exchange", 75, true}, {"Monitor Data", 2400, false}}};
    return kind;
}
