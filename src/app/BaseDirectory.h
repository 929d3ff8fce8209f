#pragma once
// Where the program keeps its work file: the folder of the program file, or
// the folder above it when the program lies in a "bin" folder.
#include <string>

inline constexpr const char* kWorkFileName = "NX420work.txt";

// programPath is the program file's absolute path. The result ends with '/'.
std::string BaseDirectory(const std::string& programPath);

// The work file in the base directory, or in the user's state folder when the
// base directory may not be written (an installed program).
std::string WorkFilePath(const std::string& baseDirectory);
