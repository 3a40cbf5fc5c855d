// The window's commands and page rules, through its controls.
#include <QFontInfo>
#include <vector>

#include "ui/look.h"
#include "window_fixture.h"

namespace talveno::ui::testing {
namespace {

const QString kStart = QStringLiteral("スタート");
const QString kInput = QStringLiteral("データ入力と計算");
const QString kResult = QStringLiteral("結果の出力と表示");

TEST_F(WindowTest, opens_with_only_the_start_tab_and_the_initial_settings) {
    EXPECT_EQ(form_->objectName(), "Form1");
    EXPECT_EQ(form_->windowTitle(), "Talveno ver1.7  2008.03.02");
    EXPECT_EQ(shownTabs(), QStringList{kStart});
    EXPECT_EQ(currentPage(), "TabSheet1");
    EXPECT_EQ(text("Edit4"), "50");
    EXPECT_TRUE(find<QGroupBox>("RadioGroup1")->findChildren<QRadioButton*>().at(0)->isChecked());
    EXPECT_TRUE(find<QGroupBox>("RadioGroup2")->findChildren<QRadioButton*>().at(0)->isChecked());
    EXPECT_EQ(text("Memo1"), "Memo1");
    EXPECT_EQ(text("Memo2"), "Memo2");
    EXPECT_EQ(text("Label12"), "");
    EXPECT_EQ(dataRows("StringGrid1"), 50);
    EXPECT_EQ(dataRows("StringGrid2"), 50);
    EXPECT_EQ(form_->OpenDialog1.filter, "*.dat|*.dat|すべてのファイル|*.*");
    EXPECT_EQ(form_->SaveDialog1.defaultExtension, "dat");
    EXPECT_EQ(form_->SaveDialog2.defaultExtension, "out");
    const QFont font = form_->font();
    EXPECT_EQ(font.pixelSize(), 12);
    EXPECT_EQ(QFontInfo(font).family(), font.family()) << "the face is installed";
    EXPECT_GT(find<QLabel>("Label4")->font().pixelSize(), 12) << "large";
    EXPECT_EQ(find<QLabel>("Label6")->palette().color(QPalette::WindowText), kRed);
}

TEST_F(WindowTest, start_shows_the_input_page_and_numbers_the_input_rows) {
    setText("Edit1", "3");
    setText("Edit2", "4");
    setText("Edit3", "5");
    typeRow(2, kWorkedRow);
    start(QStringLiteral("050"));
    EXPECT_EQ(shownTabs(), (QStringList{kStart, kInput}));
    EXPECT_EQ(currentPage(), "TabSheet2");
    EXPECT_EQ(text("Label17"), "050");  // as typed
    EXPECT_EQ(text("Label18"), "050");
    for (const char* box : {"Edit1", "Edit2", "Edit3"}) EXPECT_EQ(text(box), "") << box;
    EXPECT_EQ(text("Memo1"), "");
    EXPECT_EQ(find<QPlainTextEdit>("Memo1")->palette().color(QPalette::Base), buttonFace());
    EXPECT_EQ(dataRows("StringGrid1"), 50);
    EXPECT_EQ(dataRows("StringGrid2"), 50);
    EXPECT_EQ(cell("StringGrid1", 1, 0), "針入度(1/10mm)");
    EXPECT_EQ(cell("StringGrid1", 4, 0), "温　度(℃)");
    EXPECT_EQ(cell("StringGrid1", 0, 1), "1");
    EXPECT_EQ(cell("StringGrid1", 0, 50), "50");
    EXPECT_EQ(cell("StringGrid2", 0, 1), "");               // the run numbers the result table
    EXPECT_EQ(row("StringGrid1", 2, 6), "80|50|1|0|12|4");  // typed rows survive
    EXPECT_EQ(grid("StringGrid1")->verticalHeader()->width(), 30);
}

TEST_F(WindowTest, start_refuses_a_count_that_is_no_integer_or_too_large) {
    const struct {
        const char* count;
        const char* shown;
    } cases[] = {
        {"", "'' は整数ではありません."},
        {"abc", "'abc' は整数ではありません."},
        {"50 ", "'50 ' は整数ではありません."},
        {"1000001", "最大データ数が大きすぎます (上限 1000000)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        SetUp();
        setText("Edit1", "7");
        dialogs().expectError(QString::fromUtf8(c.shown));
        start(QString::fromUtf8(c.count));
        EXPECT_EQ(shownTabs(), QStringList{kStart});  // tabs, labels and tables unchanged
        EXPECT_EQ(currentPage(), "TabSheet1");        // no page without its tab in front
        EXPECT_EQ(text("Edit1"), "");
        EXPECT_EQ(text("Label18"), "");
        EXPECT_EQ(text("Memo1"), "Memo1");
        EXPECT_EQ(cell("StringGrid1", 0, 1), "");
        EXPECT_EQ(dataRows("StringGrid1"), 50);
        TearDown();
    }
}

TEST_F(WindowTest, a_later_refused_start_still_selects_the_input_page) {
    start();
    setText("Edit2", "2");
    dialogs().expectError(QStringLiteral("'5x' は整数ではありません."));
    start(QStringLiteral("5x"));
    EXPECT_EQ(currentPage(), "TabSheet2");
    EXPECT_EQ(text("Edit2"), "");
    EXPECT_EQ(text("Label18"), "50");
    EXPECT_EQ(dataRows("StringGrid1"), 50);
}

// Row 0 alone is no fixed header row: it shows as the one ordinary row, editable in the input
// table, under no header.
TEST_F(WindowTest, start_with_a_count_of_zero_or_less_leaves_row_0_as_an_ordinary_row) {
    for (const char* count : {"0", "-5"}) {
        SCOPED_TRACE(count);
        start(QString::fromLatin1(count));
        EXPECT_EQ(shownTabs(), (QStringList{kStart, kInput}));
        for (const char* name : {"StringGrid1", "StringGrid2"}) {
            EXPECT_EQ(dataRows(name), 1) << name;
            EXPECT_TRUE(grid(name)->horizontalHeader()->isHidden()) << name;
        }
        QAbstractItemModel* model = grid("StringGrid1")->model();
        EXPECT_EQ(model->index(0, 0).data().toString(), "針入度(1/10mm)");
        EXPECT_EQ(model->headerData(0, Qt::Vertical).toString(), "No.");
        EXPECT_TRUE(model->flags(model->index(0, 5)) & Qt::ItemIsEditable);
        start(QStringLiteral("3"));
        EXPECT_EQ(dataRows("StringGrid1"), 3);
        EXPECT_FALSE(grid("StringGrid1")->horizontalHeader()->isHidden());
        EXPECT_EQ(cell("StringGrid1", 1, 0), "針入度(1/10mm)");
        EXPECT_EQ(cell("StringGrid1", 0, 1), "1");
    }
}

TEST_F(WindowTest, a_lowered_count_hides_rows_that_the_run_still_computes) {
    start(QStringLiteral("50"));
    for (int r = 1; r <= 30; ++r) typeRow(r, kWorkedRow);
    start(QStringLiteral("10"));
    EXPECT_EQ(dataRows("StringGrid1"), 10);
    click("BitBtn4");
    EXPECT_EQ(dataRows("StringGrid2"), 10);
    EXPECT_EQ(row("StringGrid2", 10, 8), kWorkedResult);
    start(QStringLiteral("50"));
    EXPECT_EQ(row("StringGrid1", 30, 6), "80|50|1|0|12|4");
    EXPECT_EQ(row("StringGrid2", 30, 8), kWorkedResult);  // written while hidden
    EXPECT_EQ(cell("StringGrid2", 0, 30), "");            // numbered to the count of the run
}

TEST_F(WindowTest, calculation_run_follows_unit_and_correction) {
    const struct {
        int unit;
        int correction;
        const char* cv;
        const char* sbitHeader;
        const char* smixHeader;
        const char* pattern;
        const char* sbit;
    } cases[] = {
        {0, 0, "87.5", "Sbit(MPa)", "Smix(MPa)", "*.mpa", "2.151E+01"},
        {0, 1, "86.6", "Sbit(MPa)", "Smix(MPa)", "*.mpa", "2.151E+01"},
        {1, 0, "87.5", "Sbit(kgf/cm2)", "Smix(kgf/cm2)", "*.kgf", "2.193E+02"},
        {1, 1, "86.6", "Sbit(kgf/cm2)", "Smix(kgf/cm2)", "*.kgf", "2.193E+02"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.sbitHeader) + (c.correction ? " with correction" : ""));
        SetUp();
        choose("RadioGroup1", c.unit);
        choose("RadioGroup2", c.correction);
        start();
        typeRow(1, kWorkedRow);
        typeRow(2, {" 60 ", "50", "0.02", "25", "12", "4"});
        click("BitBtn4");

        EXPECT_EQ(shownTabs(), (QStringList{kStart, kInput, kResult}));
        EXPECT_EQ(currentPage(), "TabSheet3");
        EXPECT_EQ(cell("StringGrid2", 7, 0), c.sbitHeader);
        EXPECT_EQ(cell("StringGrid2", 8, 0), c.smixHeader);
        EXPECT_EQ(cell("StringGrid2", 6, 0), "骨材体積率(％)");
        EXPECT_EQ(cell("StringGrid2", 0, 50), "50");
        EXPECT_EQ(text("Label12"), c.pattern);
        const QString filter = QStringLiteral("出力ファイル(%1)|%1").arg(c.pattern);
        EXPECT_EQ(form_->SaveDialog2.filter, filter.toStdString());
        EXPECT_EQ(form_->OpenDialog2.filter, filter.toStdString());
        EXPECT_EQ(text("Memo2"), "");
        EXPECT_EQ(row("StringGrid2", 1, 6), QStringLiteral("80|50|0.00|1|0|") + c.cv);
        EXPECT_EQ(cell("StringGrid2", 1, 2), " 60 ");  // copied as typed
        EXPECT_EQ(cell("StringGrid2", 3, 2), "-0.77");
        EXPECT_EQ(cell("StringGrid2", 7, 1), c.sbit);  // Sbit 21.507 MPa
        EXPECT_EQ(grid("StringGrid2")->horizontalHeader()->sectionSize(0), 95);
        EXPECT_EQ(grid("StringGrid2")->verticalHeader()->width(), 25);
        TearDown();
    }
}

TEST_F(WindowTest, a_failing_row_keeps_the_rows_before_it_and_the_result_page_in_front) {
    start();
    typeRow(1, kWorkedRow);
    typeRow(2, kWorkedRow);
    typeRow(3, {"80", "50", "1", "0", "12", "4x"});
    typeRow(4, kWorkedRow);
    dialogs().expectError(QStringLiteral("'4x' は浮動小数点数ではありません.\n(No. 3)"));
    click("BitBtn4");
    EXPECT_EQ(currentPage(), "TabSheet3");
    EXPECT_EQ(shownTabs().size(), 3);
    EXPECT_EQ(row("StringGrid2", 2, 8), kWorkedResult);
    EXPECT_EQ(row("StringGrid2", 3, 8), "|||||||");
    EXPECT_EQ(row("StringGrid2", 4, 8), "|||||||");
}

TEST_F(WindowTest, calculation_run_refuses_a_bad_count_before_changing_anything) {
    start();
    typeRow(1, kWorkedRow);
    setText("Edit4", "x");
    dialogs().expectError(QStringLiteral("'x' は整数ではありません."));
    click("BitBtn4");
    EXPECT_EQ(shownTabs(), (QStringList{kStart, kInput}));
    EXPECT_EQ(currentPage(), "TabSheet2");
    EXPECT_EQ(text("Memo2"), "Memo2");
    EXPECT_EQ(cell("StringGrid2", 7, 0), "");
}

TEST_F(WindowTest, only_the_users_page_changes_hide_the_result_tab) {
    start();
    typeRow(1, kWorkedRow);
    click("BitBtn4");
    ASSERT_EQ(shownTabs().size(), 3);
    clickTab(kInput);
    EXPECT_EQ(shownTabs(), (QStringList{kStart, kInput}));
    EXPECT_EQ(currentPage(), "TabSheet2");
    clickTab(kStart);
    EXPECT_EQ(shownTabs(), (QStringList{kStart, kInput}));
    clickTab(kInput);
    click("BitBtn4");
    EXPECT_EQ(shownTabs().size(), 3);
    EXPECT_EQ(row("StringGrid2", 1, 8), kWorkedResult);  // the cells stayed

    // By the keyboard: the next shown tab.
    QTest::keyClick(pages(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(currentPage(), "TabSheet1");
    EXPECT_EQ(shownTabs(), (QStringList{kStart, kInput}));
}

TEST_F(WindowTest, the_start_command_hides_the_result_tab) {
    start();
    typeRow(1, kWorkedRow);
    click("BitBtn4");
    clickTab(kStart);
    click("BitBtn1");
    EXPECT_EQ(shownTabs(), (QStringList{kStart, kInput}));
    EXPECT_EQ(row("StringGrid2", 1, 8), kWorkedResult);
}

// Each help button shows its text line by line.
TEST_F(WindowTest, help_buttons_show_their_texts_with_line_breaks_and_blank_lines) {
    const struct {
        const char* button;
        int lines;  // a final line break leaves an empty last line
        std::vector<int> blank;
        const char* first;
        const char* last;
    } cases[] = {
        {"Button11",
         4,
         {1, 3},
         "■ Van Draatらが提唱しているアスファルト混合物の空隙率による補正です。",
         ""},
        {"Button12", 4, {1, 3}, "■ 取り扱うデータ数の上限値を指定します。", ""},
        {"Button10",
         9,
         {1, 3, 5, 7},
         "■1行目コピー　：　１行目のデータを末尾の行にコピーします。",
         "※　任意行コピーと部分クリアを利用する場合には、行Noを入力して下さい。"},
        {"Button6",
         10,
         {1, 3, 5, 7},
         "■ アス容積率とは、アスファルト容積率のことで、次式により算出します。",
         "　　　　ｖ％ ： 容積百分率、ｗ％ ： 質量百分率"},
        {"Button5", 12, {1, 4, 6, 8, 9, 11}, "■ 骨材体積率Cｖは、次式により算出しています。", ""},
    };
    start();
    typeRow(1, kWorkedRow);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        if (QString::fromLatin1(c.button) == "Button5") click("BitBtn4");
        if (QString::fromLatin1(c.button) == "Button10") clickTab(kInput);
        if (QString::fromLatin1(c.button) == "Button11") clickTab(kStart);
        dialogs().shownInformation.clear();
        dialogs().expectInformation({});
        click(c.button);
        ASSERT_EQ(dialogs().shownInformation.size(), 1);
        const QStringList lines = dialogs().shownInformation.front().split('\n');
        EXPECT_EQ(lines.size(), c.lines);
        std::vector<int> blank;
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].isEmpty()) blank.push_back(i);
        EXPECT_EQ(blank, c.blank);
        EXPECT_EQ(lines.front(), QString::fromUtf8(c.first));
        EXPECT_EQ(lines.back(), QString::fromUtf8(c.last));
        EXPECT_FALSE(lines.join("").contains('\r'));
    }
}

TEST_F(WindowTest, exit_asks_first_and_ends_only_on_ok) {
    const QString question = QStringLiteral("プログラムを終了してよろしいですか？");
    dialogs().expectConfirm(question, false);
    click("Button1");
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(dialogs().pending(), "");
    dialogs().expectConfirm(question, true);
    dialogs().expectEndProcess();
    click("Button1");
}

// The commands that may run long show the wait cursor while they work, and it is gone before
// any box opens (the scripted dialogs see to that for every box).
TEST_F(WindowTest, the_run_works_under_the_wait_cursor_and_its_error_box_without_it) {
    std::vector<Qt::CursorShape> shapes;
    const auto record = [&shapes] {
        const QCursor* cursor = QApplication::overrideCursor();
        shapes.push_back(cursor ? cursor->shape() : Qt::ArrowCursor);
    };
    for (const char* name : {"StringGrid1", "StringGrid2"})
        QObject::connect(grid(name)->model(), &QAbstractItemModel::dataChanged, form_.get(),
                         record);
    start();
    typeRow(1, kWorkedRow);
    typeRow(2, {"80", "50", "1", "0", "12", "x"});
    shapes.clear();
    dialogs().expectError(QStringLiteral("'x' は浮動小数点数ではありません.\n(No. 2)"));
    click("BitBtn4");
    ASSERT_FALSE(shapes.empty());
    EXPECT_EQ(shapes.back(), Qt::WaitCursor) << "the rows shown as the run ends";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A command with a fault of the program in it, run as the window runs its commands.
class FaultyForm : public TForm1 {
  public:
    using TForm1::TForm1;
    void runFaultyCommand() { run(static_cast<void (TForm1::*)()>(&FaultyForm::faultyCommand)); }

  private:
    void faultyCommand() { static_cast<void>(std::vector<int>().at(3)); }
};

TEST(InternalError, a_fault_of_the_program_says_so_in_japanese_and_its_text_goes_to_stderr) {
    auto dialogs = std::make_unique<ScriptedDialogs>();
    ScriptedDialogs& scripted = *dialogs;
    FaultyForm form(std::move(dialogs));
    scripted.expectError(QStringLiteral("プログラムの内部エラーのため、処理を中止しました."));
    ::testing::internal::CaptureStderr();
    form.runFaultyCommand();
    const std::string written = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(written.find("vector::_M_range_check"), std::string::npos) << written;
    EXPECT_EQ(scripted.pending().toStdString(), "");
}

class RowEditingTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        start();
    }
    void typeRows(int count) {
        for (int r = 1; r <= count; ++r) {
            const std::string penetration = std::to_string(10 * r);
            typeRow(r, {penetration.c_str(), "50", "1", "0", "12", "4"});
        }
    }
    QString penetrations(int first, int last) {
        QStringList texts;
        for (int r = first; r <= last; ++r) texts << cell("StringGrid1", 1, r);
        return texts.join(',');
    }
};

