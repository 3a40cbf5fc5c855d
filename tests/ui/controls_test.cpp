// The controls themselves: the grids' editing and moving, texts, cursors, focus order and the
// missing context menu.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <cstring>

#include "window/layout.h"
#include "window_fixture.h"

namespace talveno::ui::testing {
namespace {

TEST_F(GridTest, typing_goes_straight_into_the_cell_and_tab_moves_on) {
    QWidget* editor = focusCell("StringGrid1", 1, 1);
    ASSERT_TRUE(qobject_cast<QLineEdit*>(editor)) << "the cell editor is open";
    QTest::keyClicks(editor, "60");
    QTest::keyClick(editor, Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "50");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "0.02");
    QTest::mouseClick(find<QLineEdit>("Edit1"), Qt::LeftButton);  // leaving keeps the text
    EXPECT_EQ(row("StringGrid1", 1, 4), "60|50|0.02|");
}

// Tab walks the filled rows and on into the row after them, where a new row is typed; from
// there it leaves the input table, unless a penetration typed made that row a filled one.
TEST_F(GridTest, tab_past_the_row_after_the_filled_rows_leaves_the_input_table) {
    for (const char* typed : {"", "60"}) {
        SCOPED_TRACE(typed);
        SetUp();
        typeRow(1, kWorkedRow);
        typeRow(2, kWorkedRow);
        QTest::keyClick(focusCell("StringGrid1", 5, 2), Qt::Key_Tab);  // column 6 of row 2
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);     // column 1 of row 3
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QWidget* focused = QApplication::focusWidget();
        if (*typed)
            EXPECT_TRUE(grid("StringGrid1")->isAncestorOf(focused));
        else
            EXPECT_EQ(focused->objectName(), "BitBtn2");
    }
}

TEST_F(GridTest, the_editor_reopens_after_enter_and_escape) {
    QWidget* editor = focusCell("StringGrid1", 2, 3);
    QTest::keyClicks(editor, "47.5");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the editor hands its text over after the key
    EXPECT_EQ(cell("StringGrid1", 2, 3), "47.5");
    editor = QApplication::focusWidget();
    ASSERT_TRUE(qobject_cast<QLineEdit*>(editor));
    QTest::keyClicks(editor, "9");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(cell("StringGrid1", 2, 3), "47.5");
    EXPECT_TRUE(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
}

TEST_F(GridTest, dragging_across_cells_selects_a_range) {
    QTableView* view = grid("StringGrid1");
    focusCell("StringGrid1", 5, 4);  // the editor is open elsewhere
    const QPoint from = view->visualRect(at("StringGrid1", 1, 1)).center();
    const QPoint to = view->visualRect(at("StringGrid1", 3, 2)).center();
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), view->viewport()->mapToGlobal(QPointF(to)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, to);
    EXPECT_EQ(view->selectionModel()->selectedIndexes().size(), 6);
}

TEST_F(GridTest, a_dragged_row_moves_its_texts_and_number) {
    typeRow(1, kWorkedRow);
    typeRow(2, {"60", "50", "0.02", "25", "12", "4"});
    typeRow(3, {"40", "55", "1", "30", "10", "6"});
    QHeaderView* rows = grid("StringGrid1")->verticalHeader();
    rows->moveSection(0, 2);  // row 1 dropped on row 3
    EXPECT_EQ(cell("StringGrid1", 0, 1), "2");
    EXPECT_EQ(cell("StringGrid1", 1, 1), "60");
    EXPECT_EQ(cell("StringGrid1", 0, 3), "1");
    EXPECT_EQ(row("StringGrid1", 3, 6), "80|50|1|0|12|4");
    for (int visual = 0; visual < rows->count(); ++visual)
        ASSERT_EQ(rows->logicalIndex(visual), visual) << "positions mean rows";
    click("BitBtn4");
    EXPECT_EQ(row("StringGrid2", 3, 8), kWorkedResult);  // computed by position
    EXPECT_EQ(cell("StringGrid2", 0, 3), "3");
}

