#pragma once
// The main view: a form with the category panel. It works on the model and
// the run-time state the application hands it; every editor and window is
// opened from here, modally, with the view as its owner.
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "app/ShellState.h"
#include "app/TR420Doc.h"
#include "editors/Categories.h"
#include "editors/StationCheck.h"
#include "printout/PrintJob.h"

class QPushButton;
class LinkSession;

class CTR420View : public QWidget {
    Q_OBJECT
public:
    // link: where the windows that talk to the exchanges send; none in tests
    // that run no link (their uploads fail to open the device).
    CTR420View(QWidget* parent, ShellState& state, ShellServices& services, LinkSession* link);

    // The first display: loads the start-up settings file, notes where the
    // history files' work file lives under baseDirectory and starts the link.
    void OnInitialUpdate(const std::string& baseDirectory);

    ShellState& State() { return state_; }
    SettingData& Model() { return *state_.Model; }
    CTR420Doc& Doc() { return doc_; }
    QPushButton* Button(Category id) const { return buttons_[static_cast<std::size_t>(id)]; }

    // A panel button's action (the guards included).
    void OpenCategory(Category id);
    // The log data or communication monitor window switched its reading on or
    // off: the flag the guards look at, and its button red while on.
    void SetReading(Category id, bool active);
    // What Ctrl+S does inside an editor.
    std::function<void()> SaveCommand;
    // Where Print buttons, the Printout window and File > Print hand their jobs.
    PrintSender Print;

signals:
    void ExitRequested();

private:
    void OpenStations(const StationFault* fault);
    void RunStationCheck();

    ShellState& state_;
    CTR420Doc doc_;
    LinkSession* link_;
    std::array<QPushButton*, kCategoryCount> buttons_{};
};
