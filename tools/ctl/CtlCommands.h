#pragma once
// The subcommands of nx420ctl, callable from tests. Each returns the process
// exit status and reports through the prompt.
#include <functional>
#include <string>
#include <vector>

#include "core/Prompt.h"
#include "port/ConnectionOptions.h"

int CtlMain(const std::vector<std::string>& args, Prompt& prompt, std::FILE* out);

// A command that needs more than the rules library (send: Qt Core and the
// link); the program registers it before CtlMain. Arguments after the command.
using CtlCommand = std::function<int(const std::vector<std::string>& args, const ConnectionOptions& connection,
                                     Prompt& prompt, std::FILE* out)>;
void SetCtlCommand(const std::string& name, CtlCommand command);
