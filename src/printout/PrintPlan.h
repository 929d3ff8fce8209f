#pragma once
// Which pages a job prints: the pages of each category for the selection, and
// the order of the categories in the job that prints them all.
#include <vector>

#include "printout/PrintJob.h"

// One page of a category: its exchange and part (master index, or page of
// the exchange), or the slice of rows it prints.
struct PageSlice {
    int Exchange = 0;
    int Part = 0;
    int First = 0;
    int Count = 0;
};

// A category's stretch of the document.
struct JobSpan {
    int Code = 0;
    int First = 0;  // 0-based page of the document
    std::vector<PageSlice> Pages;
};

inline constexpr int kLogRowsPerPage = 40;
inline constexpr int kMonitorRowsPerPage = 12;
inline constexpr int kSubsPerPage = 40;
inline constexpr int kMastersPerPage = 16;

// The exchanges in use, 1..16 whatever the file said.
int ExchangesInUse(const SettingData& data);
// The pages of one category for the job's selection (none for a code that
// prints nothing, or for an empty table of records).
std::vector<PageSlice> CategoryPages(const PrintJob& job, int code);
// The job's categories in print order with their pages: one for a single
// category, the twelve of the "all" column for code 0.
std::vector<JobSpan> PlanJob(const PrintJob& job);
int JobPageCount(const std::vector<JobSpan>& spans);

// The stations a masters or substations page prints: the grid's rows, or
// every station of the selection in order.
std::vector<StationRow> StationRows(const PrintJob& job, int code);
// Rows of a master's dialing table that hold a dial or a door lock.
std::vector<int> PrintedDialRows(const SettingData& data, int exchange, int master);
