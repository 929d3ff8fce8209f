#pragma once
// nx420ctl and nx420-sim run as a user runs them, in a test's own folder.
#include <QProcess>
#include <QStringList>

#include "SimProcess.h"
#include "support/TempDir.h"

struct CtlRun {
    int status = -1;  // also when it crashed or did not end
    QString out, err;
};

inline CtlRun Ctl(const TempDir& dir, const QStringList& args, const QString& program = NX420_CTL_PROGRAM) {
    QProcess ctl;
    ctl.setWorkingDirectory(QString::fromStdString(dir.Path()));  // no NX420.txt there: COM1
    ctl.start(program, args);
    CtlRun r;
    if (!ctl.waitForFinished(240000)) return r;
    r.status = ctl.exitStatus() == QProcess::NormalExit ? ctl.exitCode() : -1;
    r.out = QString::fromLocal8Bit(ctl.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(ctl.readAllStandardError());
    return r;
}

// Starts the simulator with its log in dir/sim.log; the --port value for it, "" when it did not start.
inline QString StartSim(SimProcess& sim, const TempDir& dir, const std::vector<std::string>& options = {}) {
    if (!sim.Start(NX420_SIM_PROGRAM, options, dir.File("sim.log"))) return {};
    return QString::fromStdString("COM1=" + sim.Path());
}
