#pragma once

#include <QTableView>

class QLineEdit;

#include "ui/look.h"
#include "ui/table_model.h"

namespace talveno::ui {

// A text grid over a cell table: the table's row 0 and column 0 are the fixed header row and
// column, drawn in the button-face colour; rows are 24 pixels high.
// The data columns keep the table's widths: texts too wide for a cell are cut at its edge, and
// the headers take a smaller font where they need one to show whole. The fixed column widens
// where its widest row number needs more room than the table's width gives; a horizontal
// scroll bar shows where the columns are then wider than the grid. The current cell is framed,
// and a click selects the cell clicked alone, inside an earlier selection too.
// An editable grid keeps its cell editor open on the current cell, so typing goes straight
// in (full-width numbers as ASCII), Tab moves from cell to cell, and it moves whole rows and
// columns when their fixed cells are dragged, carrying the move into the table so that commands
// read by position. Ctrl+C copies the selected cells to the clipboard as tab-separated rows and
// Ctrl+A selects the filled rows; in the editable grid Ctrl+V with a block of cells on the
// clipboard and Ctrl+Z ask the window to paste and to take the paste back (a single value goes into
// the open cell editor, and Ctrl+Z undoes typing there first). In the read-only grid Enter asks
// the window to open the current row, and the menu key or Shift+F10 to open the context menu.
class StringGrid : public QTableView {
    Q_OBJECT
  public:
    StringGrid(Table& table, bool editable, QWidget* parent);

    // Shows the table as a command left it: row count, texts and column widths.
    void showTable();

    // Brings a table row into view when it is one of the rows shown.
    void scrollToTableRow(int row);

    // The table column and row of the current cell; row 0 with none.
    int currentTableColumn() const;
    int currentTableRow() const;

    // The selected cells (the current one when none is selected) on the clipboard.
    void copySelection();
    // Selects the data cells of the filled rows shown; false when there are none.
    bool selectFilledRows();

  signals:
    void pasteRequested();
    void undoRequested();
    void rowOpened();
    // Shift+Enter on a row of the read-only grid.
    void rowCurvesOpened();
    // The context menu asked for by a key, at a point of the viewport (the current cell).
    void menuKeyPressed(const QPoint& at);

  protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Handles a clipboard key pressed in the grid or in the open cell editor; false to leave
    // it to the editor.
    bool clipboardKey(QKeyEvent* key, QLineEdit* editor);
    void closeEditorForRange();
    bool tabLeaves() const;

    void carryMove(QHeaderView* header, int from, int to);
    void applyColumnWidths();
    int fixedColumnWidth() const;
    void fitHeaderFont();

    TableModel model_;
    QList<TextInRoom> fittedHeaders_;  // the headers the header font was last fitted to
    bool editable_;
    bool undoingHeaderMove_ = false;
    bool selectingRange_ = false;
};

}  // namespace talveno::ui
