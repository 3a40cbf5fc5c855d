// The four data file commands through the window, with scripted file dialogs.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "../file_test_support.h"
#include "disk/disk_files.h"
#include "formats/input_data_file.h"
#include "formats/result_file.h"
#include "tables/layouts.h"
#include "ui/look.h"
#include "window_fixture.h"

#include <QScrollBar>

namespace talveno::ui::testing {
namespace {

const QString kDatFilter = QStringLiteral("*.dat|*.dat|すべてのファイル|*.*");
const QString kMpaFilter = QStringLiteral("出力ファイル(*.mpa)|*.mpa");
const QString kKgfFilter = QStringLiteral("出力ファイル(*.kgf)|*.kgf");

std::string bytesOf(const QString& path) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class FileCommandsTest : public WindowTest {
  protected:
    QString path(const char* name) { return folder_.filePath(QString::fromUtf8(name)); }

    // The input table the window would hold after typing these rows.
    static Table inputWith(const std::vector<std::array<const char*, 6>>& rows) {
        Table input = layouts::makeInputTable();
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (int c = 0; c < 6; ++c) input.setCell(c + 1, int(r) + 1, rows[r][c]);
        return input;
    }

    QTemporaryDir folder_;
};

TEST_F(FileCommandsTest, save_input_writes_the_filled_rows_and_shows_the_path) {
    start();
    typeRow(1, kWorkedRow);
    typeRow(2, {" 60 ", "47.5", "0.02", "25", "12.3", "4"});
    const QString file = path("cases.dat");
    dialogs().expectSaveFile(QStringLiteral("*.dat|*.dat"), QStringLiteral("dat"), QString(""),
                             file);
    click("BitBtn3");
    EXPECT_EQ(
        bytesOf(file),
        inputDataFileBytes(inputWith({kWorkedRow, {"60", "47.5", "0.02", "25", "12.3", "4"}})));
    EXPECT_EQ(text("Memo1"), file);
    EXPECT_EQ(find<QPlainTextEdit>("Memo1")->palette().color(QPalette::Base), buttonFace());

    // The dialog opens with the path last chosen in it; cancelling writes nothing.
    dialogs().expectSaveFile(QStringLiteral("*.dat|*.dat"), QStringLiteral("dat"), file,
                             std::nullopt);
    click("BitBtn3");
    EXPECT_EQ(text("Memo1"), file);
}

TEST_F(FileCommandsTest, save_input_refuses_a_bad_cell_and_writes_nothing) {
    start();
    typeRow(1, kWorkedRow);
    typeRow(2, {"60", "47.5", "x", "25", "12.3", "4"});
    const QString file = path("bad.dat");
    dialogs().expectSaveFile(QStringLiteral("*.dat|*.dat"), QStringLiteral("dat"), QString(), file);
    dialogs().expectError(QStringLiteral("'x' は浮動小数点数ではありません."));
    click("BitBtn3");
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(text("Memo1"), "");
}

TEST_F(FileCommandsTest, read_input_replaces_rows_one_to_n_in_their_cell_form) {
    const QString file = path("cases.dat");
    saveInputDataFile(inputWith({kWorkedRow, {"60", "47.5", "0.02", "25", "12.3", "4"}}),
                      file.toStdString());
    start(QStringLiteral("5"));
    for (int r = 1; r <= 4; ++r) typeRow(r, {"1", "2", "3", "4", "5", "6"});
    dialogs().expectOpenFile(kDatFilter, QString(""), file);
    click("BitBtn2");
    EXPECT_EQ(row("StringGrid1", 1, 6), "80.0|50.0|1.000|0.0|12.0|4.0");
    EXPECT_EQ(row("StringGrid1", 2, 6), "60.0|47.5|0.020|25.0|12.3|4.0");
    EXPECT_EQ(row("StringGrid1", 3, 6), "|||||");  // emptied: rows 1 to N
    EXPECT_EQ(cell("StringGrid1", 0, 2), "2");
    EXPECT_EQ(text("Memo1"), file);
}

// With N = 50, a file of 1,100 records and then one of 60: the table holds the 60 alone, and
// saving writes them alone. The same for the result file.
TEST_F(FileCommandsTest, a_file_read_after_a_longer_one_leaves_none_of_its_rows_behind) {
    const std::array<const char*, 6> other = {"60", "47.5", "0.02", "25", "12.3", "4"};
    const QString longer = path("longer.dat"), shorter = path("shorter.dat");
    saveInputDataFile(inputWith(std::vector(1100, kWorkedRow)), longer.toStdString());
    saveInputDataFile(inputWith(std::vector(60, other)), shorter.toStdString());
    start();
    for (const QString& file : {longer, shorter}) {
        dialogs().expectOpenFile(kDatFilter, QString(), file);
        click("BitBtn2");
    }
    const QString saved = path("saved.dat");
    dialogs().expectSaveFile(QStringLiteral("*.dat|*.dat"), QStringLiteral("dat"), QString(),
                             saved);
    click("BitBtn3");
    EXPECT_EQ(bytesOf(saved), bytesOf(shorter));
    click("BitBtn4");
    start(QStringLiteral("1100"));
    EXPECT_EQ(row("StringGrid1", 61, 6), "|||||");
    EXPECT_EQ(row("StringGrid2", 61, 8), "|||||||") << "computed: the file's rows alone";

    Table results = layouts::makeResultTable();
    const std::vector<std::string> resultRow = {"80", "50", "0", "1", "0", "87.5", "20", "5000"};
    talveno::testing::fillRows(results, std::vector(1100, resultRow));
    const QString longerResults = path("longer.mpa"), shorterResults = path("shorter.mpa");
    saveResultFile(results, StiffnessUnit::Mpa, longerResults.toStdString());
    results = layouts::makeResultTable();
    talveno::testing::fillRows(results, std::vector(60, resultRow));
    saveResultFile(results, StiffnessUnit::Mpa, shorterResults.toStdString());
    start();
    click("BitBtn4");
    for (const QString& file : {longerResults, shorterResults}) {
        dialogs().expectOpenFile(kMpaFilter, QString(), file);
        click("BitBtn5");
    }
    const QString savedResults = path("saved.mpa");
    dialogs().expectSaveFile(kMpaFilter, QStringLiteral("out"), QString(), savedResults);
    click("BitBtn6");
    EXPECT_EQ(bytesOf(savedResults), bytesOf(shorterResults));
}

// A long path wraps over more lines than the box shows; it shows the last, with the file name.
TEST_F(FileCommandsTest, the_file_name_box_shows_the_end_of_a_long_path) {
    QString folder = folder_.path();
    for (int depth = 0; depth < 6; ++depth)
        folder += QStringLiteral("/深い階層のフォルダ%1").arg(depth);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/cases.dat");
    start();
    typeRow(1, kWorkedRow);
    dialogs().expectSaveFile(QStringLiteral("*.dat|*.dat"), QStringLiteral("dat"), QString(), file);
    click("BitBtn3");
    dialogs().expectOpenFile(kDatFilter, QString(), file);
    click("BitBtn2");
    auto* box = find<QPlainTextEdit>("Memo1");
    EXPECT_EQ(box->toPlainText(), file);
    EXPECT_GT(box->verticalScrollBar()->maximum(), 0) << "the path wraps past the box";
    QTextCursor end(box->document());
    end.movePosition(QTextCursor::End);
    EXPECT_TRUE(box->viewport()->rect().contains(box->cursorRect(end)))
        << box->cursorRect(end).y() << " in " << box->viewport()->height();
}

TEST_F(FileCommandsTest, read_input_that_fails_or_is_cancelled_changes_nothing) {
    const QString bad = path("bad.dat");
    std::ofstream(bad.toStdString(), std::ios::binary)
        << "h1\r\nh2\r\n  1 80 50 1 0 12 4\r\n  2 x\r\n";
    // Without a writer, a FIFO would keep the window waiting.
    const QString fifo = path("fifo.dat");
    ASSERT_EQ(::mkfifo(fifo.toStdString().c_str(), 0666), 0);
    const QString empty = path("empty.dat");
    std::ofstream(empty.toStdString(), std::ios::binary).flush();
    const QString picture = path("picture.png");
    std::ofstream(picture.toStdString(), std::ios::binary)
        << std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    const struct {
        const char* name;
        std::optional<QString> answer;
        QString error;
    } cases[] = {
        {"cancelled", std::nullopt, {}},
        {"missing file", path("none.dat"), QStringLiteral("ファイルが見つかりません.")},
        {"bad token", bad, QStringLiteral("入力値が数値ではありません.\n(4 行目)")},
        {"FIFO", fifo, QStringLiteral("'%1' は通常のファイルではありません.").arg(fifo)},
        {"folder", folder_.path(), QStringLiteral("'%1' はフォルダです.").arg(folder_.path())},
        {"empty file", empty, QStringLiteral("'%1' は空のファイルです.").arg(empty)},
        {"picture", picture,
         QStringLiteral("'%1' は Shift-JIS のテキスト ファイルではありません.").arg(picture)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        start();
        typeRow(1, kWorkedRow);
        dialogs().expectOpenFile(kDatFilter, QString(), c.answer);
        if (!c.error.isNull()) dialogs().expectError(c.error);
        click("BitBtn2");
        EXPECT_EQ(row("StringGrid1", 1, 6), "80|50|1|0|12|4");
        EXPECT_EQ(text("Memo1"), "");
    }
}

// A CP932 name ("データ") of a file in a folder of such a name, as on an old USB stick: Qt
// shows each with U+FFFD, and the commands still reach the file by its bytes.
TEST_F(FileCommandsTest, a_name_that_is_no_utf8_is_read_and_saved_by_its_bytes) {
    const std::string cp932Name = "\x83\x66\x81\x5b\x83\x5e";
    const std::string folder = folder_.path().toStdString() + "/" + cp932Name;
    const std::string file = folder + "/" + cp932Name + ".dat";
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    saveInputDataFile(inputWith({kWorkedRow}), file);
    const QString shown = QFile::decodeName(QByteArray::fromStdString(file));
    ASSERT_TRUE(shown.contains(QChar::ReplacementCharacter));
    const struct {
        const char* name;
        std::function<void()> read;
    } cases[] = {
        {"the command line's bytes", [&] { form_->openStartFile(file); }},
        {"the path the dialog shows",
         [&] {
             start();
             dialogs().expectOpenFile(kDatFilter, QString(), shown);
             click("BitBtn2");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.read();
        EXPECT_EQ(row("StringGrid1", 1, 6), "80.0|50.0|1.000|0.0|12.0|4.0");
        EXPECT_EQ(text("Memo1"), shown);
        typeRow(2, kWorkedRow);
        dialogs().expectSaveFile(QStringLiteral("*.dat|*.dat"), QStringLiteral("dat"), QString(),
                                 shown);
        click("BitBtn3");
        EXPECT_EQ(talveno::testing::fileContent(file),
                  inputDataFileBytes(inputWith({kWorkedRow, kWorkedRow})));
        saveInputDataFile(inputWith({kWorkedRow}), file);
    }
    std::filesystem::remove_all(folder);  // which Qt cannot name to remove
}

// Reading a file larger than the memory left: a child of the test process, its address space
// limited to what it holds plus 64 MB, reads 300,000 records, whose records fit (25 to 34 MB)
// and whose table texts (58 to 77 MB more) do not. The table and the name box stay as they were,
// and the box says why.
TEST_F(FileCommandsTest, a_read_out_of_memory_says_so_and_changes_nothing) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space: no limit possible";
#endif
    const QString input = path("large.dat"), results = path("large.mpa");
    std::string bytes = inputDataFileBytes(layouts::makeInputTable());
    std::string resultBytes = resultFileHeaderLines(StiffnessUnit::Mpa);
    for (int k = 1; k <= 300000; ++k) {
        bytes += std::to_string(k) + " 80 50 1 0 12 4\r\n";
        resultBytes += std::to_string(k) + " 80 50 0 1 0 87.5 21.51 5002\r\n";
    }
    std::ofstream(input.toStdString(), std::ios::binary) << bytes;
    std::ofstream(results.toStdString(), std::ios::binary) << resultBytes;
    const struct {
        const char* name;
        const char* button;
        QString filter;
        QString file;
        const char* grid;
        int columns;
    } cases[] = {
        {"input data file", "BitBtn2", kDatFilter, input, "StringGrid1", 6},
        {"result file", "BitBtn5", kMpaFilter, results, "StringGrid2", 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        start();
        typeRow(1, kWorkedRow);
        click("BitBtn4");
        if (c.button == std::string_view("BitBtn2")) clickTab(QStringLiteral("データ入力と計算"));
        const QString before = row(c.grid, 1, c.columns);
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            // What a read loads on its first use (the wait cursor, the error box) is loaded
            // before the limit.
            dialogs().expectOpenFile(c.filter, QString(), path("none"));
            dialogs().expectError(QStringLiteral("ファイルが見つかりません."));
            click(c.button);
            std::ifstream status("/proc/self/status");
            std::string line;
            while (std::getline(status, line) && !line.starts_with("VmSize:")) {
            }
            const rlim_t held = std::stoull(line.substr(7)) * 1024;
            const rlimit limit{held + (64 << 20), RLIM_INFINITY};
            ::setrlimit(RLIMIT_AS, &limit);
            dialogs().expectOpenFile(c.filter, QString(), c.file);
            dialogs().expectError(QStringLiteral("メモリが不足しているため、処理を中止しました."));
            click(c.button);
            const std::string outcome =
                (row(c.grid, 1, c.columns) + "/" + text("Memo1") + text("Memo2") + "/" +
                 dialogs().pending() + (HasFailure() ? "failed" : ""))
                    .toStdString();
            (void)::write(pipe[1], outcome.data(), outcome.size());
            ::_exit(0);
        }
        ::close(pipe[1]);
        char outcome[4096];
        const ssize_t length = ::read(pipe[0], outcome, sizeof outcome);
        ::close(pipe[0]);
        ::waitpid(child, nullptr, 0);
        EXPECT_EQ(std::string(outcome, std::max<ssize_t>(length, 0)),
                  (before + "//").toStdString());
    }
}

TEST_F(FileCommandsTest, read_input_refuses_a_bad_count_before_the_dialog) {
    start();
    setText("Edit4", "x");
    dialogs().expectError(QStringLiteral("'x' は整数ではありません."));
    click("BitBtn2");
}

TEST_F(FileCommandsTest, result_file_saved_in_the_unit_of_the_run_and_read_back) {
    start();
    typeRow(1, kWorkedRow);
    typeRow(2, {"60", "47.5", "0.02", "25", "12.3", "4"});
    choose("RadioGroup1", 1);
    click("BitBtn4");
    const QString file = path("results.kgf");
    dialogs().expectSaveFile(kKgfFilter, QStringLiteral("out"), QString(""), file);
    click("BitBtn6");
    EXPECT_EQ(text("Memo2"), file);
    const std::string saved = bytesOf(file);
    EXPECT_NE(saved.find("kgf/cm2     kgf/cm2\r\n"), std::string::npos);

    // A second run empties the name box; reading the file back brings its rows, the typed
    // inputs now in their fixed forms.
    clickTab(QStringLiteral("データ入力と計算"));
    click("BitBtn4");
    EXPECT_EQ(text("Memo2"), "");
    dialogs().expectOpenFile(kKgfFilter, QString(""), file);
    click("BitBtn5");
    EXPECT_EQ(row("StringGrid2", 1, 8), "80.0|50.0|0.00|1.000|0.0|87.5|2.193E+02|5.101E+04");
    EXPECT_EQ(row("StringGrid2", 2, 8), "60.0|47.5|-1.43|0.020|25.0|87.2|8.808E+01|2.741E+04");
    EXPECT_EQ(cell("StringGrid2", 7, 0), "Sbit(kgf/cm2)");  // headers of the last run stay
    EXPECT_EQ(text("Memo2"), file);
}

TEST_F(FileCommandsTest, result_read_cancelled_or_failing_changes_nothing) {
    start();
    typeRow(1, kWorkedRow);
    click("BitBtn4");
    dialogs().expectOpenFile(kMpaFilter, QString(), std::nullopt);
    click("BitBtn5");
    dialogs().expectOpenFile(kMpaFilter, QString(), path("none.mpa"));
    dialogs().expectError(QStringLiteral("ファイルが見つかりません."));
    click("BitBtn5");
    EXPECT_EQ(row("StringGrid2", 1, 8), kWorkedResult);
    EXPECT_EQ(text("Memo2"), "");
}

// A run stopped by a row leaves that row empty and brings it into view; the rows before it save.
TEST_F(FileCommandsTest, a_run_stopped_by_a_row_names_it_shows_it_and_saves_the_rows_before) {
    start();
    for (int row = 1; row <= 29; ++row) typeRow(row, kWorkedRow);
    typeRow(30, {"80", "50", "0", "0", "12", "4"});  // a loading time of 0
    typeRow(31, kWorkedRow);
    dialogs().expectError(QStringLiteral("0 による浮動小数点数除算.\n(No. 30)"));
    click("BitBtn4");
    EXPECT_EQ(row("StringGrid2", 29, 8), kWorkedResult);
    EXPECT_EQ(row("StringGrid2", 30, 8), "|||||||");
    QTableView* results = grid("StringGrid2");
    EXPECT_TRUE(
        results->viewport()->rect().contains(results->visualRect(results->model()->index(29, 0))));
    const QString file = path("before.mpa");
    dialogs().expectSaveFile(kMpaFilter, QStringLiteral("out"), QString(""), file);
    click("BitBtn6");
    const std::string saved = bytesOf(file);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 2 + 29);
}

}  // namespace
}  // namespace talveno::ui::testing
