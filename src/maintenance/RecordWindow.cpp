#include "maintenance/RecordWindow.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "core/Prompt.h"
#include "history/CTHLogSave.h"
#include "maintenance/DataSave.h"
#include "maintenance/HistoryNames.h"
#include "link/LinkSession.h"
#include "link/MessageEvent.h"
#include "maintenance/RecordPrint.h"
#include "transfer/SingleRequest.h"

namespace {
constexpr const char* kExchangeLabel = "Exchange No. (1-%1):";

template <class Record>
void LoadRing(const RecordRing<Record>& ring, RecordRow (*decode)(const Record&), CRecordWindow& window) {
    for (std::int32_t i = 0; i < ring.Count(); ++i) window.AddRow(decode(ring.At(i)));
}
}  // namespace

CRecordWindow::CRecordWindow(QWidget* parent, const RecordKind& kind, RecordWindowContext context)
    : QDialog(parent), kind_(kind), context_(context), model_(kind, this) {
    setWindowTitle(kind.Title);
    if (context_.Link) {
        engine_ = std::make_unique<TransferEngine>(*context_.Link);
        engine_->OnFinished = [this] { OnFinished(); };
    }

    auto* label = new QLabel(QString(kExchangeLabel).arg(context_.SwitchCnt), this);
    selector_ = new QComboBox(this);
    items_ = new QStandardItemModel(selector_);
    for (const std::string& text : ::SelectorItems(context_.SwitchCnt)) {
        auto* item = new QStandardItem(QString::fromStdString(text));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setData(Qt::Unchecked, Qt::CheckStateRole);
        items_->appendRow(item);
    }
    selector_->setModel(items_);
    // A read-only field shows the ticks; a click in the list ticks an item
    // and leaves the list open for the next.
    selector_->setEditable(true);
    selector_->lineEdit()->setReadOnly(true);
    selector_->setMinimumWidth(160);
    selector_->view()->viewport()->installEventFilter(this);
    const std::vector<bool> ticks = TicksFromFlags(context_.Flags, context_.SwitchCnt);
    for (std::size_t i = 0; i < ticks.size(); ++i) SetTick(static_cast<int>(i), ticks[i]);
    connect(selector_, &QComboBox::currentIndexChanged, this, [this] { ShowSelectorText(); });

    select_ = new QPushButton("Select", this);
    destination_ = new QPushButton("Destination", this);
    auto* print = new QPushButton("Print", this);
    save_ = new QPushButton("Data Save", this);
    close_ = new QPushButton("Close", this);
    destination_->setEnabled(context_.History && context_.Folder);
    save_->setEnabled(context_.Folder != nullptr);
    print->setEnabled(static_cast<bool>(context_.Print));
    connect(print, &QPushButton::clicked, this,
            [this] { context_.Print(RecordPrintJob(kind_, model_.Rows())); });
    connect(select_, &QPushButton::clicked, this, [this] { OnSelect(); });
    connect(destination_, &QPushButton::clicked, this, [this] { OnDestination(); });
    connect(save_, &QPushButton::clicked, this, [this] { OnDataSave(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);

    table_ = new QTableView(this);
    table_->setModel(&model_);
    table_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    // The widths suit a small dialog font; a larger one widens every column
    // alike, so that a download time is never cut short.
    const double scale = std::max(1.0, (table_->fontMetrics().horizontalAdvance("0000-00-00 00:00:00") + 12) /
                                           static_cast<double>(kind.Columns[0].Width));
    for (std::size_t c = 0; c < kind.Columns.size(); ++c)
        table_->setColumnWidth(static_cast<int>(c), static_cast<int>(kind.Columns[c].Width * scale));
    table_->horizontalHeader()->setSectionsClickable(true);
    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int c) { SortByColumn(c); });

    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(selector_);
    for (QPushButton* b : {select_, destination_, print, save_, close_}) top->addWidget(b);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    resize(760, 460);

    // The records kept so far, oldest first; the view registers the window
    // right after, before any other record can arrive.
    {
        std::lock_guard<std::mutex> lock(context_.Store.Lock);
        if (kind.Id == RecordKindId::Log) LoadRing(context_.Store.Log, &DecodeLogRow, *this);
        else LoadRing(context_.Store.Monitor, &DecodeMonitorRow, *this);
    }
    ShowSelectorText();
}

std::vector<bool> CRecordWindow::Ticks() const {
    std::vector<bool> ticks;
    for (int i = 0; i < items_->rowCount(); ++i) ticks.push_back(items_->item(i)->checkState() == Qt::Checked);
    return ticks;
}

void CRecordWindow::SetTick(int item, bool ticked) {
    if (QStandardItem* it = items_->item(item)) it->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    ShowSelectorText();
}

