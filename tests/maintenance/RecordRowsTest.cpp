#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "maintenance/LogStatusTable.h"
#include "maintenance/ReadingRequest.h"
#include "maintenance/RecordRing.h"
#include "maintenance/RecordRows.h"

namespace {

const ClockReading kNow{2026, 3, 4, 5, 6, 7};

LogRecord Log(const std::string& exchange, const std::string& status, int tag = 0) {
    char lines[32];
    std::snprintf(lines, sizeof lines, "%6d%6s%6s%6s", tag, "L2", "", "L4");
    return BuildLogRecord("o" + exchange + "123456" + lines + status, kNow);
}

TEST(RecordRingTest, WrapsAtOneThousand) {
    RecordRing<LogRecord> ring;
    // Line 1 carries the append's number ("%6d", as an exchange cell).
    const struct { int appends; int count, write, oldest, firstTag; } rows[] = {
        {1, 1, 1, 0, 0}, {999, 999, 999, 0, 0}, {1000, 1000, 0, 0, 0}, {1001, 1000, 1, 1, 1}, {2500, 1000, 500, 500, 1500},
    };
    int appended = 0;
    for (const auto& r : rows) {
        while (appended < r.appends) EXPECT_LE(ring.Append(Log("01", "00", appended++)), 1000);
        EXPECT_EQ(ring.Count(), r.count) << r.appends;
        EXPECT_EQ(ring.WriteIndex(), r.write) << r.appends;
        EXPECT_EQ(ring.OldestIndex(), r.oldest) << r.appends;
        // Ring order starts at the oldest and runs to the newest.
        EXPECT_EQ(DecodeLogRow(ring.At(0)).Cells[3], ExchangeCell(r.firstTag)) << r.appends;
        EXPECT_EQ(DecodeLogRow(ring.At(r.count - 1)).Cells[3], ExchangeCell(r.appends - 1)) << r.appends;
    }
}

TEST(LogRowTest, CellsAndStatus) {
    const struct { std::string exchange, status; int value; std::string cell, statusText; } rows[] = {
        {"07", "00", 7, "     7", "1234567890123456789012"},
        {"16", "18", 16, "    16", "status18"},
        {" 3", "44", 3, "     3", "Forcible termination"},
        {"1 ", "45", 1, "     1", "status45"},
        {"xx", "99", 0, "     0", "status99"},
        {"02", "4A", 2, "     2", ""},
        {"02", "  ", 2, "     2", ""},
        {"02", "23", 2, "     2", "Call Forwarding log"},
        {"02", "24", 2, "     2", "status24"},
    };
    for (const auto& r : rows) {
        const RecordRow row = DecodeLogRow(Log(r.exchange, r.status, 5));
        EXPECT_EQ(row.Exchange, r.value) << r.exchange;
        EXPECT_EQ(row.Cells, (std::vector<std::string>{"2026-03-04 05:06:07", r.cell, "12:34:56", "     5", "    L2",
                                                       "      ", "    L4", r.statusText}))
            << r.exchange << r.status;
    }
    EXPECT_EQ(LogStatusText(100), "");
}

TEST(MonitorRowTest, DataUpToItsZeroByte) {
    const struct { std::string text, data; } rows[] = {
        {"p05003abc", "abc"},
        {std::string("p05005ab\0cd", 11), "ab"},
        {"p05256" + std::string(256, 'x'), std::string(256, 'x')},
    };
    for (const auto& r : rows) {
        const RecordRow row = DecodeMonitorRow(*BuildMonitorRecord(r.text, kNow));
        EXPECT_EQ(row.Cells, (std::vector<std::string>{"2026-03-04 05:06:07", "     5", r.data}));
    }
}

TEST(ReadingRequestTest, SelectorRulesAndRequestText) {
    using T = std::vector<bool>;
    const struct { int switchCnt; T ticks; std::string text, request; } rows[] = {
        {1, {true}, "1 ", "O001000000000000000"},
        {1, {false}, "", "O000000000000000000"},
        {2, {false, true, false, false}, "2 ", "O000100000000000000"},
        {3, {true, false, true, false, false}, "1 3 ", "O001010000000000000"},
        {3, {false, true, false, false, true}, "", "O000000000000000000"},  // RESET with 2 ticked
        {3, {false, false, false, true, true}, "ALL", "O001110000000000000"},  // ALL looked at first
        {16, T(16, true), "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 ", "O001111111111111111"},
    };
    for (const auto& r : rows) {
        T ticks = r.ticks;
        ticks.resize(SelectorItems(r.switchCnt).size());
        EXPECT_EQ(SelectorText(ticks, r.switchCnt), r.text) << r.switchCnt;
        const RequestFlags flags = FlagsFromTicks(ticks, r.switchCnt);
        EXPECT_EQ(ReadingRequestText('O', flags), r.request) << r.switchCnt;
        EXPECT_EQ(AnyRequested(flags), r.request.find('1') != std::string::npos);
    }
    EXPECT_EQ(SelectorItems(1), std::vector<std::string>{"1"});
    EXPECT_EQ(SelectorItems(3), (std::vector<std::string>{"1", "2", "3", "ALL", "RESET"}));
    RequestFlags flags{};
    flags[1] = flags[15] = true;  // exchange 16 beyond SwitchCnt is not shown
    EXPECT_EQ(TicksFromFlags(flags, 3), (std::vector<bool>{false, true, false, false, false}));
}

TEST(SortRowsTest, ExchangeByNumberOthersByBytes) {
    std::deque<RecordRow> rows;
    for (auto [e, status] : {std::pair{"10", "01"}, {"02", "10"}, {"03", "01"}, {"02", "02"}})
        rows.push_back(DecodeLogRow(Log(e, status)));
    auto column = [&](int c) {
        std::vector<std::string> v;
        for (const auto& r : rows) v.push_back(r.Cells[static_cast<std::size_t>(c)]);
        return v;
    };
    SortDirections directions;
    SortRows(rows, kExchangeColumn, directions.Next(kExchangeColumn));
    EXPECT_EQ(column(1), (std::vector<std::string>{"     2", "     2", "     3", "    10"}));
    EXPECT_EQ(column(7)[0], "Normal conversation");  // equal keys keep their order
    SortRows(rows, kExchangeColumn, directions.Next(kExchangeColumn));
    EXPECT_EQ(column(1), (std::vector<std::string>{"    10", "     3", "     2", "     2"}));
    SortRows(rows, 7, directions.Next(7));
    EXPECT_EQ(column(7), (std::vector<std::string>{"Emergency Sub call", "Normal Sub call", "Normal Sub call",
                                                   "Normal conversation"}));
}

TEST(ScrollRuleTest, TopAfterAdd) {
    const int none = -1;
    const struct { int oldCount, oldTop, perPage, newCount, top; } rows[] = {
        {0, 0, 10, 1, 0},        // first row
        {5, 0, 10, 6, 0},        // shorter than a page: stays at the start
        {30, 20, 10, 31, 21},    // at the end: the new row in the middle
        {30, 5, 10, 31, none},   // scrolled back: stays
        {999, 989, 10, 1000, 990},
        {1000, 990, 10, 1000, 990},  // full, at the end: stays at the end
        {1000, 500, 10, 1000, 499},  // full, scrolled back: the same rows in view
        {1000, 0, 10, 1000, 0},
    };
    for (const auto& r : rows) {
        const auto top = ScrollTopAfterAdd(r.oldCount, r.oldTop, r.perPage, r.newCount);
        EXPECT_EQ(top.value_or(none), r.top) << r.oldCount << " " << r.oldTop;
    }
}

}  // namespace
