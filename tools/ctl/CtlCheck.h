#pragma once
// nx420ctl check: a settings file read and validated as every editor's
// Overwrite and the station numbering check would.
#include <cstdio>
#include <string>

#include "core/Prompt.h"

// Prints OK, or one line per failing check ("<button text>: <message>", line
// breaks as " / "); json: one object instead. Returns the exit status.
int CtlCheck(const std::string& file, bool json, Prompt& prompt, std::FILE* out);
