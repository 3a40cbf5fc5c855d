// The controls themselves: the grids' editing and moving, texts, cursors, focus order and the
// missing context menu.
#include <QApplication>
#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <map>

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

    const std::map<QString, int> labelWidths = {{"Label16", 83}, {"Label4", 138}, {"Label6", 95},
                                                {"Label9", 53},  {"Label10", 24}, {"Label2", 24},
                                                {"Label3", 6},   {"Label15", 24}, {"Label7", 80},
                                                {"Label8", 95},  {"Label11", 53}};
    for (const auto& [name, designed] : labelWidths)
        EXPECT_LE(find<QLabel>(name.toLatin1().constData())->sizeHint().width(), designed)
            << name.toStdString();
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
