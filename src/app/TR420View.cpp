#include "app/TR420View.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/BaseDirectory.h"
#include "comm/SheetComm.h"
#include "editors/DlgDirectDial.h"
#include "editors/DlgDirectSelect.h"
#include "editors/DlgFunction.h"
#include "editors/DlgLine.h"
#include "editors/DlgMembers.h"
#include "editors/DlgPcPort.h"
#include "editors/DlgRemoteDial.h"
#include "editors/DlgSystem.h"
#include "editors/SheetPaging.h"
#include "editors/SheetStation.h"
#include "link/LinkSession.h"
#include "link/MessageEvent.h"
#include "history/CTHLogSave.h"
#include "maintenance/RecordWindow.h"
#include "protocol/ReceivedBlock.h"
#include "model/SettingsFile.h"
#include "printout/DlgPrintout.h"

namespace {
// How long the end of the view waits for the history files' worker.
constexpr unsigned long kWorkerWaitMs = 200000;

// The panel's windows that exist; the other buttons stay disabled until theirs do.
bool HasWindow(Category id) {
    switch (id) {
    case Category::GlobalSetting:
    case Category::Stations:
    case Category::CoTrunks:
    case Category::CallForwarding:
    case Category::DirectSelect:
    case Category::GroupCall:
    case Category::ScanMonitor:
    case Category::Paging:
    case Category::EmergencyConference:
    case Category::UploadDownload:
    case Category::Printout:
    case Category::LogData:
    case Category::CommunicationMonitor:
    case Category::PcPort:
    case Category::DialingAssignment:
    case Category::RemoteDialing:
    case Category::Exit: return true;
    default: return false;
    }
}
}  // namespace

CTR420View::CTR420View(QWidget* parent, ShellState& state, ShellServices& services, LinkSession* link)
    : QWidget(parent), state_(state), doc_(state_, services), link_(link) {
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
        button->setEnabled(HasWindow(b.Id));
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
}

void CTR420View::OnInitialUpdate(const std::string& baseDirectory) {
    SettingData& data = *state_.Model;
    data.CurrentFilePath = kStartupSettingsFile;
    // A missing start-up file leaves the defaults in place without a word; a
    // malformed one has shown its key message and installed the defaults.
    ReadSettingsFile(data, kStartupSettingsFile, AppPrompt());
    state_.WorkFilePath = WorkFilePath(baseDirectory);
    if (!history_) {
        const WorkFileNames names = ReadWorkFile(state_.WorkFilePath, AppPrompt());
        logFolder_ = ParseStoredName(names.History).Folder;
        monitorFolder_ = ParseStoredName(names.Monitor).Folder;
        // The worker's messages are shown by this thread, when its loop runs.
        history_ = std::make_unique<CTHLogSave>(names, [this](const char* message) {
            QMetaObject::invokeMethod(this, [message] { AppPrompt().Tell(message, PromptIcon::Warning); },
                                      Qt::QueuedConnection);
        });
    }
    data.Modified = 0;
    state_.LogReadingActive = false;
    state_.MonitorReadingActive = false;
    state_.ActivityMask = 0;
    {
        std::lock_guard<std::mutex> lock(records_.Lock);
        records_.Log.Clear();
        records_.Monitor.Clear();
    }
    if (link_) {
        link_->SetLogReceiver(this);
        link_->SetMonitorReceiver(this);
    }
    doc_.StartLink();
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
    const EditorContext context{Model(), SaveCommand, link_, Print};
    switch (id) {
    case Category::GlobalSetting: {
        CDlgSystem dialog(this, context);
        dialog.exec();
        break;
    }
    case Category::Stations: OpenStations(nullptr); break;
    case Category::CoTrunks: CDlgLine(this, context).exec(); break;
    case Category::CallForwarding: CDlgFunction(this, context).exec(); break;
    case Category::DirectSelect: CDlgDirectSelect(this, context).exec(); break;
    case Category::GroupCall: CDlgGroup(this, context).exec(); break;
    case Category::ScanMonitor: CDlgScan(this, context).exec(); break;
    case Category::EmergencyConference: CDlgMeeting(this, context).exec(); break;
    case Category::Paging: CSheetPaging(this, context).exec(); break;
    case Category::LogData:
    case Category::CommunicationMonitor: MakeRecordWindow(id)->exec(); break;
    case Category::PcPort: {
        PcPortHooks hooks{[this] { return BusyGuard(state_, AppPrompt()) != 0; }, [this] { doc_.RestartLink(); }};
        CDlgPcPort dialog(this, context, std::move(hooks));
        dialog.exec();
        break;
    }
    case Category::DialingAssignment: CDlgDirectDial(this, context).exec(); break;
    case Category::RemoteDialing: CDlgRemoteDial(this, context).exec(); break;
    case Category::UploadDownload: {
        if (!link_) return;
        CSheetComm sheet(this, *link_, Model());
        sheet.exec();
        break;
    }
    case Category::Printout: {
        CDlgPrintout dialog(this, Model(), Print);
        dialog.exec();
        return;
    }
    default: return;
    }
    if (id == Category::GlobalSetting || id == Category::UploadDownload) RunStationCheck();
}