TEST_F(GridTest, a_dragged_column_is_read_as_the_quantity_of_its_new_place) {
    typeRow(1, kWorkedRow);
    QHeaderView* columns = grid("StringGrid1")->horizontalHeader();
    columns->moveSection(1, 0);  // softening point dropped on penetration
    EXPECT_EQ(cell("StringGrid1", 1, 0), "軟化点(℃)");
    EXPECT_EQ(cell("StringGrid1", 2, 0), "針入度(1/10mm)");
    EXPECT_EQ(row("StringGrid1", 1, 6), "50|80|1|0|12|4");
    EXPECT_EQ(columns->logicalIndex(0), 0);
    click("BitBtn4");
    EXPECT_EQ(row("StringGrid2", 1, 2), "50|80");
}

TEST_F(GridTest, the_result_table_takes_no_typing_and_no_moves) {
    typeRow(1, kWorkedRow);
    click("BitBtn4");
    QWidget* focused = focusCell("StringGrid2", 1, 1);
    QTest::keyClicks(focused, "9");
    EXPECT_EQ(cell("StringGrid2", 1, 1), "80");
    EXPECT_FALSE(grid("StringGrid2")->verticalHeader()->sectionsMovable());
    EXPECT_FALSE(grid("StringGrid2")->horizontalHeader()->sectionsMovable());
}

TEST_F(GridTest, a_right_click_on_the_input_page_opens_no_menu) {
    focusCell("StringGrid1", 1, 1);  // the cell editor too
    QWidget* page = find<QWidget>("TabSheet2");
    QList<QWidget*> targets = page->findChildren<QWidget*>();
    targets << page;
    for (QWidget* target : targets) {
        if (!target->isVisible()) continue;
        const QPoint inside = target->rect().center();
        QContextMenuEvent request(QContextMenuEvent::Mouse, inside, target->mapToGlobal(inside));
        QApplication::sendEvent(target, &request);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr)
            << target->metaObject()->className() << " " << target->objectName().toStdString();
    }
}

TEST_F(GridTest, tab_moves_through_each_parents_controls_in_focus_order) {
    const auto order = [this](const char* parent) {
        QWidget* owner = find<QWidget>(parent);
        QStringList names;
        QWidget* widget = form_.get();
        do {
            widget = widget->nextInFocusChain();
            if (widget->parentWidget() == owner && (widget->focusPolicy() & Qt::TabFocus))
                names << widget->objectName();
        } while (widget != form_.get());
        return names.join(' ');
    };
    EXPECT_EQ(order("TabSheet1"), "BitBtn1");
    EXPECT_EQ(order("Panel1"), "Button11");
    EXPECT_EQ(order("GroupBox2"), "Edit4 Button12");
    EXPECT_EQ(order("TabSheet2"),
              "StringGrid1 BitBtn2 BitBtn3 BitBtn4 Button2 Memo1 Button3 Button6");
    EXPECT_EQ(order("Panel3"), "Button7 Button8 Button9 Edit1 Edit2 Edit3 Button10");
    EXPECT_EQ(order("TabSheet3"), "StringGrid2 BitBtn5 BitBtn6 Memo2 Button4 Button5");
}

// The result table takes no editing: one Tab leaves it, as it leaves any other control.
TEST_F(GridTest, tab_leaves_the_result_table_for_the_controls_after_it) {
    typeRow(1, kWorkedRow);
    click("BitBtn4");
    QWidget* focused = focusCell("StringGrid2", 3, 1);
    QStringList walked;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(focused, Qt::Key_Tab);
        focused = QApplication::focusWidget();
        walked << focused->objectName();
    }
    EXPECT_EQ(walked.join(' '), "BitBtn5 BitBtn6 Memo2 Button4 Button5");
}

