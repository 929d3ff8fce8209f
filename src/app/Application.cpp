#include "app/Application.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <vector>

#include "model/SettingsFile.h"
#include "app/BaseDirectory.h"
#include "app/SingleInstance.h"
#include "app/StartupPassword.h"
#include "ui/DlgPassword.h"
#include "ui/QtPrompt.h"

namespace {
constexpr const char* kVersion = NX420_VERSION;
// How long the exit waits for a print job to stop.
constexpr unsigned long kPrintWorkerWaitMs = 200000;

bool RunPasswordDialog(FixedText<20>& password) {
    CDlgPassword dialog(password, kStartupSettingsFile);
    return dialog.exec() == QDialog::Accepted;
}

// --help and --version answer at once, before the instance lock and without a
// display.
bool AnswerInformation(const std::vector<std::string>& args, const std::string& program) {
    for (const std::string& a : args) {
        if (a == "--") break;
        if (a == "--help" || a == "-h") {
            std::fputs(UsageText(program).c_str(), stdout);
            return true;
        }
        if (a == "--version") {
            std::printf("nx420 %s\n", kVersion);
            return true;
        }
    }
    return false;
}

ShellState StateFor(const ConnectionOptions& connection) {
    ShellState state;
    state.Connection = connection;
    return state;
}
}  // namespace

Program::Program(const ConnectionOptions& connection) : State(StateFor(connection)), Link(State) {}

Program::~Program() {
    if (Printer) Printer->Quit(kPrintWorkerWaitMs);
}

std::unique_ptr<Program> MakeProgram(const ConnectionOptions& connection, QSettings* profile) {
    auto program = std::make_unique<Program>(connection);
    program->Frame = std::make_unique<CMainFrame>(profile, program->State, program->Link, &program->Link.Session());
    CMainFrame* frame = program->Frame.get();
    program->Link.SetProgressOwner(frame->View());
    program->Link.OnStopResult = [frame](int code) { frame->OnStopResult(code); };
    QObject::connect(&program->Link.Session(), &LinkSession::portClosed, frame, &CMainFrame::OnPortClosed,
                     Qt::QueuedConnection);
    program->PrintDesk = std::make_unique<PrintFront>(frame->View(), program->Link.Progress());
    program->Printer = std::make_unique<CTHPrintOut>(*program->PrintDesk);
    program->Printer->Start();
    frame->View()->Print = [printer = program->Printer.get()](std::unique_ptr<PrintJob> job) {
        printer->Request(std::move(job));
    };
    return program;
}

std::unique_ptr<Program> StartProgram(const CommandLine& line, const std::string& programPath, QSettings* profile,
                                      const std::function<bool(FixedText<20>&)>& askPassword) {
    FixedText<20> password;
    if (!CheckStartupPassword(kStartupSettingsFile, password, AppPrompt(), [&] { return askPassword(password); }))
        return nullptr;
    const std::string baseDirectory = BaseDirectory(programPath);
    auto program = MakeProgram(line.Connection, profile);
    CMainFrame* frame = program->Frame.get();
    CTR420View* view = frame->View();
    view->Model().SettingPassword = password;
    frame->show();
    frame->CenterOnScreen();
    view->OnInitialUpdate(baseDirectory);
    frame->UpdateTitle();
    if (!line.File.empty()) frame->OpenFile(line.File);
    return program;
}

int RunApplication(int argc, char** argv) {
    std::string program = argc > 0 ? argv[0] : "nx420";
    program.erase(0, program.rfind('/') + 1);  // npos + 1 == 0 keeps a bare name
    if (AnswerInformation(std::vector<std::string>(argv + 1, argv + argc), program)) return 0;

    const SingleInstance instance(LockFolder());
    if (!instance.First()) return 0;

    QApplication app(argc, argv);  // takes Qt's own options out of argv
    CommandLine line;
    std::string error;
    if (!ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), line, error)) {
        std::fprintf(stderr, "nx420: %s\n", error.c_str());
        return 2;
    }
    QtPrompt prompt;
    SetAppPrompt(&prompt);
    QCoreApplication::setOrganizationName(kProfileOrganisation);
    QCoreApplication::setApplicationName(kAppName);
    QCoreApplication::setApplicationVersion(kVersion);
    QSettings profile;

    const std::string programPath = QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    std::unique_ptr<Program> parts = StartProgram(line, programPath, &profile, RunPasswordDialog);
    if (!parts) {
        SetAppPrompt(nullptr);
        return 1;
    }
    if (line.ReportIdle || line.ExitWhenIdle || !line.Screenshot.empty()) {
        // Runs once the events of start-up have been handled: the window is up and idle.
        CMainFrame* frame = parts->Frame.get();
        QTimer::singleShot(0, frame, [&line, frame] {
            if (!line.Screenshot.empty() && !frame->grab().save(QFile::decodeName(line.Screenshot.c_str()), "PNG"))
                std::fprintf(stderr, "nx420: cannot write %s\n", line.Screenshot.c_str());
            if (line.ReportIdle) {
                std::fputs("idle\n", stdout);
                std::fflush(stdout);
            }
            if (line.ExitWhenIdle || !line.Screenshot.empty()) frame->close();
        });
    }
    const int status = app.exec();
    parts.reset();
    SetAppPrompt(nullptr);
    return status;
}