void CTR420View::OpenStations(const StationFault* fault) {
    CSheetStation sheet(this, EditorContext{Model(), SaveCommand, link_, Print}, fault);
    sheet.exec();
}

void CTR420View::RunStationCheck() {
    // A fault opens the Stations editor at it, focused on it.
    const StationFault fault = CheckStations(*state_.Model);
    if (fault) OpenStations(&fault);
}

void CTR420View::SetReading(Category id, bool active) {
    if (id == Category::LogData) state_.LogReadingActive = active;
    else if (id == Category::CommunicationMonitor) state_.MonitorReadingActive = active;
    else return;
    QPushButton* button = Button(id);
    QPalette palette;
    if (active) palette.setColor(QPalette::Button, Qt::red);
    button->setPalette(palette);
}

CTR420View::~CTR420View() {
    if (!history_) return;
    history_->Quit(kWorkerWaitMs);
    WriteWorkFile(state_.WorkFilePath, history_->Names());
}

CRecordWindow* CTR420View::RecordWindow() const { return recordWindow_.data(); }

std::unique_ptr<CRecordWindow> CTR420View::MakeRecordWindow(Category id) {
    const bool log = id == Category::LogData;
    RecordWindowContext context{records_, log ? state_.LogRequestFlags : state_.MonitorRequestFlags,
                                Model().System.SwitchCnt, link_, this, history_.get(),
                                log ? &logFolder_ : &monitorFolder_, {}};
    // The records' pages name the settings file on line 1, as every other page does.
    if (Print)
        context.Print = [this](std::unique_ptr<PrintJob> job) {
            job->FilePath = Model().CurrentFilePath.Str();
            Print(std::move(job));
        };
    auto window = std::make_unique<CRecordWindow>(this, log ? LogDataKind() : MonitorDataKind(), context);
    recordWindow_ = window.get();
    return window;
}

bool CTR420View::event(QEvent* e) {
    auto* m = dynamic_cast<MessageEvent*>(e);
    if (!m) return QWidget::event(e);
    switch (m->Message()) {
    case UM_LOG_READING: SetReading(Category::LogData, m->WParam() != 0); return true;
    case UM_MONITOR_READING: SetReading(Category::CommunicationMonitor, m->WParam() != 0); return true;
    case UM_TRANSFER_RESULT: break;
    default: return QWidget::event(e);
    }
    auto block = m->Take<ReceivedBlock>();
    if (!block || m->WParam() != kTransferReceived) return true;
    // Every record is kept, open window or not; the open window of its kind
    // gets a copy of its own.
    const std::string_view text = block->Text();
    CRecordWindow* window = recordWindow_.data();
    const ReceivedTextKind kind = ClassifyReceivedText(text);
    if (kind == ReceivedTextKind::LogData) {
        const LogRecord record = BuildLogRecord(text);
        {
            std::lock_guard<std::mutex> lock(records_.Lock);
            records_.Log.Append(record);
        }
        if (history_) history_->Post(record);
        if (window && window->Kind().Id == RecordKindId::Log) window->AddRow(DecodeLogRow(record));
    } else if (auto monitor = kind == ReceivedTextKind::MonitorData ? BuildMonitorRecord(text) : std::nullopt) {
        // A text announcing more than 256 bytes gives no record at all.
        {
            std::lock_guard<std::mutex> lock(records_.Lock);
            records_.Monitor.Append(*monitor);
        }
        if (history_) history_->Post(*monitor);
        if (window && window->Kind().Id == RecordKindId::Monitor) window->AddRow(DecodeMonitorRow(*monitor));
    }
    return true;
}
