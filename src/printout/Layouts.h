#pragma once
// The bodies of the pages, by family, and what they share.
#include <string>

#include "printout/PageOps.h"
#include "printout/PrintPlan.h"

void LayoutRecords(const PrintJob& job, int code, const PageSlice& page, PageBuilder& out);
void LayoutMembers(const SettingData& data, int code, const PageSlice& page, PageBuilder& out);
void LayoutStations(const PrintJob& job, int code, const PageSlice& page, PageBuilder& out);
void LayoutSettings(const SettingData& data, int code, const PageSlice& page, PageBuilder& out);

std::string Format(const char* format, int value);
// "%2d", or nothing for 0.
std::string NumberOrBlank(int value);
inline std::string Mark(bool on) { return on ? "v" : "-"; }
// The station a reference names, or null when it lies outside the tables.
const MasterData* MasterAt(const SettingData& data, int exchange, int position);
const SubData* SubAt(const SettingData& data, int exchange, int position);
// "Exchange" and its number on line 6.
void ExchangeLabel(PageBuilder& out, int exchange);
