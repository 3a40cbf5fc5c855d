#include "ui/string_grid.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include "tables/cell_block.h"
#include "ui/look.h"
#include "ui/number_input.h"
#include "window/grid_rules.h"

namespace talveno::ui {

namespace {

constexpr int kRowHeight = 24;

constexpr int kFrameWidth = 2;  // of the frame around the current cell

// The cells, the current one framed; in the input table, the cell editor: a frameless line
// edit without a context menu of its own that takes full-width numbers as ASCII, inside the
// frame.
class CellDelegate : public QStyledItemDelegate {
  public:
    explicit CellDelegate(QAbstractItemView* view) : QStyledItemDelegate(view), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cell = option;
        cell.state &= ~QStyle::State_HasFocus;  // the frame marks the current cell instead
        QStyledItemDelegate::paint(painter, cell, index);
        if (index != view_->currentIndex()) return;
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Highlight).darker(160), kFrameWidth,
                             Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter->setBrush(Qt::NoBrush);
        const double inset = kFrameWidth / 2.0;
        painter->drawRect(QRectF(option.rect).adjusted(inset, inset, -inset, -inset));
        painter->restore();
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setContextMenuPolicy(Qt::PreventContextMenu);
        editor->setValidator(new HalfWidthNumbers(editor));
        editor->installEventFilter(view_);  // the grid takes the clipboard keys
        return editor;
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex&) const override {
        editor->setGeometry(
            option.rect.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth));
    }

  private:
    QAbstractItemView* view_;
};

// A header whose thickness is fixed: the grid lays out by its size hint, which a header
// otherwise finds by measuring up to 200 of its sections each time its rows change.
class FixedHeader : public QHeaderView {
  public:
    explicit FixedHeader(Qt::Orientation orientation, QWidget* parent)
        : QHeaderView(orientation, parent) {
        setSectionsClickable(true);
        setHighlightSections(false);
    }
    QSize sizeHint() const override { return minimumSize(); }
};

void setUpHeader(QHeaderView* header, bool movable) {
    header->setSectionsMovable(movable);
    header->setTextElideMode(Qt::ElideNone);
    header->setMinimumSectionSize(1);
    QPalette palette = header->palette();
    palette.setColor(QPalette::Button, buttonFace());
    palette.setColor(QPalette::Window, buttonFace());
    header->setPalette(palette);
}

int headerMargins(const QHeaderView* header) {
    return 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
}

}  // namespace

StringGrid::StringGrid(Table& table, bool editable, QWidget* parent)
    : QTableView(parent), model_(table, editable), editable_(editable) {
    setHorizontalHeader(new FixedHeader(Qt::Horizontal, this));
    setVerticalHeader(new FixedHeader(Qt::Vertical, this));
    setModel(&model_);
    // A horizontal scroll bar only where the columns are wider than the grid, as a row-number
    // column widened by a count of a million makes them. It scrolls by whole columns, so that
    // no cell shows cut beside the fixed column: 184.6 would read as 84.6.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);

    QHeaderView* columns = horizontalHeader();
    setUpHeader(columns, editable);
    columns->setFixedHeight(kRowHeight);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    QHeaderView* rows = verticalHeader();
    setUpHeader(rows, editable);
    rows->setMinimumSectionSize(kRowHeight);
    rows->setDefaultSectionSize(kRowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    setItemDelegate(new CellDelegate(this));
    if (editable) {
        setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::AnyKeyPressed |
                        QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
        setTabKeyNavigation(true);
        for (QHeaderView* header : {rows, columns})
            connect(header, &QHeaderView::sectionMoved, this,
                    [this, header](int, int from, int to) { carryMove(header, from, to); });
    } else {
        // The result table takes no editing: Tab leaves it as it leaves any other control.
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setTabKeyNavigation(false);
    }

    // The top left fixed cell shows the table's cell (0, 0).
    if (auto* corner = findChild<QAbstractButton*>()) corner->installEventFilter(this);
    applyColumnWidths();
}

void StringGrid::showTable() {
    model_.tableChanged();
    // Shown or hidden only on a change: showing it again asks the whole grid for a new layout.
    if (horizontalHeader()->isHidden() == model_.hasHeaderRow())
        horizontalHeader()->setHidden(!model_.hasHeaderRow());
    applyColumnWidths();
}

void StringGrid::applyColumnWidths() {
    const Table& table = model_.table();
    verticalHeader()->setFixedWidth(fixedColumnWidth());
    for (int column = 1; column < table.columnCount(); ++column)
        horizontalHeader()->resizeSection(column - 1, table.columnWidth(column));
    fitHeaderFont();
}

// The table's width of column 0, or the room of the widest row number shown.
int StringGrid::fixedColumnWidth() const {
    const Table& table = model_.table();
    const QString widest = QString::fromStdString(window::grid::widestRowNumber(table));
    const int room =
        verticalHeader()->fontMetrics().horizontalAdvance(widest) + headerMargins(verticalHeader());
    return std::max(table.columnWidth(0), room);
}

// One font for the whole header row, the corner cell included, at which every header fits.
void StringGrid::fitHeaderFont() {
    QHeaderView* columns = horizontalHeader();
    QList<TextInRoom> headers;
    for (const auto& [text, room] : window::grid::headerRooms(
             model_.table(), verticalHeader()->width(), headerMargins(columns)))
        headers.append({QString::fromStdString(text), room});
    if (headers == fittedHeaders_) return;  // measuring them again takes longer than a redraw
    fittedHeaders_ = headers;
    const QFont headerFont = fitted(font(), headers);
    if (headerFont != columns->font()) columns->setFont(headerFont);
}

// A fixed cell dragged by the user: the header's own move is undone and the table moves the
// texts instead, so that positions keep meaning row numbers and quantities.
void StringGrid::carryMove(QHeaderView* header, int from, int to) {
    if (undoingHeaderMove_) return;
    undoingHeaderMove_ = true;
    header->moveSection(to, from);
    undoingHeaderMove_ = false;
    if (header->orientation() == Qt::Vertical)
        model_.table().moveRow(from + 1, to + 1);
    else
        model_.table().moveColumn(from + 1, to + 1);
    showTable();
    header->orientation() == Qt::Vertical ? selectRow(to) : selectColumn(to);
}

// Tab goes through the filled rows and on into the row after them, where a new row is typed;
// from a row past the filled rows it leaves the grid.
bool StringGrid::tabLeaves() const {
    return editable_ && window::grid::tabLeaves(currentTableRow(), model_.table().filledRowCount());
}

QModelIndex StringGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action == MoveNext && tabLeaves()) return {};
    return QTableView::moveCursor(action, modifiers);
}

