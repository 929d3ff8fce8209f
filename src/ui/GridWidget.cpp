#include "ui/GridWidget.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "core/KatakanaText.h"

namespace {
QString Shown(std::string_view text8) { return QString::fromStdU16String(Text8ToUtf16(text8)); }

const std::vector<std::string> kNoChoices;
}  // namespace

GridWidget::GridWidget(QWidget* parent) : QTableWidget(parent) {
    setItemDelegate(new GridDelegate(this));
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab goes on to the window's next control instead of through every cell.
    setTabKeyNavigation(false);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
}

void GridWidget::SetColumns(const std::vector<std::string>& titles) {
    setColumnCount(static_cast<int>(titles.size()));
    QStringList labels;
    for (const std::string& t : titles) labels << Shown(t);
    setHorizontalHeaderLabels(labels);
    readOnlyColumns_.assign(titles.size(), false);
    widths_.assign(titles.size(), horizontalHeader()->defaultSectionSize());
    choices_.assign(titles.size(), {});
}

void GridWidget::SetRows(int rows) {
    clearContents();
    setRowCount(rows);
}

QTableWidgetItem* GridWidget::Item(int row, int column) {
    QTableWidgetItem* it = item(row, column);
    if (!it && row >= 0 && row < rowCount() && column >= 0 && column < columnCount()) {
        it = new QTableWidgetItem;
        if (readOnlyColumns_[static_cast<std::size_t>(column)]) it->setFlags(it->flags() & ~Qt::ItemIsEditable);
        setItem(row, column, it);
    }
    return it;
}

void GridWidget::SetCellText(int row, int column, std::string_view text) {
    if (QTableWidgetItem* it = Item(row, column)) it->setText(Shown(text));
}

std::string GridWidget::CellText(int row, int column) const {
    const QTableWidgetItem* it = item(row, column);
    std::string out;
    if (it) Utf16ToText8(it->text().toStdU16String(), out);
    return out;
}

void GridWidget::SetCellReadOnly(int row, int column, bool readOnly) {
    QTableWidgetItem* it = Item(row, column);
    if (!it) return;
    it->setFlags(readOnly ? it->flags() & ~Qt::ItemIsEditable : it->flags() | Qt::ItemIsEditable);
}

bool GridWidget::CellReadOnly(int row, int column) const {
    if (column < 0 || column >= columnCount() || row < 0 || row >= rowCount()) return true;
    const QTableWidgetItem* it = item(row, column);
    if (!it) return readOnlyColumns_[static_cast<std::size_t>(column)];
    return !(it->flags() & Qt::ItemIsEditable);
}

void GridWidget::SetColumnReadOnly(int column, bool readOnly) {
    if (column < 0 || column >= columnCount()) return;
    readOnlyColumns_[static_cast<std::size_t>(column)] = readOnly;
    for (int r = 0; r < rowCount(); ++r) SetCellReadOnly(r, column, readOnly);
}

void GridWidget::SetColumnChoices(int column, std::vector<std::string> choices) {
    if (column >= 0 && column < columnCount()) choices_[static_cast<std::size_t>(column)] = std::move(choices);
}

const std::vector<std::string>& GridWidget::ColumnChoices(int column) const {
    if (column < 0 || column >= columnCount()) return kNoChoices;
    return choices_[static_cast<std::size_t>(column)];
}

void GridWidget::SetColumnWidthPx(int column, int width) {
    if (column >= 0 && column < columnCount()) widths_[static_cast<std::size_t>(column)] = width;
    setColumnWidth(column, width);
}

void GridWidget::FitColumnToTexts(int column) {
    if (column < 0 || column >= columnCount()) return;
    // What the delegate asks for a cell is what it draws uncut; the grid line
    // takes one pixel of the column besides.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int line = showGrid() ? 1 : 0;
    int width = widths_[static_cast<std::size_t>(column)];
    for (int r = 0; r < rowCount(); ++r)
        width = std::max(width, itemDelegate()->sizeHint(option, model()->index(r, column)).width() + line);
    setColumnWidth(column, width);
}

void GridWidget::SetRowHeightPx(int height, int headerHeight) {
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(height);
    horizontalHeader()->setFixedHeight(headerHeight);
}

void GridWidget::SetFocusCell(int row, int column) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return;
    setCurrentCell(row, column);
    scrollTo(model()->index(row, column));
    setFocus(Qt::OtherFocusReason);
}

std::vector<int> GridWidget::RowOrder() const {
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(rowCount()));
    for (int visual = 0; visual < rowCount(); ++visual) order.push_back(verticalHeader()->logicalIndex(visual));
    return order;
}

bool GridWidget::MayEdit(int row, int column) const {
    if (CellReadOnly(row, column)) return false;
    return !BeginEdit || BeginEdit(row, column);
}

void GridWidget::Commit(int row, int column, const QString& typed) {
    std::string text;
    if (!Utf16ToText8(typed.toStdU16String(), text)) return;  // no 8-bit form: the cell keeps its text
    SetCellText(row, column, EndEdit ? EndEdit(row, column, text) : text);
}

bool GridWidget::EnterText(int row, int column, const QString& text) {
    if (!MayEdit(row, column)) return false;
    std::string converted;
    if (!Utf16ToText8(text.toStdU16String(), converted)) return false;
    Commit(row, column, text);
    return true;
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    if (!grid_->MayEdit(index.row(), index.column())) return nullptr;
    const std::vector<std::string>& choices = grid_->ColumnChoices(index.column());
    if (choices.empty()) return QStyledItemDelegate::createEditor(parent, option, index);
    auto* combo = new QComboBox(parent);
    for (const std::string& c : choices) combo->addItem(Shown(c));
    return combo;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int at = combo->findText(index.data(Qt::EditRole).toString());
        if (at >= 0) combo->setCurrentIndex(at);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    // The grid, not the model, takes the text: the owner decides what stays.
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        grid_->Commit(index.row(), index.column(), combo->currentText());
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        grid_->Commit(index.row(), index.column(), edit->text());
    }
}

bool GridDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool back = key->key() == Qt::Key_Backtab ||
                          (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
        if (back || key->key() == Qt::Key_Tab) {
            // The item view would open the next cell's editor; the grid is left instead.
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            grid_->focusNextPrevChild(!back);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
