#include <string>
#include <vector>

#include "CtlCommands.h"
#include "StderrPrompt.h"

int main(int argc, char** argv) {
    StderrPrompt prompt;
    return CtlMain(std::vector<std::string>(argv + 1, argv + argc), prompt, stdout);
}