// Full-width text as an input method in full-width mode types it: key events that carry the
// characters, or its commit of a whole word.
void typeFullWidth(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
void commitFullWidth(QWidget* widget, const QString& text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(widget, &commit);
}

// Typed or pasted into a cell or a row box.
TEST_F(GridTest, full_width_numbers_are_kept_in_their_ascii_forms) {
    const struct {
        const char* typed;
        const char* kept;
    } cases[] = {
        {"８０", "80"},
        {"－１．５Ｅ＋２", "-1.5E+2"},
        {"−０．０２ｅ－１", "-0.02e-1"},
        {"　４７．５　", " 47.5 "},
        {"８０ｘ℃", "80ｘ℃"},  // other characters stay
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const QString typed = QString::fromUtf8(c.typed);
        ++row;
        typeFullWidth(focusCell("StringGrid1", 1, row), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(cell("StringGrid1", 1, row), c.kept);
        QGuiApplication::clipboard()->setText(typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(cell("StringGrid1", 2, row), c.kept) << "pasted";
        for (const char* name : {"Edit1", "Edit2", "Edit3"}) {
            QLineEdit* box = find<QLineEdit>(name);
            box->clear();
            name == std::string("Edit1") ? commitFullWidth(box, typed) : typeFullWidth(box, typed);
            EXPECT_EQ(box->text(), c.kept) << name;
        }
    }
    // A block of cells pasted at once.
    QGuiApplication::clipboard()->setText(QStringLiteral("８０\t５０\n６０\t４７．５\n"));
    QTest::keyClick(focusCell("StringGrid1", 3, 7), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(this->row("StringGrid1", 7, 4), "||80|50");
    EXPECT_EQ(this->row("StringGrid1", 8, 4), "||60|47.5");
    // The maximum data count on the start page.
    clickTab(QStringLiteral("スタート"));
    QLineEdit* count = find<QLineEdit>("Edit4");
    count->selectAll();
    commitFullWidth(count, QStringLiteral("１２０"));
    click("BitBtn1");
    EXPECT_EQ(dataRows("StringGrid1"), 120);
}

// A click inside an earlier selection leaves the clicked cell the one selected, and the current
// cell has a frame of its own in both tables.
TEST_F(GridTest, the_current_cell_is_framed_and_an_old_selection_goes_when_it_moves) {
    typeRow(1, kWorkedRow);
    QTableView* view = grid("StringGrid1");
    const auto centre = [&](const char* name, int column, int row) {
        return grid(name)->visualRect(at(name, column, row)).center();
    };
    focusCell("StringGrid1", 1, 1);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      centre("StringGrid1", 3, 3));
    ASSERT_EQ(view->selectionModel()->selectedIndexes().size(), 9);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre("StringGrid1", 2, 2));
    EXPECT_EQ(view->selectionModel()->selectedIndexes(), QModelIndexList{at("StringGrid1", 2, 2)});
    EXPECT_EQ(view->currentIndex(), at("StringGrid1", 2, 2));

    click("BitBtn4");
    QTableView* results = grid("StringGrid2");
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, centre("StringGrid2", 1, 1));
    QTest::mouseClick(results->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      centre("StringGrid2", 4, 1));
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, centre("StringGrid2", 3, 1));
    EXPECT_EQ(results->selectionModel()->selectedIndexes().size(), 1);

    clickTab(QStringLiteral("データ入力と計算"));
    focusCell("StringGrid1", 2, 2);
    for (const char* name : {"StringGrid1", "StringGrid2"}) {
        if (QString::fromLatin1(name) == "StringGrid2") {
            click("BitBtn4");
            focusCell(name, 2, 2);
        }
        SCOPED_TRACE(name);
        QTableView* grid = this->grid(name);
        const QRect current = grid->visualRect(at(name, 2, 2));
        const QImage shot = grid->viewport()->grab().toImage();
        const QColor frame = grid->palette().color(QPalette::Highlight).darker(160);
        for (const QPoint edge : {QPoint(current.left(), current.center().y()),
                                  QPoint(current.center().x(), current.top() + 1),
                                  QPoint(current.right() - 1, current.center().y())})
            EXPECT_EQ(shot.pixelColor(edge).rgb(), frame.rgb()) << edge.x() << "," << edge.y();
        const QRect other = grid->visualRect(at(name, 2, 3));
        EXPECT_NE(shot.pixelColor(other.left(), other.center().y()).rgb(), frame.rgb());
        if (QWidget* editor = grid->indexWidget(at(name, 2, 2))) {
            EXPECT_EQ(editor->geometry(), current.adjusted(2, 2, -2, -2)) << "inside the frame";
        }
    }
}

