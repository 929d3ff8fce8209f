#pragma once
// nx420ctl capture: an unattended call logger. Switches log (or monitor)
// reading on at the chosen exchanges, prints every record as a tab-separated
// line and writes the history files as the program does, until a signal or
// the time given; then switches reading off again.
#include <cstdio>
#include <string>
#include <vector>

#include "core/Prompt.h"
#include "port/ConnectionOptions.h"

// The program's work file, as the program finds it from its own folder.
std::string CtlWorkFile();

// args: the words after "capture". workFile: where the history files' names
// are remembered (the program's own work file).
int CtlCapture(const std::vector<std::string>& args, const ConnectionOptions& connection,
               const std::string& workFile, Prompt& prompt, std::FILE* out);