void CRecordWindow::ShowSelectorText() {
    selector_->lineEdit()->setText(QString::fromStdString(SelectorText(Ticks(), context_.SwitchCnt)));
}

bool CRecordWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == selector_->view()->viewport() && e->type() == QEvent::MouseButtonRelease) {
        const QModelIndex index = selector_->view()->indexAt(static_cast<QMouseEvent*>(e)->position().toPoint());
        if (index.isValid()) SetTick(index.row(), items_->item(index.row())->checkState() != Qt::Checked);
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void CRecordWindow::OnSelect() {
    if (engine_ && engine_->Running()) return;  // one request at a time
    // The selection is kept before the question, also when it is cancelled.
    context_.Flags = FlagsFromTicks(Ticks(), context_.SwitchCnt);
    const PromptAnswer answer = AppPrompt().Message(kTransmitQuestionText, kTransmitQuestionTitle,
                                                    PromptIcon::Question, PromptButtons::OkCancel);
    if (answer != PromptAnswer::Ok) return;
    if (!engine_) {
        AppPrompt().Tell(kFailedToOpenDeviceText, PromptIcon::Warning);
        return;
    }
    requestedAny_ = AnyRequested(context_.Flags);
    // Switched on, the link stays held while the exchanges report; switched
    // off, it is given up.
    const std::string text = ReadingRequestText(kind_.Letter, context_.Flags);
    engine_->Start(std::make_unique<SingleRequest>(text, true, requestedAny_ ? 0 : kActivityReading));
}

void CRecordWindow::OnFinished() {
    switch (engine_->Outcome()) {
    case kTransferDone:
        PostMessage(context_.View, kind_.Id == RecordKindId::Log ? UM_LOG_READING : UM_MONITOR_READING,
                    requestedAny_ ? 1 : 0);
        break;
    case kTransferFailed: AppPrompt().Tell(kFailedToTransmitText, PromptIcon::Warning); break;
    case kTransferOpenFailed: AppPrompt().Tell(kFailedToOpenDeviceText, PromptIcon::Warning); break;
    default: break;  // withdrawn: a status text from an exchange, or Cancel
    }
}

int CRecordWindow::RowsPerPage() const {
    const int rowHeight = std::max(1, table_->verticalHeader()->defaultSectionSize());
    return std::max(1, table_->viewport()->height() / rowHeight);
}

void CRecordWindow::AddRow(RecordRow row) {
    if (context_.Folder) save_->setEnabled(true);  // there is something new to save
    // Rows that come in a burst are scrolled for once: the top row is
    // followed here and applied when the burst is over.
    const int oldTop = scrollPending_ ? top_ : table_->verticalScrollBar()->value();
    const int oldCount = model_.rowCount();
    model_.Add(std::move(row));
    const auto top = ScrollTopAfterAdd(oldCount, oldTop, RowsPerPage(), model_.rowCount());
    top_ = top.value_or(oldTop);
    if (!scrollPending_) {
        scrollPending_ = true;
        QTimer::singleShot(0, this, [this] { ApplyScroll(); });
    }
}

void CRecordWindow::ApplyScroll() {
    scrollPending_ = false;
    table_->doItemsLayout();  // the scroll bar's range follows the rows now
    table_->verticalScrollBar()->setValue(top_);
}

const HistoryKind& CRecordWindow::History() const {
    return kind_.Id == RecordKindId::Log ? kLogHistory : kMonitorHistory;
}

void CRecordWindow::OnDestination() {
    std::string path = *context_.Folder;
    if (!AppPrompt().ChooseFolder("Select Folder", path)) return;
    *context_.Folder = ChosenFolder(path);
    context_.History->ChooseFolder(kind_.Id == RecordKindId::Log ? HistoryOf::Log : HistoryOf::Monitor,
                                   *context_.Folder);
}

// The whole ring under the record lock, so no record comes in half-way.
void CRecordWindow::OnDataSave() {
    const std::string path = DataSaveName(*context_.Folder, History().Prefix, ClockNow());
    bool saved;
    {
        std::lock_guard<std::mutex> lock(context_.Store.Lock);
        saved = kind_.Id == RecordKindId::Log ? SaveRing(context_.Store.Log, path)
                                              : SaveRing(context_.Store.Monitor, path);
    }
    if (!saved) {
        AppPrompt().Tell(DataSaveFailure(History().WriteFailed, path), PromptIcon::Warning);
        return;  // left on: the user can choose another folder and try again
    }
    save_->setEnabled(false);
}

void CRecordWindow::SortByColumn(int column) {
    model_.Sort(column, directions_.Next(column));
}
