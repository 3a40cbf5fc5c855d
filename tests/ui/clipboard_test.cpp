// The clipboard keys of both grids and the result table's context menu, on Qt's own clipboard.
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>

#include "window_fixture.h"

namespace talveno::ui::testing {
namespace {

class ClipboardTest : public GridTest {
  protected:
    static void setClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }
    static void press(QKeySequence::StandardKey key) {
        const QKeyCombination keys = QKeySequence(key)[0];
        QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
    }
    QString editorText() {
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return editor ? editor->text() : QStringLiteral("(no editor)");
    }
};

TEST_F(ClipboardTest, a_block_goes_in_from_the_current_cell_and_ctrl_z_takes_it_back) {
    typeRow(1, kWorkedRow);
    typeRow(2, kWorkedRow);
    focusCell("StringGrid1", 2, 2);
    setClipboard(QStringLiteral("47.5\t0.02\r\n48\t\r\n"));
    press(QKeySequence::Paste);
    EXPECT_EQ(row("StringGrid1", 2, 6), "80|47.5|0.02|0|12|4");
    EXPECT_EQ(row("StringGrid1", 3, 6), "|48||||");
    EXPECT_EQ(editorText(), "47.5") << "the open editor shows the pasted text";

    QTest::keyClicks(QApplication::focusWidget(), "9");
    press(QKeySequence::Undo);  // the typing first
    EXPECT_EQ(editorText(), "47.5");
    press(QKeySequence::Undo);
    EXPECT_EQ(row("StringGrid1", 2, 6), "80|50|1|0|12|4");
    EXPECT_EQ(row("StringGrid1", 3, 6), "|||||");
    EXPECT_EQ(editorText(), "50");
    press(QKeySequence::Undo);  // one step only
    EXPECT_EQ(row("StringGrid1", 2, 6), "80|50|1|0|12|4");
}

TEST_F(ClipboardTest, a_block_that_does_not_fit_is_refused_and_changes_nothing) {
    start(QStringLiteral("3"));
    typeRow(1, kWorkedRow);
    const struct {
        int column, row;
        const char* block;
        const char* message;
    } cases[] = {
        {5, 1, "1;2;3\n", "貼り付けるデータが6列目を超えます（7 列目まで）."},
        {1, 2, "1\n2\n3\n", "貼り付けるデータが最大データ数 3 行を超えます（4 行目まで）."},
    };
    for (const auto& c : cases) {
        focusCell("StringGrid1", c.column, c.row);
        setClipboard(QString::fromUtf8(c.block));
        dialogs().expectError(QString::fromUtf8(c.message));
        press(QKeySequence::Paste);
        EXPECT_EQ(row("StringGrid1", 1, 6), "80|50|1|0|12|4") << c.block;
        EXPECT_EQ(row("StringGrid1", 2, 6), "|||||") << c.block;
    }
}

TEST_F(ClipboardTest, a_single_value_goes_into_the_open_editor) {
    focusCell("StringGrid1", 3, 1);
    setClipboard(QStringLiteral("0.02"));
    press(QKeySequence::Paste);
    EXPECT_EQ(editorText(), "0.02");
    EXPECT_EQ(cell("StringGrid1", 3, 1), "") << "typed, not yet entered";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(cell("StringGrid1", 3, 1), "0.02");
}

TEST_F(ClipboardTest, ctrl_a_and_ctrl_c_copy_the_filled_rows_as_their_texts) {
    typeRow(1, kWorkedRow);
    typeRow(2, {" 60", "50", "0.02", "25", "12", "4"});
    focusCell("StringGrid1", 4, 2);
    press(QKeySequence::SelectAll);
    press(QKeySequence::Copy);
    EXPECT_EQ(clipboard(), "80\t50\t1\t0\t12\t4\n 60\t50\t0.02\t25\t12\t4\n");

    click("BitBtn4");
    focusCell("StringGrid2", 3, 2);
    press(QKeySequence::Copy);
    EXPECT_EQ(clipboard(), "-0.77\n");
    press(QKeySequence::SelectAll);
    press(QKeySequence::Copy);
    EXPECT_EQ(clipboard(),
              "80\t50\t0.00\t1\t0\t87.5\t2.151E+01\t5.002E+03\n"
              " 60\t50\t-0.77\t0.02\t25\t87.5\t7.526E+00\t2.647E+03\n");
}

TEST_F(ClipboardTest, the_result_tables_context_menu_shows_its_items_with_their_keys) {
    typeRow(1, kWorkedRow);
    typeRow(2, kWorkedRow);
    click("BitBtn4");
    auto* menu = find<QMenu>("PopupMenu1");
    QStringList items;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            items << action->text() + "|" + action->shortcut().toString(QKeySequence::PortableText);
    EXPECT_EQ(items.join(' '),
              "コピー|Ctrl+C すべて選択|Ctrl+A ノモグラフで確認| スティフネス曲線|Shift+Enter");

    // A right click on row 2 makes it current and opens the menu there.
    QTableView* results = grid("StringGrid2");
    const QPoint inside = results->visualRect(at("StringGrid2", 1, 2)).center();
    realDialogsAllowed = true;
    QContextMenuEvent request(QContextMenuEvent::Mouse, inside,
                              results->viewport()->mapToGlobal(inside));
    QApplication::sendEvent(results->viewport(), &request);
    EXPECT_EQ(QApplication::activePopupWidget(), menu);
    menu->close();
    realDialogsAllowed = false;
    EXPECT_EQ(results->currentIndex().row(), 1);

    find<QAction>("SelectAll1")->trigger();
    find<QAction>("Copy1")->trigger();
    EXPECT_EQ(clipboard().count('\n'), 2);
}

}  // namespace
}  // namespace talveno::ui::testing