TEST_F(RowEditingTest, copy_first_row_appends_after_the_filled_rows) {
    typeRows(3);
    click("Button7");
    click("Button7");
    EXPECT_EQ(penetrations(1, 6), "10,20,30,10,10,");
    EXPECT_EQ(row("StringGrid1", 5, 6), "10|50|1|0|12|4");
}

TEST_F(RowEditingTest, copy_chosen_row_takes_the_row_of_its_box) {
    typeRows(5);
    setText("Edit1", "3");
    click("Button9");
    setText("Edit1", "0");
    click("Button9");
    EXPECT_EQ(penetrations(1, 8), "10,20,30,40,50,30,針入度(1/10mm),");
    EXPECT_EQ(cell("StringGrid1", 6, 7), "空隙率(％)");
    EXPECT_EQ(text("Edit1"), "0");
}

TEST_F(RowEditingTest, refusals_change_nothing) {
    const struct {
        const char* button;
        const char* edit1;
        const char* edit2;
        const char* edit3;
        const char* shown;
    } cases[] = {
        {"Button9", "-1", "", "", "リストのインデックスが範囲を超えています (-1)"},
        {"Button9", "3 ", "", "", "'3 ' は整数ではありません."},
        {"Button8", "", "0", "2", "リストのインデックスが範囲を超えています (0)"},
        {"Button8", "", "5", "3", "行の範囲が正しくありません (5-3)"},
        {"Button8", "", "3", "", "'' は整数ではありません."},
    };
    typeRows(10);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " " + c.edit1 + "/" + c.edit2 + "-" + c.edit3);
        setText("Edit1", QString::fromUtf8(c.edit1));
        setText("Edit2", QString::fromUtf8(c.edit2));
        setText("Edit3", QString::fromUtf8(c.edit3));
        dialogs().expectError(QString::fromUtf8(c.shown));
        click(c.button);
        EXPECT_EQ(penetrations(1, 11), "10,20,30,40,50,60,70,80,90,100,");
    }
}

