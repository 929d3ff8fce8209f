#pragma once
// The rows of a log or monitor window as a table model: at most 1000, the
// oldest dropped first, each added in constant time whatever the count.
#include <QAbstractTableModel>
#include <deque>

#include "maintenance/RecordKinds.h"
#include "maintenance/RecordRows.h"

class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    RecordTableModel(const RecordKind& kind, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Appends row; a full list first drops its oldest row (the earliest added,
    // wherever a sort has put it).
    void Add(RecordRow row);
    void Sort(int column, bool descending);
    const std::deque<RecordRow>& Rows() const { return rows_; }
    // Every row added since the window opened, dropped ones included.
    std::uint64_t Added() const { return next_; }

private:
    const RecordKind& kind_;
    std::deque<RecordRow> rows_;
    std::uint64_t next_ = 0;
};
