#pragma once
// What the log and monitor windows show of a record: one row of cell texts,
// decoded once when the record arrives, and the rules of the list: sorting by
// a column and where it scrolls when a row is added.
#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "maintenance/LogRecord.h"
#include "maintenance/MonitorRecord.h"

inline constexpr int kMaxRecordRows = 1000;
inline constexpr int kExchangeColumn = 1;  // sorted by number, every other column by text

struct RecordRow {
    std::uint64_t Sequence = 0;  // order of arrival: the oldest row goes first, sorted or not
    int Exchange = 0;
    std::vector<std::string> Cells;  // in column order: download time, exchange cell, ...
};

// The exchange value right-aligned in 6 characters.
std::string ExchangeCell(int exchange);
// Download time, exchange, log time, line 1 to 4, status.
RecordRow DecodeLogRow(const LogRecord& record);
// Download time, exchange, the monitor data up to its zero byte.
RecordRow DecodeMonitorRow(const MonitorRecord& record);

// Sorts by column: the exchange by number, the others byte by byte; rows
// with equal keys keep their order.
void SortRows(std::deque<RecordRow>& rows, int column, bool descending);

// Each column's direction: the first sort is ascending, each next one flips.
class SortDirections {
public:
    // The direction to sort column by now (true: descending); flips it.
    bool Next(int column);

private:
    std::array<bool, 16> descending_{};
};

// The top row that puts row in the middle of a page of rowsPerPage rows in a
// list of count rows, kept within the list.
int MiddleTop(int row, int rowsPerPage, int count);

// Where the list scrolls after a row was added: oldCount and oldTop are the
// rows and the top row before (before the oldest was dropped), newCount the
// rows after. A list that showed its end follows the new row; a list that
// dropped its oldest row keeps the same rows in view; otherwise it stays.
std::optional<int> ScrollTopAfterAdd(int oldCount, int oldTop, int rowsPerPage, int newCount);