TEST_F(RowEditingTest, partial_clear_removes_the_range_and_moves_the_rows_below_up) {
    const struct {
        const char* first;
        const char* last;
        const char* rows;
    } cases[] = {
        {"3", "5", "10,20,60,70,80,90,100,,,,"},
        {"3", "60", "10,20,,,,,,,,,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first) + "-" + c.last);
        typeRows(10);
        setText("Edit2", QString::fromLatin1(c.first));
        setText("Edit3", QString::fromLatin1(c.last));
        click("Button8");
        EXPECT_EQ(penetrations(1, 11), c.rows);
        EXPECT_EQ(cell("StringGrid1", 0, 3), "3");  // row numbers stay
    }
}

TEST_F(RowEditingTest, clear_all_asks_first_then_empties_rows_boxes_and_file_name) {
    const QString question = QStringLiteral("データをクリアします！よろしいですか？");
    typeRows(4);
    click("BitBtn4");
    clickTab(QStringLiteral("データ入力と計算"));
    setText("Edit1", "1");
    dialogs().expectConfirm(question, false);
    click("Button2");
    EXPECT_EQ(penetrations(1, 4), "10,20,30,40");
    EXPECT_EQ(text("Edit1"), "1");

    setText("Edit4", "2");  // the count at the time of the command
    dialogs().expectConfirm(question, true);
    click("Button2");
    EXPECT_EQ(penetrations(1, 4), ",,30,40");
    EXPECT_EQ(row("StringGrid1", 1, 6), "|||||");
    EXPECT_EQ(text("Edit1"), "");
    EXPECT_EQ(text("Memo1"), "");
    EXPECT_EQ(cell("StringGrid1", 1, 0), "針入度(1/10mm)");
    EXPECT_EQ(cell("StringGrid1", 0, 1), "1");
    EXPECT_EQ(cell("StringGrid2", 1, 1), "10");  // the results stay
}

}  // namespace
}  // namespace talveno::ui::testing
