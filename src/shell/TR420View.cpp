#include "shell/TR420View.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/SettingsFile.h"
#include "shell/BaseDirectory.h"
#include "comm/MessageEvent.h"

namespace {
CTR420View* g_mainView = nullptr;
std::array<CategoryOpener, kCategoryCount> g_openers;
std::function<bool(const SettingData&)> g_stationCheck;
std::function<bool(CTR420View&, MessageEvent&)> g_linkHandler;

bool IsLinkMessage(int n) {
    return n == UM_RELAY || (n >= UM_PORT_OPENED && n <= UM_COMM_ERROR) || n == UM_TRANSFER_REQUEST ||
           n == UM_TRANSFER_RESULT || (n >= UM_PROGRESS_OPEN && n <= UM_PROGRESS_END);
}
}  // namespace

CTR420View* MainView() { return g_mainView; }
void SetCategoryOpener(Category id, CategoryOpener opener) { g_openers[static_cast<std::size_t>(id)] = std::move(opener); }
void SetStationCheck(std::function<bool(const SettingData&)> check) { g_stationCheck = std::move(check); }
void SetLinkMessageHandler(std::function<bool(CTR420View&, MessageEvent&)> handler) {
    g_linkHandler = std::move(handler);
}

CTR420View::CTR420View(QWidget* parent, ShellServices& services)
    : QWidget(parent), services_(services), doc_(state_, services) {
    std::array<QGroupBox*, kCategoryGroups.size()> groups{};
    std::array<QVBoxLayout*, kCategoryGroups.size()> stacks{};
    for (std::size_t g = 0; g < groups.size(); ++g) {
        groups[g] = new QGroupBox(kCategoryGroups[g], this);
        stacks[g] = new QVBoxLayout(groups[g]);
    }
    for (const CategoryButton& b : kCategoryButtons) {
        const auto g = static_cast<std::size_t>(b.Group);
        auto* button = new QPushButton(b.Caption, groups[g]);
        button->setMinimumHeight(30);
        stacks[g]->addWidget(button);
        buttons_[static_cast<std::size_t>(b.Id)] = button;
        connect(button, &QPushButton::clicked, this, [this, id = b.Id] { OpenCategory(id); });
    }
    // Three columns: system-wide settings, per-station functions, operations.
    constexpr int kColumnOfGroup[kCategoryGroups.size()] = {0, 0, 1, 2, 0};
    std::array<QVBoxLayout*, 3> columns{};
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 12, 12, 12);
    row->setSpacing(12);
    for (auto& column : columns) {
        column = new QVBoxLayout;
        row->addLayout(column, 1);
    }
    for (std::size_t g = 0; g < groups.size(); ++g)
        columns[static_cast<std::size_t>(kColumnOfGroup[g])]->addWidget(groups[g]);
    for (auto* column : columns) column->addStretch();
    g_mainView = this;
}

CTR420View::~CTR420View() {
    services_.SaveWorkFile(state_);
    if (g_mainView == this) g_mainView = nullptr;
}

void CTR420View::OnInitialUpdate(const std::string& baseDirectory) {
    SettingData& data = *state_.Model;
    data.CurrentFilePath = kStartupSettingsFile;
    // A missing start-up file leaves the defaults in place without a word; a
    // malformed one has shown its key message and installed the defaults.
    ReadSettingsFile(data, kStartupSettingsFile, AppPrompt());
    state_.WorkFilePath = WorkFilePath(baseDirectory);
    services_.LoadWorkFile(state_);
    data.Modified = 0;
    services_.StartWorkers(state_);
    state_.LogReadingActive = false;
    state_.MonitorReadingActive = false;
    state_.ActivityMask = 0;
    services_.ClearReceivedData(state_);
    services_.StartLink(state_);
}

void CTR420View::OpenCategory(Category id) {
    if (id == Category::Exit) {
        emit ExitRequested();
        return;
    }
    if (id == Category::LogData && state_.MonitorReadingActive) {
        AppPrompt().Tell(kReadingMonitorBusy, PromptIcon::Exclamation);
        return;
    }
    if (id == Category::CommunicationMonitor && state_.LogReadingActive) {
        AppPrompt().Tell(kReadingLogBusy, PromptIcon::Exclamation);
        return;
    }
    // Copied: an opener may register openers itself.
    const CategoryOpener opener = g_openers[static_cast<std::size_t>(id)];
    if (!opener) return;
    opener(*this);
    if (id == Category::GlobalSetting || id == Category::UploadDownload) RunStationCheck();
}

void CTR420View::RunStationCheck() {
    if (!g_stationCheck || !g_stationCheck(*state_.Model)) return;
    const CategoryOpener stations = g_openers[static_cast<std::size_t>(Category::Stations)];
    if (stations) stations(*this);
}

void CTR420View::SetReading(Category id, bool active) {
    QPushButton* button = Button(id);
    if (active) {
        QPalette red = button->palette();
        red.setColor(QPalette::Button, Qt::red);
        button->setPalette(red);
    } else {
        button->setPalette(QPalette());
    }
}

bool CTR420View::event(QEvent* event) {
    auto* message = dynamic_cast<MessageEvent*>(event);
    if (!message) return QWidget::event(event);
    const int n = message->Message();
    if (n == UM_LOG_READING || n == UM_MONITOR_READING) {
        const bool active = message->WParam() != 0;
        if (n == UM_LOG_READING) {
            state_.LogReadingActive = active;
            SetReading(Category::LogData, active);
        } else {
            state_.MonitorReadingActive = active;
            SetReading(Category::CommunicationMonitor, active);
        }
        return true;
    }
    if (IsLinkMessage(n)) {
        if (g_linkHandler) g_linkHandler(*this, *message);
        // Closing for exit: the port's end completes the close request.
        if (n == UM_PORT_CLOSED && state_.ActivityMask == kActivityClosing) emit ExitRequested();
        return true;
    }
    return QWidget::event(event);
}
