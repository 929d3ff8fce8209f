#pragma once
// NX420work.txt: the names of the current automatic history files, kept
// between runs. Three lines, each ended by LF: "[File Name]", "History=<name>",
// "Monitor=<name>".
#include <string>

#include "core/Prompt.h"

struct WorkFileNames {
    std::string History;
    std::string Monitor;
};

// Reads path. A missing key shows the settings file's key message; on any
// failure (missing key, no file, unreadable) the names are empty and the file
// is written anew at once. A missing file says nothing.
WorkFileNames ReadWorkFile(const std::string& path, Prompt& prompt);

// Writes the three lines through a temporary file renamed over path, and
// leaves the file read-only (0444), as the program's own record of its files.
bool WriteWorkFile(const std::string& path, const WorkFileNames& names);

// Where the work file lives: in baseDirectory when that folder may be written,
// else in $XDG_STATE_HOME/nx420/ (default ~/.local/state/nx420/), made if
// missing, so that an installed program still remembers its files.
std::string WorkFileFolder(const std::string& baseDirectory);
