#include <gtest/gtest.h>

#include "maintenance/ReadingRequest.h"
#include "maintenance/RecordRing.h"
#include "maintenance/RecordRows.h"

namespace {
using Strings = std::vector<std::string>;
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

// Line 1 carries tag ("%6d", as an exchange cell).
LogRecord Log(const std::string& exchange, const std::string& status, int tag = 0) {
    char lines[32];
    std::snprintf(lines, sizeof lines, "%6d%6s%6s%6s", tag, "L2", "", "L4");
    return BuildLogRecord("o" + exchange + "123456" + lines + status, kNow);
}

TEST(RecordRingTest, WrapsAtOneThousand) {
    RecordRing<LogRecord> ring;
    const struct { int appends, count, write, oldest; } rows[] = {
        {1, 1, 1, 0}, {1000, 1000, 0, 0}, {1001, 1000, 1, 1}, {2500, 1000, 500, 500}};
    int appended = 0;
    for (const auto& r : rows) {
        while (appended < r.appends) ring.Append(Log("01", "00", appended++));
        EXPECT_EQ(std::tuple(ring.Count(), ring.WriteIndex(), ring.OldestIndex()), std::tuple(r.count, r.write, r.oldest));
        // Ring order: from the oldest kept to the newest.
        EXPECT_EQ(DecodeLogRow(ring.At(0)).Cells[3], ExchangeCell(r.appends - r.count)) << r.appends;
        EXPECT_EQ(DecodeLogRow(ring.At(r.count - 1)).Cells[3], ExchangeCell(r.appends - 1)) << r.appends;
    }
}

TEST(RecordRowTest, LogCellsStatusAndMonitorData) {
    const struct { std::string exchange, status; int value; std::string cell, statusText; } rows[] = {
        {"07", "00", 7, "     7", "1234567890123456789012"}, {"16", "18", 16, "    16", "status18"},
        {" 3", "44", 3, "     3", "Forcible termination"},  {"1 ", "45", 1, "     1", "status45"},
        {"xx", "99", 0, "     0", "status99"},              {"02", "4A", 2, "     2", ""},
        {"02", "  ", 2, "     2", ""},                      {"02", "24", 2, "     2", "status24"},
    };
    for (const auto& r : rows) {
        const RecordRow row = DecodeLogRow(Log(r.exchange, r.status, 5));
        EXPECT_EQ(row.Exchange, r.value) << r.exchange;
        EXPECT_EQ(row.Cells, (Strings{"2026-03-04 05:06:07", r.cell, "12:34:56", "     5", "    L2", "      ", "    L4",
                                      r.statusText})) << r.exchange << r.status;
    }
    const struct { std::string text, data; } monitor[] = {
        {std::string("p05005ab\0cd", 11), "ab"}, {"p05256" + std::string(256, 'x'), std::string(256, 'x')}};
    for (const auto& m : monitor)
        EXPECT_EQ(DecodeMonitorRow(*BuildMonitorRecord(m.text, kNow)).Cells,
                  (Strings{"2026-03-04 05:06:07", "     5", m.data}));
}

TEST(ReadingRequestTest, SelectorRulesAndRequestText) {
    using T = std::vector<bool>;
    const struct { int switchCnt; T ticks; std::string text, request; } rows[] = {
        {1, {true}, "1 ", "O001000000000000000"},
        {3, {true, false, true, false, false}, "1 3 ", "O001010000000000000"},
        {3, {false, true, false, false, true}, "", "O000000000000000000"},     // RESET with 2 ticked
        {3, {false, false, false, true, true}, "ALL", "O001110000000000000"},  // ALL looked at first
        {16, T(16, true), "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 ", "O001111111111111111"},
    };
    for (const auto& r : rows) {
        T ticks = r.ticks;
        ticks.resize(SelectorItems(r.switchCnt).size());
        EXPECT_EQ(SelectorText(ticks, r.switchCnt), r.text) << r.switchCnt;
        EXPECT_EQ(ReadingRequestText('O', FlagsFromTicks(ticks, r.switchCnt)), r.request) << r.switchCnt;
    }
    EXPECT_EQ(SelectorItems(1), Strings{"1"});
    EXPECT_EQ(SelectorItems(3), (Strings{"1", "2", "3", "ALL", "RESET"}));
}

TEST(SortRowsTest, ExchangeByNumberOthersByBytes) {
    std::deque<RecordRow> rows;
    for (auto [e, status] : {std::pair{"10", "01"}, {"02", "10"}, {"03", "01"}, {"02", "02"}})
        rows.push_back(DecodeLogRow(Log(e, status)));
    auto column = [&](std::size_t c) {
        Strings v;
        for (const auto& r : rows) v.push_back(r.Cells[c]);
        return v;
    };
    SortDirections directions;
    SortRows(rows, kExchangeColumn, directions.Next(kExchangeColumn));
    EXPECT_EQ(column(1), (Strings{"     2", "     2", "     3", "    10"}));
    EXPECT_EQ(column(7)[0], "Normal conversation");  // equal keys keep their order
    SortRows(rows, kExchangeColumn, directions.Next(kExchangeColumn));
    EXPECT_EQ(column(1), (Strings{"    10", "     3", "     2", "     2"}));
    SortRows(rows, 7, directions.Next(7));
    EXPECT_EQ(column(7), (Strings{"Emergency Sub call", "Normal Sub call", "Normal Sub call", "Normal conversation"}));
}

TEST(ScrollRuleTest, TopAfterAdd) {
    const struct { int oldCount, oldTop, perPage, newCount, top; } rows[] = {
        {0, 0, 10, 1, 0},          {5, 0, 10, 6, 0},           // shorter than a page
        {30, 20, 10, 31, 21},      {30, 5, 10, 31, -1},        // at the end: follows; scrolled back: stays
        {999, 989, 10, 1000, 990}, {1000, 990, 10, 1000, 990}, // full, at the end: stays at the end
        {1000, 500, 10, 1000, 499}, {1000, 0, 10, 1000, 0},    // full, scrolled back: the same rows in view
    };
    for (const auto& r : rows)
        EXPECT_EQ(ScrollTopAfterAdd(r.oldCount, r.oldTop, r.perPage, r.newCount).value_or(-1), r.top)
            << r.oldCount << " " << r.oldTop;
}

}  // namespace
