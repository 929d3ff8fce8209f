#include "app/MainFrame.h"

#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>

#include "printout/DlgPrintout.h"
#include "protocol/LinkActivity.h"
#include "ui/Text8.h"

namespace {
constexpr const char* kRecentGroup = "Recent File List";
constexpr const char* kAboutText =
    "NX-420 configuration tool\nVersion " NX420_VERSION "\n\nSetting data, upload and download, log data and "
    "communication monitor of NX-420 installations.";
}  // namespace

CMainFrame::CMainFrame(QSettings* profile, ShellState& state, ShellServices& services, LinkSession* link)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      services_(services),
      profile_(profile),
      view_(new CTR420View(this, state, services, link)),
      exitProcedure_(state, services) {
    setCentralWidget(view_);
    setFixedSize(kMainWindowWidth, kMainWindowHeight);
    move(20, 20);
    bool asWritten = true;
    if (profile_) {
        std::vector<std::string> stored;
        QStringList keys;
        for (int i = 1; i <= kRecentFileCount; ++i) {
            const QString path = profile_->value(QString("%1/File%2").arg(kRecentGroup).arg(i)).toString();
            if (path.isEmpty()) continue;
            stored.push_back(QFile::encodeName(path).toStdString());
            keys << QString("File%1").arg(stored.size());
        }
        recent_.Assign(stored);
        // Written back only when not stored as it would be written: a write
        // locks and rewrites the profile, at start-up for nothing.
        profile_->beginGroup(kRecentGroup);
        asWritten = recent_.Paths() == stored && profile_->childKeys() == keys &&
                    profile_->childGroups().isEmpty();
        profile_->endGroup();
    }
    BuildMenus();
    if (!asWritten) StoreRecent();
    // Through the main window's action, so its title and recent files follow.
    view_->SaveCommand = [this] { save_->trigger(); };
    connect(view_, &CTR420View::ExitRequested, this, &QWidget::close, Qt::QueuedConnection);
    linkTimer_.setSingleShot(true);
    linkTimer_.setInterval(kPortCloseWaitMs);
    connect(&linkTimer_, &QTimer::timeout, this, &QWidget::close);
    UpdateTitle();
}

CMainFrame::~CMainFrame() {
    linkTimer_.stop();
    services_.EndLink(view_->State());
}

