#include "maintenance/RecordRows.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "maintenance/LogStatusTable.h"

namespace {
// "YYYY-MM-DD hh:mm:ss" from 14 characters "YYYYMMDDhhmmss".
std::string DownloadTime(const char* t) {
    std::string s(t, 4);
    s += '-', s.append(t + 4, 2), s += '-', s.append(t + 6, 2), s += ' ';
    s.append(t + 8, 2), s += ':', s.append(t + 10, 2), s += ':', s.append(t + 12, 2);
    return s;
}

// The digits at the start of a two-character field, blanks before them skipped.
int ExchangeValue(const char* field) {
    int i = 0, value = 0;
    while (i < 2 && field[i] == ' ') ++i;
    for (; i < 2 && field[i] >= '0' && field[i] <= '9'; ++i) value = value * 10 + (field[i] - '0');
    return value;
}
}  // namespace

std::string ExchangeCell(int exchange) {
    char cell[16];
    std::snprintf(cell, sizeof cell, "%6d", exchange);
    return cell;
}

RecordRow DecodeLogRow(const LogRecord& record) {
    const char* b = record.Bytes;
    RecordRow row;
    row.Exchange = ExchangeValue(b + 15);
    row.Cells.reserve(8);
    row.Cells.push_back(DownloadTime(b));
    row.Cells.push_back(ExchangeCell(row.Exchange));
    std::string logTime(b + 17, 2);
    logTime += ':', logTime.append(b + 19, 2), logTime += ':', logTime.append(b + 21, 2);
    row.Cells.push_back(std::move(logTime));
    for (int line = 0; line < 4; ++line) row.Cells.emplace_back(b + 23 + 6 * line, 6);
    row.Cells.push_back(LogStatusText(b[47], b[48]));
    return row;
}

RecordRow DecodeMonitorRow(const MonitorRecord& record) {
    const char* b = reinterpret_cast<const char*>(record.Bytes);
    RecordRow row;
    row.Exchange = ExchangeValue(b + 17);
    row.Cells.reserve(3);
    row.Cells.push_back(DownloadTime(b + 2));
    row.Cells.push_back(ExchangeCell(row.Exchange));
    // Up to the zero byte, and never past the record even when it has none.
    const char* data = b + 22;
    const std::size_t room = MonitorRecord::Size - 22;
    row.Cells.emplace_back(data, strnlen(data, room));
    return row;
}

void SortRows(std::deque<RecordRow>& rows, int column, bool descending) {
    const auto c = static_cast<std::size_t>(column);
    auto less = [column, c](const RecordRow& a, const RecordRow& b) {
        if (column == kExchangeColumn) return a.Exchange < b.Exchange;
        if (c >= a.Cells.size() || c >= b.Cells.size()) return a.Cells.size() < b.Cells.size();
        return a.Cells[c] < b.Cells[c];  // char_traits<char> compares as unsigned bytes
    };
    if (descending)
        std::stable_sort(rows.begin(), rows.end(), [&](const RecordRow& a, const RecordRow& b) { return less(b, a); });
    else
        std::stable_sort(rows.begin(), rows.end(), less);
}

bool SortDirections::Next(int column) {
    if (column < 0 || column >= static_cast<int>(descending_.size())) return false;
    bool& d = descending_[static_cast<std::size_t>(column)];
    const bool now = d;
    d = !d;
    return now;
}

int MiddleTop(int row, int rowsPerPage, int count) {
    const int top = row - rowsPerPage / 2;
    return std::max(0, std::min(top, count - rowsPerPage));
}

std::optional<int> ScrollTopAfterAdd(int oldCount, int oldTop, int rowsPerPage, int newCount) {
    // "Showed the end": the last row was on the page, also in a list shorter
    // than a page.
    if (oldCount == 0 || oldTop >= oldCount - rowsPerPage) return MiddleTop(newCount - 1, rowsPerPage, newCount);
    // The oldest row was dropped: the page moves up with its rows.
    if (oldCount >= kMaxRecordRows) return MiddleTop(oldTop + rowsPerPage / 2 - 1, rowsPerPage, newCount);
    return std::nullopt;
}
