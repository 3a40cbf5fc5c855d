#pragma once

#include <QAbstractTableModel>

#include "tables/table.h"

namespace talveno::ui {

// A cell table as the data of a grid view. Row 0 and column 0 of the table are the grid's
// fixed header row and column, so model cell (r, c) is table cell (c + 1, r + 1) and the
// headers read the table's row 0 and column 0. A table of row 0 alone has no fixed header
// row: row 0 is then the one ordinary row, model row 0. The model holds no texts of its own.
class TableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    TableModel(Table& table, bool editable, QObject* parent = nullptr);

    Table& table() { return table_; }
    const Table& table() const { return table_; }
    // Whether the table's row 0 is a fixed header row above the model's rows.
    bool hasHeaderRow() const { return firstRow_ == 1; }
    // The table row shown as a model row.
    int tableRow(int modelRow) const { return modelRow + firstRow_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Shows the table as a command left it: a new row count resets the views, otherwise all
    // shown texts are announced as changed.
    void tableChanged();

  private:
    Table& table_;
    bool editable_;
    int firstRow_;  // the table row shown as model row 0, as the views know it
    int dataRows_;  // the rows the views know of
};

}  // namespace talveno::ui
