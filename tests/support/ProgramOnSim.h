#pragma once
// The real program's parts (main window, link, progress window) with COM1
// mapped to nx420-sim on a pseudo-terminal (or to a given device), in a
// private folder with the scripted prompt. Shared by the end-to-end window
// tests; header-only because the pure test support library carries no Qt.
#include <QApplication>
#include <QFile>
#include <QtCore/qtestsupport_core.h>
#include <memory>
#include <string>
#include <vector>

#include "SimProcess.h"
#include "app/Application.h"
#include "link/TransferEngine.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "texts/SettingTextFields.h"

struct ProgramOnSim {
    TempDir dir{true};
    RecordingPrompt prompt;
    ScopedAppPrompt scoped{prompt};
    SimProcess sim;
    std::unique_ptr<Program> program;
    std::unique_ptr<TransferEngine> engine;

    // Starts the simulator (unless device is given) and the main window.
    bool Launch(const std::vector<std::string>& simOptions, const std::string& device = {}) {
        if (device.empty() && !sim.Start(NX420_SIM_PROGRAM, simOptions, dir.File("sim.log"))) return false;
        ConnectionOptions connection;
        connection.Ports[0] = device.empty() ? sim.Path() : device;
        connection.Modem = connection.Ports[0];  // used only when the settings say modem
        program = MakeProgram(connection, nullptr);
        program->Frame->show();
        View().OnInitialUpdate(dir.Path() + "/");
        return true;
    }
    // Launches with a transfer engine on the link and waits for the start-up open to end.
    bool Start(const std::vector<std::string>& simOptions, const std::string& device = {}) {
        if (!Launch(simOptions, device)) return false;
        engine = std::make_unique<TransferEngine>(Link());
        return QTest::qWaitFor([&] { return Mask() == 0; }, 30000);
    }
    // The engine's result code once it has ended, -1 when it has not in time.
    int Outcome() { return QTest::qWaitFor([&] { return !engine->Running(); }, 30000) ? engine->Outcome() : -1; }
    CMainFrame& Frame() { return *program->Frame; }
    CTR420View& View() { return *program->Frame->View(); }
    LinkSession& Link() { return program->Link.Session(); }
    std::uint8_t Mask() { return program->State.ActivityMask; }
    bool ProgressShown() {
        ProgressWindow* w = program->Link.Progress().Window();
        return w && w->isVisible();
    }
    // What the simulator logged; stops it first so the log is complete.
    std::string SimLog() {
        sim.Stop();
        QFile f(QString::fromStdString(dir.File("sim.log")));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }
    // The texts the simulator acknowledged, in order (it logs a text's first 48 characters).
    std::vector<std::string> Acknowledged() {
        std::vector<std::string> texts;
        for (const QString& line : QString::fromStdString(SimLog()).split('\n'))
            if (line.startsWith("sim: rx ") && line.endsWith(" ACK"))
                texts.push_back(line.mid(8, line.size() - 12).toStdString());
        return texts;
    }
};

// Texts "F01..." to "F0n...": a small editor's upload.
inline std::vector<EncodedText> SmallUploadTexts(int n) {
    std::vector<EncodedText> texts(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string t = "F0" + std::to_string(i + 1) + std::string(8, '0');
        texts[i].Length = static_cast<uint32_t>(t.size());
        t.copy(texts[i].Text, t.size());
    }
    return texts;
}
