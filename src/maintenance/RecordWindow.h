#pragma once
// The Log Data and the Communication Monitor window: one class, told apart by
// its RecordKind. It switches reading on and off at the chosen exchanges,
// shows the records kept so far and every record that arrives while it is
// open, and sorts them by a column. Closing it leaves reading running.
#include <QDialog>
#include <string>
#include <vector>

#include "link/TransferEngine.h"
#include "maintenance/HistoryStore.h"
#include "maintenance/ReadingRequest.h"
#include "maintenance/RecordKinds.h"
#include "maintenance/RecordRing.h"
#include "maintenance/RecordTableModel.h"
#include "printout/PrintJob.h"

class CTHLogSave;
class LinkSession;
class QComboBox;
class QPushButton;
class QStandardItemModel;
class QTableView;

struct RecordWindowContext {
    RecordStore& Store;
    RequestFlags& Flags;  // the view's flags of this kind
    int SwitchCnt = 1;
    LinkSession* Link = nullptr;  // none: nothing can be sent
    QObject* View = nullptr;      // told the reading state (UM_LOG_READING / UM_MONITOR_READING)
    CTHLogSave* History = nullptr;  // the history files' worker; none: Destination is off
    std::string* Folder = nullptr;  // the view's folder of this kind's files (Destination, Data Save)
    PrintSender Print;              // where Print hands the rows; none: Print is disabled
};

class CRecordWindow : public QDialog {
    Q_OBJECT
public:
    CRecordWindow(QWidget* parent, const RecordKind& kind, RecordWindowContext context);

    // A record that arrived: a row at the end, the oldest dropped beyond 1000.
    void AddRow(RecordRow row);
    // A header click: sorts by column in its direction, then flips it.
    void SortByColumn(int column);

    const RecordKind& Kind() const { return kind_; }
    RecordTableModel& Rows() { return model_; }
    QTableView* Table() const { return table_; }
    QComboBox* Selector() const { return selector_; }
    QStandardItemModel* SelectorItems() const { return items_; }
    QPushButton* SelectButton() const { return select_; }
    QPushButton* CloseButton() const { return close_; }
    QPushButton* DataSaveButton() const { return save_; }
    QPushButton* DestinationButton() const { return destination_; }
    // The two buttons' actions.
    void OnDataSave();
    void OnDestination();
    TransferEngine* Transfer() { return engine_.get(); }
    // The exchanges' ticks, in selector order, and setting one of them.
    std::vector<bool> Ticks() const;
    void SetTick(int item, bool ticked);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void OnSelect();
    void OnFinished();
    const HistoryKind& History() const;
    void ShowSelectorText();
    void ApplyScroll();
    int RowsPerPage() const;

    const RecordKind& kind_;
    RecordWindowContext context_;
    RecordTableModel model_;
    SortDirections directions_;
    std::unique_ptr<TransferEngine> engine_;
    bool requestedAny_ = false;  // what the request under way asks for
    QTableView* table_;
    QComboBox* selector_;
    QStandardItemModel* items_;
    QPushButton* select_;
    QPushButton* close_;
    QPushButton* save_;
    QPushButton* destination_;
    int top_ = 0;                 // the top row the list is to show
    bool scrollPending_ = false;  // rows came in since the list was last scrolled
};
