#pragma once
// The subcommands of nx420ctl, callable from tests. Each returns the process
// exit status and reports through the prompt.
#include <string>
#include <vector>

#include "core/Prompt.h"
#include "port/ConnectionOptions.h"

int CtlMain(const std::vector<std::string>& args, Prompt& prompt, std::FILE* out);
