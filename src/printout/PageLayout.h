#pragma once
// The body of each category's page below the frame, and the job's pages as a
// whole.
#include <string>

#include "printout/PageOps.h"
#include "printout/PrintPlan.h"

// The title printed on line 4 (the stations and paging pages name their sheet).
std::string PageTitle(int code);
// The page's table and labels.
void LayoutBody(const PrintJob& job, int code, const PageSlice& page, PageBuilder& out);
// A whole page: frame and body; pageNo counts from 1 in the document.
PageOps LayoutPage(const PrintJob& job, int code, const PageSlice& page, int pageNo, const std::string& date);
// "%b %d, %Y" in the C locale.
std::string PrintDate(int year, int month, int day);
// The file name printed on line 1.
std::string PrintedFilePath(const PrintJob& job);
