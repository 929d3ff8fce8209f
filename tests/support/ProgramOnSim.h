#pragma once
// The real main window with the link services, COM1 mapped to nx420-sim on a
// pseudo-terminal (or to a given device), in a private folder with the scripted
// prompt. Shared by the end-to-end window tests; header-only because the pure
// test support library carries no Qt.
#include <QFile>
#include <memory>
#include <string>
#include <vector>

#include "SimProcess.h"
#include "link/SendRoutine.h"
#include "editors/EditorTransfer.h"
#include "app/LinkServices.h"
#include "app/MainFrame.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

struct ProgramOnSim {
    TempDir dir{true};
    RecordingPrompt prompt;
    ScopedAppPrompt scoped{prompt};
    SimProcess sim;
    LinkServices services;
    std::unique_ptr<CMainFrame> frame;

    // Starts the simulator (unless device is given) and the main window.
    bool Launch(const std::vector<std::string>& simOptions, const std::string& device = {}) {
        InterruptionFlag() = false;
        if (device.empty() && !sim.Start(NX420_SIM_PROGRAM, simOptions, dir.File("sim.log"))) return false;
        InstallLinkServices(services);
        frame = std::make_unique<CMainFrame>(nullptr, services);
        View().State().Connection.Ports[0] = device.empty() ? sim.Path() : device;
        frame->show();
        View().OnInitialUpdate(dir.Path() + "/");
        return true;
    }
    ~ProgramOnSim() {
        frame.reset();
        SetLinkMessageHandler(nullptr);
        SetAppServices(nullptr);
        SetEditorTransfer(nullptr);
    }
    CTR420View& View() { return *frame->View(); }
    std::uint8_t Mask() { return View().State().ActivityMask; }
    // What the simulator logged; stops it first so the log is complete.
    std::string SimLog() {
        sim.Stop();
        QFile f(QString::fromStdString(dir.File("sim.log")));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }
};
