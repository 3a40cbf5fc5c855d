// The four data file commands through the window, with scripted file dialogs.
#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "files/disk_files.h"
#include "files/input_data_file.h"
#include "files/result_file.h"
#include "tables/layouts.h"
#include "ui/look.h"
#include "window_fixture.h"

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

TEST_F(FileCommandsTest, read_input_that_fails_or_is_cancelled_changes_nothing) {
    const QString bad = path("bad.dat");
    std::ofstream(bad.toStdString(), std::ios::binary)
        << "h1\r\nh2\r\n  1 80 50 1 0 12 4\r\n  2 x\r\n";
    const struct {
        const char* name;
        std::optional<QString> answer;
        const char* error;
    } cases[] = {
        {"cancelled", std::nullopt, nullptr},
        {"missing file", path("none.dat"), "ファイルが見つかりません."},
        {"bad token", bad, "入力値が数値ではありません.\n(4 行目)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        start();
        typeRow(1, kWorkedRow);
        dialogs().expectOpenFile(kDatFilter, QString(), c.answer);
        if (c.error) dialogs().expectError(QString::fromUtf8(c.error));
        click("BitBtn2");
        EXPECT_EQ(row("StringGrid1", 1, 6), "80|50|1|0|12|4");
        EXPECT_EQ(text("Memo1"), "");
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

}  // namespace
}  // namespace talveno::ui::testing