// The editor stays open: closed by Enter or Escape it opens again on the current cell. A
// range selection in progress closes it for good.
void StringGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // The cell's text is in the table already, so a row just begun counts as filled.
    if (hint == QAbstractItemDelegate::EditNextItem && tabLeaves()) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        focusNextChild();
        return;
    }
    QTableView::closeEditor(editor, hint);
    if (editable_ && !selectingRange_ && hasFocus() &&
        hint != QAbstractItemDelegate::EditNextItem &&
        hint != QAbstractItemDelegate::EditPreviousItem && currentIndex().isValid())
        edit(currentIndex());
}

// At the end of its scroll bar Qt lays the last column against the right edge, which cuts the
// first column shown: the columns start with a whole one there too, as everywhere else.
void StringGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    if (dx == 0) return;
    QHeaderView* columns = horizontalHeader();
    const int whole =
        columns->sectionPosition(columns->logicalIndex(horizontalScrollBar()->value()));
    const int cut = columns->offset() - whole;
    if (cut == 0) return;
    columns->setOffset(whole);
    viewport()->scroll(cut, 0);
}

// Dragging from the edited cell to another one selects the range between them.
void StringGrid::mouseMoveEvent(QMouseEvent* event) {
    if (editable_ && (event->buttons() & Qt::LeftButton) && state() == EditingState) {
        const QModelIndex under = indexAt(event->position().toPoint());
        if (under.isValid() && under != currentIndex()) closeEditorForRange();
    }
    QTableView::mouseMoveEvent(event);
}

