#pragma once
// nx420ctl diff, verify and export: configurations compared, or listed, in
// the editors' own words (editors/ConfigDiff.h).
#include <cstdio>
#include <string>
#include <vector>

#include "core/Prompt.h"
#include "port/ConnectionOptions.h"

// diff A B: one line per difference, or a JSON array with json. Exit status
// 0 when equal, 1 when they differ, 2 when a file cannot be read.
int CtlDiff(const std::string& a, const std::string& b, bool json, Prompt& prompt, std::FILE* out);

// verify FILE [--exchange N]: the exchanges' data downloaded into memory and
// compared with FILE; nothing is written. What a download does not carry
// stays FILE's own and so never differs. 0 equal, 1 different, 2 when FILE
// cannot be read or the transfer fails.
int CtlVerify(const std::vector<std::string>& args, bool json, const ConnectionOptions& connection, Prompt& prompt,
              std::FILE* out);

// export FILE --csv DIR: one UTF-8 CSV file per editor, a row per place and a
// column per field. 0 on success.
int CtlExport(const std::vector<std::string>& args, Prompt& prompt, std::FILE* out);
