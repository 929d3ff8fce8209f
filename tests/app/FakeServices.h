#pragma once
// Services that record what the shell asked of the link.
#include <string>
#include <vector>

#include "app/ShellState.h"

class FakeServices : public ShellServices {
public:
    std::vector<std::string> Calls;
    bool CanSendStop = false;

    void StartLink(ShellState&) override { Calls.push_back("StartLink"); }
    void StopLink(ShellState&) override { Calls.push_back("StopLink"); }
    bool CloseLinkForExit(ShellState&) override {
        Calls.push_back("CloseLinkForExit");
        return true;
    }
    void EndLink(ShellState&) override { Calls.push_back("EndLink"); }
    bool SendStopReading(ShellState&, char letter) override {
        Calls.push_back(std::string("SendStopReading ") + letter);
        return CanSendStop;
    }
};
