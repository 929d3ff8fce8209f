#pragma once
// The main window: fixed size, the File and Help menus, the view as its form,
// and the exit procedure on every close request.
#include <QMainWindow>
#include <QTimer>
#include <string>

#include "app/ExitProcedure.h"
#include "app/RecentFiles.h"
#include "app/TR420View.h"

class QAction;
class QMenu;
class QSettings;

inline constexpr int kMainWindowWidth = 640;
inline constexpr int kMainWindowHeight = 520;
// How long the exit waits for the port to report closed before closing anyway.
inline constexpr int kPortCloseWaitMs = 3000;
inline constexpr const char* kAppName = "NX420";
inline constexpr const char* kProfileOrganisation = "Local AppWizard-Generated Applications";

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // profile keeps the recently-used list (null: in memory only); state and
    // services outlive the window; link: see CTR420View.
    CMainFrame(QSettings* profile, ShellState& state, ShellServices& services, LinkSession* link);
    ~CMainFrame() override;

    CTR420View* View() const { return view_; }
    QAction* NewAction() const { return new_; }
    QAction* OpenAction() const { return open_; }
    QAction* SaveAction() const { return save_; }
    QAction* SaveAsAction() const { return saveAs_; }
    QAction* PrintAction() const { return print_; }
    QAction* ExitAction() const { return exit_; }
    QAction* AboutAction() const { return about_; }
    const RecentFiles& Recent() const { return recent_; }

    void UpdateTitle();
    void CenterOnScreen();
    // Opens path as Open does (the command line's file, a recent file).
    void OpenFile(const std::string& path);

    // The exit's stop request came back with code.
    void OnStopResult(int code);
    // The port has closed: while the exit waits for it, the window closes.
    void OnPortClosed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void RebuildRecentMenu();
    void StoreRecent();
    void RememberFile();
    void OnRecentFile(const std::string& path);
    void Proceed(ExitStep step);
    // The exit's last step: close now, or once the port has closed.
    void CloseAfterLink(bool linkClosing);
    void OnAbout();

    ShellServices& services_;
    QSettings* profile_;
    CTR420View* view_;
    ExitProcedure exitProcedure_;
    bool closeApproved_ = false;
    bool waitingForLink_ = false;  // closing for exit: the port's end brings the close request
    QTimer linkTimer_;              // gives up waiting for a port that never reports
    RecentFiles recent_;
    QMenu* fileMenu_ = nullptr;
    QAction* new_ = nullptr;
    QAction* open_ = nullptr;
    QAction* save_ = nullptr;
    QAction* saveAs_ = nullptr;
    QAction* print_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QAction* exit_ = nullptr;
    QAction* about_ = nullptr;
};
