#include <gtest/gtest.h>

#include <string>

#include "maintenance/LogRecord.h"
#include "maintenance/MonitorRecord.h"

namespace {

const ClockReading kNow{2026, 3, 4, 5, 6, 7};

TEST(LogRecordTest, TimeThenFirst35Bytes) {
    const std::string full = "o01123456AAAAAABBBBBBCCCCCCDDDDDD42";
    const struct { std::string text; std::string record; } rows[] = {
        {full, "20260304050607" + full},
        {full + "extra", "20260304050607" + full},
        {"o01", "20260304050607o01" + std::string(32, ' ')},  // short text: blanks, never read past
        {"", "20260304050607" + std::string(35, ' ')},
    };
    for (const auto& r : rows) EXPECT_EQ(BuildLogRecord(r.text, kNow).View(), r.record) << r.text;
}

TEST(MonitorRecordTest, BuildsFromLengthField) {
    const std::string data256(256, 'x');
    const struct { std::string text; bool built; std::string recordText; } rows[] = {
        {"p01005abcde", true, "p01005abcde"},
        {"p01005abcdefgh", true, "p01005abcde"},         // bytes past n are not taken
        {"p01010abc", true, "p01003abc"},                // short: only what arrived
        {"p01000", true, "p01000"},
        {"p01256" + data256, true, "p01256" + data256},
        {"p01257" + data256 + "y", false, ""},           // above 256: dropped
        {"p01", false, ""},
        {"p01x05abcde", false, ""},
    };
    for (const auto& r : rows) {
        const auto record = BuildMonitorRecord(r.text, kNow);
        ASSERT_EQ(record.has_value(), r.built) << r.text;
        if (!record) continue;
        EXPECT_EQ(record->DataLength(), r.recordText.size() - 6) << r.text;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(record->Bytes + 2), 14), "20260304050607");
        EXPECT_EQ(record->Text(), r.recordText);
        EXPECT_EQ(record->Bytes[16 + r.recordText.size()], 0);
    }
}

}  // namespace
