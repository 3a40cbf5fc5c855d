// The window's rules without a window: the page rules, what each command leaves to show, the
// files given to open, the failures in the error box.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "formats/input_data_file.h"
#include "formats/result_file.h"
#include "tables/layouts.h"
#include "window/form.h"
#include "window/help_messages.h"

namespace talveno::window {
namespace {

// The tabs shown and the page in front, as "SIR>I": S, I, R for the tabs, then the page.
std::string pagesOf(const Form& form) {
    std::string shown;
    for (std::size_t page = 0; page < 3; ++page)
        if (form.pages().tabShown[page]) shown += "SIR"[page];
    return shown + ">" + "SIR"[static_cast<int>(form.pages().current)];
}

// The texts an outcome wrote, as "Edit1=|Label17=50".
std::string textsOf(const Outcome& outcome) {
    std::string texts;
    for (const ControlText& text : outcome.texts)
        texts += (texts.empty() ? "" : "|") + std::string(text.control) + "=" + text.text;
    return texts;
}

Controls counted(const char* count) {
    Controls controls;
    controls.maxCountText = count;
    return controls;
}

void typeRow(Form& form, int row, std::initializer_list<const char*> cells) {
    int column = 0;
    for (const char* cell : cells) form.table(Grid::Input).setCell(++column, row, cell);
}

const std::initializer_list<const char*> kWorkedRow = {"80", "50", "1", "0", "12", "4"};

// Each step is a command and the pages after it; the three tab states and the ways between.
TEST(FormTest, the_pages_follow_the_start_the_run_and_the_users_page_changes) {
    Form form;
    const struct {
        const char* step;
        std::function<Outcome()> command;
        const char* pages;
    } steps[] = {
        {"failing start", [&] { return form.start(counted("")); }, "S>S"},
        {"start", [&] { return form.start(counted("50")); }, "SI>I"},
        {"run", [&] { return form.run(counted("50")); }, "SIR>R"},
        {"to the input page", [&] { return form.changePage(Page::Input); }, "SI>I"},
        {"to the start page", [&] { return form.changePage(Page::Start); }, "SI>S"},
        {"failing start again", [&] { return form.start(counted("x")); }, "SI>I"},
        {"run again", [&] { return form.run(counted("50")); }, "SIR>R"},
        {"run refused", [&] { return form.run(counted("x")); }, "SIR>R"},
        {"to the start page", [&] { return form.changePage(Page::Start); }, "SI>S"},
    };
    std::string before = pagesOf(form);
    for (const auto& step : steps) {
        const Outcome outcome = step.command();
        EXPECT_EQ(pagesOf(form), step.pages) << step.step;
        EXPECT_EQ(outcome.pages.has_value(), before != step.pages) << step.step;
        before = pagesOf(form);
    }
}

TEST(FormTest, the_start_writes_the_count_as_typed_and_empties_the_boxes) {
    Form form;
    const Outcome started = form.start(counted("050"));
    EXPECT_EQ(textsOf(started), "Edit1=|Edit2=|Edit3=|Label17=050|Label18=050|Memo1=");
    EXPECT_TRUE(started.tablesChanged);
    EXPECT_EQ(form.table(Grid::Input).rowCount(), 51);
    const Outcome refused = form.start(counted(""));
    EXPECT_EQ(textsOf(refused), "Edit1=|Edit2=|Edit3=");
    EXPECT_EQ(refused.boxText, "'' は整数ではありません.");
    EXPECT_TRUE(refused.failed());
}

TEST(FormTest, the_run_lays_out_its_unit_and_names_and_shows_a_failing_row) {
    Form form;
    form.start(counted("50"));
    typeRow(form, 1, kWorkedRow);
    typeRow(form, 2, {"80", "50", "1", "0", "12", "4x"});
    Controls controls = counted("50");
    controls.unit = StiffnessUnit::KgfPerCm2;
    const Outcome run = form.run(controls);
    EXPECT_EQ(textsOf(run), "Label12=*.kgf|Memo2=");
    EXPECT_EQ(run.boxText, "'4x' は浮動小数点数ではありません.\n(No. 2)");
    ASSERT_TRUE(run.rowInView);
    EXPECT_EQ(run.rowInView->row, 2);
    EXPECT_EQ(form.table(Grid::Results).cell(8, 1), "5.101E+04");
    EXPECT_EQ(form.dialog(Dialog::SaveResults).filter, "出力ファイル(*.kgf)|*.kgf");
    EXPECT_EQ(form.dialog(Dialog::OpenResults).filter, "出力ファイル(*.kgf)|*.kgf");
    const Outcome refused = form.run(counted("x"));
    EXPECT_FALSE(refused.tablesChanged) << "refused before anything changes";
    EXPECT_EQ(form.table(Grid::Results).cell(8, 1), "5.101E+04");
}

TEST(FormTest, the_copies_bring_their_row_into_view_and_a_paste_is_taken_back) {
    Form form;
    form.start(counted("10"));
    typeRow(form, 1, kWorkedRow);
    EXPECT_EQ(form.copyFirstRow().rowInView->row, 2);
    Controls chosen = counted("10");
    chosen.rowText = "1";
    EXPECT_EQ(form.copyChosenRow(chosen).rowInView->row, 3);
    chosen.rowText = "-1";
    EXPECT_EQ(form.copyChosenRow(chosen).boxText, "リストのインデックスが範囲を超えています (-1)");
    EXPECT_TRUE(form.paste(2, 0, "５\t6\n").tablesChanged);
    EXPECT_EQ(form.table(Grid::Input).cell(2, 1) + form.table(Grid::Input).cell(3, 1), "56");
    form.undoPaste();
    EXPECT_EQ(form.table(Grid::Input).cell(2, 1), "50");
    EXPECT_FALSE(form.undoPaste().tablesChanged) << "nothing left to take back";
    const Outcome cleared = form.clearAll(counted("10"));
    EXPECT_EQ(textsOf(cleared), "Memo1=|Edit1=|Edit2=|Edit3=");
    EXPECT_EQ(form.table(Grid::Input).filledRowCount(), 0);
}

TEST(FormTest, the_rows_of_a_long_command_are_the_count_or_the_filled_rows) {
    Form form;
    form.start(counted("5"));
    for (int row = 1; row <= 7; ++row) typeRow(form, row, kWorkedRow);
    form.run(counted("5"));
    const struct {
        Work work;
        const char* count;
        int rows;
    } cases[] = {
        {Work::Start, "20", 20},      {Work::Start, "x", 0},       {Work::Run, "3", 7},
        {Work::Run, "x", 0},          {Work::ClearAll, "x", 7},    {Work::PartialClear, "9", 9},
        {Work::SaveInput, "1000", 7}, {Work::SaveResults, "1", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(form.rowsOf(c.work, counted(c.count)), c.rows)
            << static_cast<int>(c.work) << " " << c.count;
}

// Reading and opening files given as bytes; the name box shows the file.
TEST(FormTest, a_file_opened_with_the_window_is_read_as_its_kind) {
    std::string input = inputDataFileBytes(layouts::makeInputTable());
    for (int k = 1; k <= 60; ++k) input += std::to_string(k) + " 80 50 1 0 12 4\r\n";
    const std::string results =
        resultFileHeaderLines(StiffnessUnit::KgfPerCm2) + "1 80 50 0 1 0 87.5 21.51 5002\n";
    std::string lf = input;
    std::erase(lf, '\r');
    const struct {
        const char* name;
        std::string bytes;
        const char* pages;
        const char* texts;
        const char* box;
    } cases[] = {
        {"a.dat", input, "SI>I",
         "Edit4=60|Edit1=|Edit2=|Edit3=|Label17=60|Label18=60|Memo1=|Memo1=a.dat", ""},
        {"lf.dat", lf, "SI>I",
         "Edit4=60|Edit1=|Edit2=|Edit3=|Label17=60|Label18=60|Memo1=|Memo1=lf.dat", ""},
        {"r.kgf", results, "SIR>R",
         "Edit1=|Edit2=|Edit3=|Label17=50|Label18=50|Memo1=|Label12=*.kgf|Memo2=|Memo2=r.kgf", ""},
        {"notes.txt", "some other data\r\n", "S>S", "",
         "'notes.txt' は入力データファイルでも結果ファイルでもありません."},
        {"bad.dat", input + "61 x\r\n", "S>S", "", "入力値が数値ではありません.\n(63 行目)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Form form;
        BytesFile file(c.bytes, c.name);
        const Outcome opened = form.openFile(file, counted("50"));
        EXPECT_EQ(pagesOf(form), c.pages);
        EXPECT_EQ(textsOf(opened), c.texts);
        EXPECT_EQ(opened.boxText, c.box);
        const bool result = std::string(c.pages) == "SIR>R";
        EXPECT_EQ(opened.unit.has_value(), result);
        EXPECT_EQ(form.dialog(result ? Dialog::OpenResults : Dialog::OpenInput).fileName, c.name);
        if (result) {
            EXPECT_EQ(form.table(Grid::Results).cell(7, 1), "2.151E+01") << "unconverted";
            EXPECT_EQ(form.dialog(Dialog::OpenInput).fileName, "");
        }
    }
}

TEST(FormTest, a_read_checks_the_count_then_reads_the_whole_file_before_the_table) {
    Form form;
    form.start(counted("50"));
    typeRow(form, 1, kWorkedRow);
    const std::string header = inputDataFileBytes(layouts::makeInputTable());
    BytesFile bad(header + "1 60 50 1 0 12 4\r\n2 6x 1 1 1 1 1\r\n", "bad.dat");
    EXPECT_EQ(form.checkCount(counted("n")).boxText, "'n' は整数ではありません.");
    EXPECT_EQ(form.readFile(Grid::Input, bad, counted("50")).boxText,
              "入力値が数値ではありません.\n(4 行目)");
    EXPECT_EQ(form.table(Grid::Input).cell(1, 1), "80") << "the table as it was";
    BytesFile good(header + "1 60 50 1 0 12 4\r\n", "good.dat");
    EXPECT_EQ(textsOf(form.readFile(Grid::Input, good, counted("50"))), "Memo1=good.dat");
    EXPECT_EQ(form.table(Grid::Input).cell(1, 1), "60.0");
    EXPECT_EQ(form.fileName(Grid::Input), "good.dat");
    const Outcome saved = form.saveFile(Grid::Results, "r.mpa", [] { throw std::bad_alloc(); });
    EXPECT_EQ(saved.boxText, "メモリが不足しているため、処理を中止しました.");
    EXPECT_EQ(form.fileName(Grid::Results), "Memo2") << "named only once written";
}

TEST(FormTest, a_fault_of_the_program_is_an_internal_error) {
    ::testing::internal::CaptureStderr();
    const Outcome fault = attempt([](Outcome&) { throw std::out_of_range("row 9"); });
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "talveno: internal error: row 9\n");
    EXPECT_EQ(fault.boxText, "プログラムの内部エラーのため、処理を中止しました.");
    EXPECT_EQ(fault.box, Box::Error);
}

TEST(HelpTest, help_texts_are_stored_with_lf_cr_and_shown_with_lf) {
    for (int number = 1; number <= 5; ++number) {
        const std::string_view text = help::message(number);
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                EXPECT_EQ(text.substr(i + 1, 1), "\r") << number;
            }
            if (text[i] == '\r') {
                EXPECT_EQ(text.substr(i - 1, 1), "\n") << number;
            }
        }
    }
    EXPECT_EQ(help::displayed("a\n\r\n\rb\n\r"), "a\n\nb\n");
    const Outcome shown = helpMessage(3);
    EXPECT_EQ(shown.box, Box::Information);
    EXPECT_EQ(std::count(shown.boxText.begin(), shown.boxText.end(), '\n'), 8) << "nine lines";
}

}  // namespace
}  // namespace talveno::window
