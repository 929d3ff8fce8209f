#pragma once
// The main view: a form with the category panel. It owns the model and the
// run-time state of the program; every editor and maintenance window is
// opened from here, modally, with the view as its owner.
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "shell/Categories.h"
#include "shell/ShellState.h"
#include "shell/TR420Doc.h"

class QPushButton;
class MessageEvent;

class CTR420View : public QWidget {
    Q_OBJECT
public:
    explicit CTR420View(QWidget* parent = nullptr, ShellServices& services = AppServices());
    ~CTR420View() override;

    // The first display: loads the start-up settings file, prepares the history
    // files' work file under baseDirectory and starts the workers and the link.
    void OnInitialUpdate(const std::string& baseDirectory);

    ShellState& State() { return state_; }
    SettingData& Model() { return *state_.Model; }
    CTR420Doc& Doc() { return doc_; }
    ShellServices& Services() { return services_; }
    QPushButton* Button(Category id) const { return buttons_[static_cast<std::size_t>(id)]; }

    // A panel button's action (the guards included).
    void OpenCategory(Category id);

signals:
    void ExitRequested();

protected:
    bool event(QEvent* event) override;

private:
    void SetReading(Category id, bool active);
    void RunStationCheck();

    ShellState state_;
    ShellServices& services_;
    CTR420Doc doc_;
    std::array<QPushButton*, kCategoryCount> buttons_{};
};

// The one main view, for workers and dialogs that post to it; null before it
// exists and after it is gone.
CTR420View* MainView();

// The windows behind the panel's buttons: the areas that build them register
// their opener here (before the main window is created). A button without an
// opener does nothing.
using CategoryOpener = std::function<void(CTR420View&)>;
void SetCategoryOpener(Category id, CategoryOpener opener);

// The station numbering check run after the Global Setting editor and the
// Upload/Download sheet: true when the model has a station fault (the Stations
// editor then opens).
void SetStationCheck(std::function<bool(const SettingData&)> check);

// Link messages (port, send, receive, transfer requests, progress window and
// the telephony relay) go to the transfer manager's handler; true when taken.
void SetLinkMessageHandler(std::function<bool(CTR420View&, MessageEvent&)> handler);
