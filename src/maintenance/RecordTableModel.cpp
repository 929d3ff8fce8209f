#include "maintenance/RecordTableModel.h"

#include <algorithm>

#include "ui/Text8.h"

RecordTableModel::RecordTableModel(const RecordKind& kind, QObject* parent)
    : QAbstractTableModel(parent), kind_(kind) {}

int RecordTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RecordTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kind_.Columns.size());
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::TextAlignmentRole)
        return int(kind_.Columns[column].Centred ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
    if (role != Qt::DisplayRole) return {};
    const RecordRow& row = rows_[static_cast<std::size_t>(index.row())];
    return column < row.Cells.size() ? FromText8(row.Cells[column]) : QString();
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole) return QString(kind_.Columns[static_cast<std::size_t>(section)].Title);
    // A heading stands where its column's texts do (a wide left-aligned
    // column's heading would be out of sight when centred).
    if (role == Qt::TextAlignmentRole)
        return int(kind_.Columns[static_cast<std::size_t>(section)].Centred ? Qt::AlignCenter
                                                                             : (Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

void RecordTableModel::Add(RecordRow row) {
    if (rows_.size() >= kMaxRecordRows) {
        // After a sort the oldest may stand anywhere: searched for (1000 rows).
        const auto oldest = std::min_element(rows_.begin(), rows_.end(), [](const RecordRow& a, const RecordRow& b) {
            return a.Sequence < b.Sequence;
        });
        const int at = static_cast<int>(oldest - rows_.begin());
        beginRemoveRows({}, at, at);
        rows_.erase(oldest);
        endRemoveRows();
    }
    row.Sequence = next_++;
    const int at = static_cast<int>(rows_.size());
    beginInsertRows({}, at, at);
    rows_.push_back(std::move(row));
    endInsertRows();
}

void RecordTableModel::Sort(int column, bool descending) {
    emit layoutAboutToBeChanged();
    SortRows(rows_, column, descending);
    emit layoutChanged();
}