// Copied rows come into view; one below the rows shown is kept without moving the table.
TEST_F(GridTest, a_copied_row_comes_into_view_when_it_is_a_row_shown) {
    for (int r = 1; r <= 30; ++r) typeRow(r, kWorkedRow);
    QTableView* view = grid("StringGrid1");
    const auto shown = [&](int row) {
        return view->viewport()->rect().contains(view->visualRect(at("StringGrid1", 1, row)));
    };
    focusCell("StringGrid1", 1, 1);
    ASSERT_FALSE(shown(31));
    click("Button7");
    EXPECT_TRUE(shown(31));
    view->scrollToTop();
    setText("Edit1", "2");
    click("Button9");
    EXPECT_TRUE(shown(32));
    for (int r = 33; r <= 50; ++r) typeRow(r, kWorkedRow);
    view->scrollToTop();
    click("Button7");
    EXPECT_EQ(view->verticalScrollBar()->value(), 0) << "row 51 is not shown";
    start(QStringLiteral("60"));
    EXPECT_EQ(cell("StringGrid1", 1, 51), "80");
}

// A count of 100,000 or more widens the row-number columns past the tables' width: then, and only
// then, a horizontal scroll bar brings the last column into view, Smix whole. It scrolls by whole
// columns, so that the first column shown is never cut beside the row numbers (184.6 as
// "84.6"); Edit4 shows the largest count whole.
TEST_F(GridTest, a_horizontal_scroll_bar_shows_only_where_the_columns_are_wider) {
    typeRow(1, kWorkedRow);
    for (const char* count : {"50", "1000000", "50"}) {
        SCOPED_TRACE(count);
        start(QString::fromLatin1(count));
        click("BitBtn4");
        const bool wide = QString::fromLatin1(count) != "50";
        for (const char* name : {"StringGrid2", "StringGrid1"}) {
            if (QString::fromLatin1(name) == "StringGrid1")
                clickTab(QStringLiteral("データ入力と計算"));
            QTableView* view = grid(name);
            QScrollBar* bar = view->horizontalScrollBar();
            // The grids lay out anew once the events of the change are handled.
            EXPECT_TRUE(QTest::qWaitFor([&] { return bar->isVisible() == wide; }, 2000)) << name;
            QHeaderView* columns = view->horizontalHeader();
            const int last = columns->count() - 1;
            for (int value = bar->maximum(); value >= 0; --value) {
                bar->setValue(value);
                EXPECT_EQ(columns->sectionViewportPosition(value), 0) << name << " at " << value;
            }
            bar->setValue(bar->maximum());
            EXPECT_LE(columns->sectionViewportPosition(last) + columns->sectionSize(last),
                      view->viewport()->width())
                << name << " shows its last column whole";
        }
        auto* edit4 = find<QLineEdit>("Edit4");
        edit4->setCursorPosition(int(std::strlen(count)));
        EXPECT_GE(edit4->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x(),
                  edit4->fontMetrics().horizontalAdvance(QString::fromLatin1(count)))
            << "Edit4 scrolled its text";
    }
}

TEST_F(GridTest, tab_enters_a_radio_group_on_its_checked_item_and_space_keeps_it) {
    const struct {
        int unit;
        int correction;
        const char* from;
        Qt::Key key;
        const char* lands;
    } cases[] = {
        {0, 0, "BitBtn1", Qt::Key_Tab, "MPa"},       {1, 0, "BitBtn1", Qt::Key_Tab, "kgf/cm2"},
        {0, 0, "Button11", Qt::Key_Backtab, "なし"}, {0, 1, "Button11", Qt::Key_Backtab, "あり"},
        {0, 1, "MPa", Qt::Key_Tab, "あり"},          {1, 0, "なし", Qt::Key_Backtab, "kgf/cm2"},
    };
    clickTab(QStringLiteral("スタート"));
    const auto item = [this](const QString& text) -> QRadioButton* {
        for (auto* radio : form_->findChildren<QRadioButton*>())
            if (radio->text() == text) return radio;
        return nullptr;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + (c.key == Qt::Key_Tab ? " tab" : " shift+tab"));
        choose("RadioGroup1", c.unit);
        choose("RadioGroup2", c.correction);
        QWidget* from = item(QString::fromUtf8(c.from));
        if (!from) from = find<QWidget>(c.from);
        from->setFocus();
        QTest::keyClick(from, c.key, c.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget* focused = QApplication::focusWidget();
        ASSERT_TRUE(qobject_cast<QRadioButton*>(focused));
        EXPECT_EQ(static_cast<QRadioButton*>(focused)->text(), QString::fromUtf8(c.lands));
        QTest::keyClick(focused, Qt::Key_Space);
        EXPECT_TRUE(item(QString::fromUtf8(c.lands))->isChecked()) << "the setting stays";
    }
}