void CMainFrame::BuildMenus() {
    fileMenu_ = menuBar()->addMenu("&File");
    auto docCommand = [this](bool (CTR420Doc::*command)(Prompt&), bool remember) {
        return [this, command, remember] {
            if ((view_->Doc().*command)(AppPrompt()) && remember) RememberFile();
            UpdateTitle();
        };
    };
    new_ = fileMenu_->addAction("&New...\tCtrl+N", this, docCommand(&CTR420Doc::OnFileNew, false));
    new_->setShortcut(QKeySequence("Ctrl+N"));
    open_ = fileMenu_->addAction("&Open...\tCtrl+O", this, docCommand(&CTR420Doc::OnFileOpen, true));
    open_->setShortcut(QKeySequence("Ctrl+O"));
    save_ = fileMenu_->addAction("&Save\tCtrl+S", this, docCommand(&CTR420Doc::OnFileSave, true));
    save_->setShortcut(QKeySequence("Ctrl+S"));
    saveAs_ = fileMenu_->addAction("Save &As...", this, docCommand(&CTR420Doc::OnFileSaveAs, true));
    fileMenu_->addSeparator();
    // Every category of every exchange, without the Printout window.
    print_ = fileMenu_->addAction("&Print", this, [this] {
        if (view_->Print) view_->Print(MakePrintJob(PrintAll, 0, view_->Model()));
    });
    recentSeparator_ = fileMenu_->addSeparator();
    exit_ = fileMenu_->addAction("E&xit", this, &QWidget::close);
    QMenu* help = menuBar()->addMenu("&Help");
    about_ = help->addAction("&About...", this, &CMainFrame::OnAbout);
    RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu() {
    for (QAction* a : recentActions_) {
        fileMenu_->removeAction(a);
        a->deleteLater();
    }
    recentActions_.clear();
    int n = 0;
    for (const std::string& path : recent_.Paths()) {
        auto* action = new QAction(QString("&%1 %2").arg(++n).arg(QFile::decodeName(path.c_str())), fileMenu_);
        connect(action, &QAction::triggered, this, [this, path] { OnRecentFile(path); });
        fileMenu_->insertAction(exit_, action);
        recentActions_.push_back(action);
    }
    // One separator above the list and one below it, none when it is empty.
    if (!recentActions_.isEmpty()) recentActions_.push_back(fileMenu_->insertSeparator(exit_));
}

void CMainFrame::StoreRecent() {
    if (!profile_) return;
    profile_->remove(kRecentGroup);
    int i = 0;
    for (const std::string& path : recent_.Paths())
        profile_->setValue(QString("%1/File%2").arg(kRecentGroup).arg(++i), QFile::decodeName(path.c_str()));
}

void CMainFrame::RememberFile() {
    const SettingData& data = view_->Model();
    if (data.CurrentFilePath.Empty()) return;
    recent_.Add(data.CurrentFilePath.Str());
    RebuildRecentMenu();
    StoreRecent();
}

void CMainFrame::OpenFile(const std::string& path) {
    if (view_->Doc().OpenPath(path, AppPrompt())) RememberFile();
    UpdateTitle();
}

void CMainFrame::OnRecentFile(const std::string& path) {
    ShellState& state = view_->State();
    if (BusyGuard(state, AppPrompt()) != 0) return;
    if (state.Model->Modified == 1 && !AppPrompt().AskYesNo(kOpenNotSaved)) return;
    if (view_->Doc().OpenPath(path, AppPrompt())) {
        RememberFile();
    } else {
        recent_.Remove(path);  // gone or unreadable: it leaves the list
        RebuildRecentMenu();
        StoreRecent();
    }
    UpdateTitle();
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(FromText8(view_->Doc().TitleName()) + " - " + kAppName);
}

void CMainFrame::CenterOnScreen() {
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void CMainFrame::OnAbout() {
    QMessageBox::about(this, QString("About ") + kAppName, kAboutText);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // A close request while the port closes (its UM_PORT_CLOSED, the user
    // again, or the wait running out) ends the window: it can always close.
    if (closeApproved_ || waitingForLink_) {
        closeApproved_ = true;
        linkTimer_.stop();
        event->accept();
        return;
    }
    const bool wasClosing = view_->State().ActivityMask == LinkActivity::Closing;
    const ExitStep step = exitProcedure_.Begin(AppPrompt());
    if (step == ExitStep::Close) {
        if (!wasClosing && view_->State().ActivityMask == LinkActivity::Closing) {
            event->ignore();
            CloseAfterLink(true);
            return;
        }
        closeApproved_ = true;
        event->accept();
        return;
    }
    event->ignore();
    Proceed(step);
}

void CMainFrame::CloseAfterLink(bool linkClosing) {
    if (linkClosing) {
        // The window goes only after the port has closed.
        waitingForLink_ = true;
        linkTimer_.start();
        return;
    }
    closeApproved_ = true;
    close();
}

void CMainFrame::Proceed(ExitStep step) {
    switch (step) {
        case ExitStep::Stay: break;
        case ExitStep::Stopping: break;  // the stop request's result resumes the exit
        case ExitStep::Close: CloseAfterLink(view_->State().ActivityMask == LinkActivity::Closing); break;
    }
}

void CMainFrame::OnStopResult(int code) {
    if (!exitProcedure_.Pending()) return;
    // The buttons show what the exit procedure made of the reading flags,
    // also while it asks its next question.
    auto showReading = [this] {
        view_->SetReading(Category::LogData, view_->State().LogReadingActive);
        view_->SetReading(Category::CommunicationMonitor, view_->State().MonitorReadingActive);
    };
    exitProcedure_.OnStopResult(code, AppPrompt());
    showReading();
    const bool wasClosing = view_->State().ActivityMask == LinkActivity::Closing;
    const ExitStep step = exitProcedure_.Resume(AppPrompt());
    showReading();
    if (step == ExitStep::Close) CloseAfterLink(!wasClosing && view_->State().ActivityMask == LinkActivity::Closing);
    else Proceed(step);
}

void CMainFrame::OnPortClosed() {
    if (waitingForLink_) close();
}
