#include <cstdio>
#include <string>
#include <vector>

#include "CtlCommands.h"
#ifdef NX420_CTL_SEND
#include "CtlSend.h"
#include "CtlTransfer.h"
#endif
#include "StderrPrompt.h"

int main(int argc, char** argv) {
    StderrPrompt prompt;
#ifdef NX420_CTL_SEND
    SetCtlCommand("send", [](const std::vector<std::string>& args, const ConnectionOptions& connection, Prompt& p,
                             std::FILE* out) { return CtlSend(args.at(0), connection, p, out); });
    for (const bool upload : {true, false})
        SetCtlCommand(upload ? "upload" : "download",
                      [upload](const std::vector<std::string>& args, const ConnectionOptions& connection, Prompt& p,
                               std::FILE* out) { return CtlTransfer(upload, args, connection, p, out); });
#endif
    return CtlMain(std::vector<std::string>(argv + 1, argv + argc), prompt, stdout);
}