// Every control of the window's layout in its parent, at its place and size; a label gives its
// place only, and Edit4 grows to the left where the face needs more room for the largest count.
TEST_F(WindowTest, every_control_has_its_place_in_its_parent) {
    for (const window::layout::Control& control : window::layout::controls()) {
        const std::string name(control.name);
        SCOPED_TRACE(name);
        const QWidget* widget = find<QWidget>(name.c_str());
        ASSERT_TRUE(widget);
        if (control.kind == window::layout::Kind::TabSheet) continue;
        EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), control.parent);
        const QRect place = widget->geometry();
        if (control.kind == window::layout::Kind::Label) {
            EXPECT_EQ(place.topLeft(), QPoint(control.left, control.top));
        } else if (name == "Edit4") {
            EXPECT_EQ(place.right(), control.left + control.width - 1);
            EXPECT_GE(place.width(), control.width);
        } else {
            EXPECT_EQ(place, QRect(control.left, control.top, control.width, control.height));
        }
    }
}

// With the faces installed here every header, label and caption shows whole in its designed
// place; only the fixed row-number column widens, as far as its numbers need.
TEST_F(WindowTest, every_text_shows_whole_in_its_designed_place) {
    choose("RadioGroup1", 1);  // the wider stiffness headers
    start(QStringLiteral("10000"));
    typeRow(1, kWorkedRow);
    click("BitBtn4");
    const auto width = [](const QWidget* control, const QString& text) {
        return control->fontMetrics().horizontalAdvance(text);
    };
    const struct {
        const char* grid;
        int fixedWidth;
        std::vector<int> widths;
    } grids[] = {{"StringGrid1", 30, {100, 100, 100, 100, 100, 100}},
                 {"StringGrid2", 25, {95, 73, 73, 75, 75, 88, 82, 82}}};
    for (const auto& g : grids) {
        QHeaderView* columns = grid(g.grid)->horizontalHeader();
        const int margins = 2 * columns->style()->pixelMetric(QStyle::PM_HeaderMargin);
        for (int i = 0; i < columns->count(); ++i) {
            const QString header = columns->model()->headerData(i, Qt::Horizontal).toString();
            EXPECT_EQ(columns->sectionSize(i), g.widths[i]) << g.grid;
            EXPECT_LE(width(columns, header) + margins, g.widths[i]) << header.toStdString();
        }
        QHeaderView* rows = grid(g.grid)->verticalHeader();
        EXPECT_EQ(rows->width(), width(rows, "10000") + margins) << g.grid;
        EXPECT_LE(width(columns, "No.") + margins, rows->width()) << g.grid;
        EXPECT_EQ(grid(g.grid)->textElideMode(), Qt::ElideNone) << "cut at the edge";
    }

    for (const window::layout::Control& label : window::layout::controls()) {
        if (label.kind != window::layout::Kind::Label || label.width == 0 || !label.fontOf.empty())
            continue;
        const std::string name(label.name);
        EXPECT_LE(find<QLabel>(name.c_str())->sizeHint().width(), label.width) << name;
    }
    for (const auto* button : form_->findChildren<QPushButton*>())
        EXPECT_LE(width(button, button->text()) + 2 * 4, button->width())
            << button->objectName().toStdString() << " leaves its frame clear";
    for (const auto* item : form_->findChildren<QRadioButton*>())
        EXPECT_LE(item->sizeHint().width(), item->width()) << item->text().toStdString();
    for (const auto* group : form_->findChildren<QGroupBox*>())
        EXPECT_LE(width(group, group->title()), group->width()) << group->title().toStdString();
}

}  // namespace
}  // namespace talveno::ui::testing