// A click inside the selection makes the clicked cell the one selected, as a click anywhere
// else does: Qt keeps the selection there for dragging it, which the grids do not do, and a
// click that closes the cell editor would leave it standing around a current cell outside it.
// A right click keeps it for the context menu.
QItemSelectionModel::SelectionFlags StringGrid::selectionCommand(const QModelIndex& index,
                                                                 const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags command = QTableView::selectionCommand(index, event);
    if (!event || event->type() != QEvent::MouseButtonPress || !index.isValid() ||
        command != QItemSelectionModel::NoUpdate)
        return command;
    const auto* press = static_cast<const QMouseEvent*>(event);
    if (press->button() != Qt::LeftButton ||
        (press->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
        return command;
    return QItemSelectionModel::ClearAndSelect;
}

void StringGrid::scrollToTableRow(int row) {
    const int modelRow = row - (model_.hasHeaderRow() ? 1 : 0);
    if (modelRow < 0 || modelRow >= model_.rowCount()) return;
    scrollTo(model_.index(modelRow, std::max(0, currentIndex().column())));
}

int StringGrid::currentTableColumn() const {
    return currentIndex().isValid() ? currentIndex().column() + 1 : 0;
}

int StringGrid::currentTableRow() const {
    return currentIndex().isValid() ? model_.tableRow(currentIndex().row()) : 0;
}

void StringGrid::copySelection() {
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid()) cells << currentIndex();
    if (cells.isEmpty()) return;
    int top = cells.front().row(), bottom = top;
    int left = cells.front().column(), right = left;
    for (const QModelIndex& cell : cells) {
        top = std::min(top, cell.row());
        bottom = std::max(bottom, cell.row());
        left = std::min(left, cell.column());
        right = std::max(right, cell.column());
    }
    const std::string text = cellBlockText(model_.table(), left + 1, right + 1,
                                           model_.tableRow(top), model_.tableRow(bottom));
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

bool StringGrid::selectFilledRows() {
    const int filled = model_.hasHeaderRow() ? model_.table().filledRowCount() : 0;
    const int rows = std::min(filled, model_.rowCount());
    if (rows == 0) return false;
    closeEditorForRange();
    selectionModel()->select(
        QItemSelection(model_.index(0, 0), model_.index(rows - 1, model_.columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect);
    return true;
}

// A range selected closes the open cell editor, its text kept, as dragging across cells does.
void StringGrid::closeEditorForRange() {
    QWidget* editor = indexWidget(currentIndex());
    if (!editor) return;
    selectingRange_ = true;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    selectingRange_ = false;
}

bool StringGrid::clipboardKey(QKeyEvent* key, QLineEdit* editor) {
    if (key->matches(QKeySequence::Copy)) {
        if (editor && editor->hasSelectedText()) return false;
        if (editor) commitData(editor);
        copySelection();
        return true;
    }
    if (key->matches(QKeySequence::SelectAll)) return selectFilledRows();
    if (!editable_) return false;
    if (key->matches(QKeySequence::Paste)) {
        if (isCellBlock(QGuiApplication::clipboard()->text().toStdString())) {
            emit pasteRequested();
            return true;
        }
        if (editor || !currentIndex().isValid()) return false;
        edit(currentIndex());  // a single value goes into the cell editor
        if (auto* opened = qobject_cast<QLineEdit*>(indexWidget(currentIndex()))) opened->paste();
        return true;
    }
    if (key->matches(QKeySequence::Undo)) {
        if (editor && editor->isUndoAvailable()) return false;
        emit undoRequested();
        return true;
    }
    return false;
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
    if (clipboardKey(event, nullptr)) return;
    using window::grid::KeyAction;
    // The key by its browser name, as the grids' rule takes it.
    const int key = event->key();
    const std::string_view name = key == Qt::Key_Return || key == Qt::Key_Enter ? "Enter"
                                  : key == Qt::Key_Menu                         ? "ContextMenu"
                                  : key == Qt::Key_F10                          ? "F10"
                                                                                : "";
    const Qt::KeyboardModifiers held = event->modifiers();
    const KeyAction action =
        window::grid::keyAction(name, held & Qt::ShiftModifier, held & Qt::ControlModifier,
                                held & (Qt::AltModifier | Qt::MetaModifier));
    if (editable_ || !currentIndex().isValid() || action == KeyAction::None)
        QTableView::keyPressEvent(event);
    else if (action == KeyAction::ContextMenu)
        emit menuKeyPressed(visualRect(currentIndex()).center());
    else if (action == KeyAction::OpenCurves)
        emit rowCurvesOpened();
    else
        emit rowOpened();
}

// The menu key as the platform reports it (X11 sends a context menu request of its own ahead of
// the key) is the menu key pressed in the grid.
bool StringGrid::event(QEvent* event) {
    if (event->type() == QEvent::ContextMenu && !editable_ &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        if (currentIndex().isValid()) emit menuKeyPressed(visualRect(currentIndex()).center());
        return true;
    }
    return QTableView::event(event);
}

bool StringGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* editor = qobject_cast<QLineEdit*>(watched);
        if (editor && clipboardKey(static_cast<QKeyEvent*>(event), editor)) return true;
    }
    auto* corner = qobject_cast<QAbstractButton*>(watched);
    if (corner && event->type() == QEvent::Paint) {
        QStylePainter painter(corner);
        painter.setFont(horizontalHeader()->font());
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.fontMetrics = horizontalHeader()->fontMetrics();
        option.palette = horizontalHeader()->palette();
        option.rect = corner->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = QString::fromStdString(model_.table().cell(0, 0));
        option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        painter.drawControl(QStyle::CE_Header, option);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

}  // namespace talveno::ui
