#pragma once
// nx420ctl upload and download: the whole setting data to or from the
// exchanges through the program's own sequences and transfer path, with a
// one-line progress display instead of the progress window.
#include <cstdio>
#include <string>
#include <vector>

#include "core/Prompt.h"
#include "model/SettingData.h"
#include "port/ConnectionOptions.h"

// args: FILE [--exchange N]. upload sends the settings file FILE; download
// collects into FILE's contents (the default configuration when FILE does not
// exist) and replaces FILE only when every text arrived. Returns the exit
// status: 0 only on success.
int CtlTransfer(bool upload, const std::vector<std::string>& args, const ConnectionOptions& connection,
                Prompt& prompt, std::FILE* out);

// One upload of data, or download into data, of every exchange (selected 0)
// or one, with the progress line on out; true when every text went through.
bool RunTransfer(bool upload, SettingData& data, int selected, const ConnectionOptions& connection, Prompt& prompt,
                 std::FILE* out);

// The progress line: count, total, percentage and bytes per second.
std::string TransferProgressLine(int count, int total, long long bytes, double seconds);
