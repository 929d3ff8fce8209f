#include <cstdio>
#include <string>
#include <vector>

#include "CtlCommands.h"
#include "CtlSend.h"
#include "CtlTransfer.h"
#include "StderrPrompt.h"

int main(int argc, char** argv) {
    StderrPrompt prompt;
    SetCtlCommand("send", [](const std::vector<std::string>& args, const ConnectionOptions& connection, Prompt& p,
                             std::FILE* out) { return CtlSend(args.at(0), connection, p, out); });
    for (const bool upload : {true, false})
        SetCtlCommand(upload ? "upload" : "download",
                      [upload](const std::vector<std::string>& args, const ConnectionOptions& connection, Prompt& p,
                               std::FILE* out) { return CtlTransfer(upload, args, connection, p, out); });
    return CtlMain(std::vector<std::string>(argv + 1, argv + argc), prompt, stdout);
}
