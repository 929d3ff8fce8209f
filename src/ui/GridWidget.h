#pragma once
// The editable grid the editors and the data windows show their rows in: a
// thin layer over QTableWidget. Texts are 8-bit; on screen the single-byte
// katakana appear as their half-width forms, and typed text that has no 8-bit
// form is refused (the cell keeps its text). The owner decides every edit:
// BeginEdit may refuse to open an editor, EndEdit gets the entered text and
// returns what the cell shows afterwards. The arrow keys move between the
// cells; Tab leaves the grid, from an open cell editor too (keeping its text).
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class GridWidget : public QTableWidget {
    Q_OBJECT
public:
    explicit GridWidget(QWidget* parent = nullptr);

    // The header row: one title per column (titles may hold a line break).
    void SetColumns(const std::vector<std::string>& titles);
    void SetRows(int rows);

    void SetCellText(int row, int column, std::string_view text);
    std::string CellText(int row, int column) const;

    void SetCellReadOnly(int row, int column, bool readOnly);
    bool CellReadOnly(int row, int column) const;
    // Every cell of the column, rows added later included.
    void SetColumnReadOnly(int column, bool readOnly);

    // Cells of the column take one of these texts, chosen from a drop-down.
    void SetColumnChoices(int column, std::vector<std::string> choices);
    const std::vector<std::string>& ColumnChoices(int column) const;

    // Pixels: column widths, the height of every row and of the header row.
    void SetColumnWidthPx(int column, int width);
    void SetRowHeightPx(int height, int headerHeight);
    // Widens the column beyond the width set where one of its texts would
    // otherwise be cut; narrows it back to that width when they fit again.
    void FitColumnToTexts(int column);

    // Moves the current cell there, scrolls to it and takes the focus.
    void SetFocusCell(int row, int column);

    // Logical rows in the order the grid shows them (what is printed).
    std::vector<int> RowOrder() const;

    // Typing into a cell as the user does: BeginEdit, conversion, EndEdit.
    // False when the edit was refused before EndEdit (read-only, BeginEdit
    // said no, or a character without an 8-bit form).
    bool EnterText(int row, int column, const QString& text);

    std::function<bool(int row, int column)> BeginEdit;
    std::function<std::string(int row, int column, const std::string& text)> EndEdit;

private:
    friend class GridDelegate;
    bool MayEdit(int row, int column) const;
    void Commit(int row, int column, const QString& typed);
    QTableWidgetItem* Item(int row, int column);

    std::vector<bool> readOnlyColumns_;
    std::vector<int> widths_;  // as set, before FitColumnToTexts
    std::vector<std::vector<std::string>> choices_;
};

// Editors of the grid's cells: a line edit, or a drop-down for choice columns.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(GridWidget* grid) : QStyledItemDelegate(grid), grid_(grid) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    GridWidget* grid_;
};
