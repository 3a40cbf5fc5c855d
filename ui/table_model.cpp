#include "ui/table_model.h"

namespace talveno::ui {

namespace {

QString text(const std::string& cell) {
    return QString::fromStdString(cell);
}

int firstShownRow(const Table& table) {
    return table.rowCount() > 1 ? 1 : 0;
}

}  // namespace

TableModel::TableModel(Table& table, bool editable, QObject* parent)
    : QAbstractTableModel(parent),
      table_(table),
      editable_(editable),
      firstRow_(firstShownRow(table)),
      dataRows_(table.rowCount() - firstRow_) {}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : dataRows_;
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.columnCount() - 1;
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return text(table_.cell(index.column() + 1, index.row() + firstRow_));
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!editable_ || !index.isValid() || role != Qt::EditRole) return false;
    std::string typed = value.toString().toStdString();
    const int row = index.row() + firstRow_;
    if (typed == table_.cell(index.column() + 1, row)) return true;
    table_.setCell(index.column() + 1, row, std::move(typed));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0) return {};
    if (orientation == Qt::Vertical) return text(table_.cell(0, section + firstRow_));
    return hasHeaderRow() ? text(table_.cell(section + 1, 0)) : QVariant();
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return editable_ ? flags | Qt::ItemIsEditable : flags;
}

void TableModel::tableChanged() {
    const int firstRow = firstShownRow(table_);
    const int rows = table_.rowCount() - firstRow;
    if (rows != dataRows_ || firstRow != firstRow_) {
        beginResetModel();
        firstRow_ = firstRow;
        dataRows_ = rows;
        endResetModel();
        return;
    }
    if (rows > 0) emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rows > 0) emit headerDataChanged(Qt::Vertical, 0, rows - 1);
}

}  // namespace talveno::ui
