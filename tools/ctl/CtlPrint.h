#pragma once
// nx420ctl print: the printed report of a settings file as a PDF on A4.
#include <cstdio>
#include <string>
#include <vector>

#include "core/Prompt.h"

// args: FILE --pdf OUT [--category NAME] [--exchange N] [--master M].
int CtlPrint(const std::vector<std::string>& args, Prompt& prompt, std::FILE* out);
