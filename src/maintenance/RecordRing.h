#pragma once
// The last 1000 records of one kind, held for the life of the process. The
// slots are allocated once; an append past 1000 overwrites the oldest.
#include <cstdint>
#include <mutex>
#include <vector>

#include "maintenance/LogRecord.h"
#include "maintenance/MonitorRecord.h"

template <class Record>
class RecordRing {
public:
    static constexpr std::int32_t Capacity = 1000;

    RecordRing() : slots_(Capacity) {}

    // Returns the count after the append.
    std::int32_t Append(const Record& record) {
        slots_[static_cast<std::size_t>(write_)] = record;
        ++appended_;
        write_ = (write_ + 1) % Capacity;
        if (++count_ > Capacity) {
            count_ = Capacity;
            oldest_ = (oldest_ + 1) % Capacity;
        }
        return count_;
    }
    // The i-th record in ring order, 0 being the oldest; i < Count().
    const Record& At(std::int32_t i) const { return slots_[static_cast<std::size_t>((oldest_ + i) % Capacity)]; }
    void Clear() { count_ = write_ = oldest_ = 0; }

    std::int32_t Count() const { return count_; }
    std::int32_t WriteIndex() const { return write_; }
    std::int32_t OldestIndex() const { return oldest_; }
    // Every record appended since start-up, overwritten ones included.
    std::uint64_t Appended() const { return appended_; }

private:
    std::vector<Record> slots_;
    std::int32_t count_ = 0;
    std::int32_t write_ = 0;
    std::int32_t oldest_ = 0;
    std::uint64_t appended_ = 0;
};

// The main view's two rings under its one record lock, which every append,
// a window's initial load and a whole-ring save take.
struct RecordStore {
    std::mutex Lock;
    RecordRing<LogRecord> Log;
    RecordRing<MonitorRecord> Monitor;
};
