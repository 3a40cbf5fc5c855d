#pragma once

#include <QTableView>

#include "ui/table_model.h"

namespace talveno::ui {

// A text grid over a cell table: the table's row 0 and column 0 are the fixed header row and
// column, drawn in the button-face colour; rows are 24 pixels high; only a vertical scroll bar.
// An editable grid keeps its cell editor open on the current cell, so typing goes straight
// in, and moves whole rows and columns when their fixed cells are dragged, carrying the move
// into the table so that commands read by position.
class StringGrid : public QTableView {
    Q_OBJECT
  public:
    StringGrid(Table& table, bool editable, QWidget* parent);

    TableModel& tableModel() { return model_; }

    // Shows the table as a command left it: row count, texts and column widths.
    void showTable();

  protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void carryMove(QHeaderView* header, int from, int to);
    void applyColumnWidths();

    TableModel model_;
    bool editable_;
    bool undoingHeaderMove_ = false;
    bool selectingRange_ = false;
};

}  // namespace talveno::ui
