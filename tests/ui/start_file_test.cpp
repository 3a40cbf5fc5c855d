// The window opened on a data file given on the command line.
#include <sys/stat.h>

#include <QButtonGroup>
#include <QTemporaryDir>
#include <fstream>

#include "formats/input_data_file.h"
#include "formats/result_file.h"
#include "tables/layouts.h"
#include "window_fixture.h"

namespace talveno::ui::testing {
namespace {

// The text with every CR LF turned into a lone LF.
std::string withLf(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    return text;
}

QString writeFile(const QTemporaryDir& folder, const QString& name, const std::string& bytes) {
    const QString path = folder.filePath(name);
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    return path;
}

// An input data file of that many records, each "80 50 1 0 12 4", then the lines given.
QString writeDataFile(const QTemporaryDir& folder, int records, const char* after = "",
                      bool lf = false) {
    std::string bytes = inputDataFileBytes(layouts::makeInputTable());
    for (int k = 1; k <= records; ++k) bytes += std::to_string(k) + " 80 50 1 0 12 4\r\n";
    bytes += after;
    return writeFile(folder, QStringLiteral("cases %1%2.dat").arg(records).arg(lf ? " lf" : ""),
                     lf ? withLf(bytes) : bytes);
}

// A result file in the unit of that many records, each the worked row's results.
QString writeResultFile(const QTemporaryDir& folder, StiffnessUnit unit, int records,
                        const char* after = "", bool lf = false) {
    std::string bytes = resultFileHeaderLines(unit);
    for (int k = 1; k <= records; ++k)
        bytes += std::to_string(k) + " 80 50 0 1 0 87.5 21.51 5002\r\n";
    bytes += after;
    return writeFile(folder, QStringLiteral("results %1%2.out").arg(records).arg(lf ? " lf" : ""),
                     lf ? withLf(bytes) : bytes);
}

TEST_F(WindowTest, start_file_starts_with_the_count_raised_to_its_rows_and_reads_it) {
    const QTemporaryDir folder;
    const struct {
        const char* name;
        int records;
        bool lf;
        const char* count;
    } cases[] = {
        {"3 records keep the count 50", 3, false, "50"},
        {"50 records keep the count 50", 50, false, "50"},
        {"60 records raise the count to 60", 60, false, "60"},
        {"LF line ends", 3, true, "50"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        const QString path = writeDataFile(folder, c.records, "", c.lf);
        form_->openStartFile(path);
        EXPECT_EQ(currentPage(), "TabSheet2");
        EXPECT_EQ(shownTabs(),
                  (QStringList{QStringLiteral("スタート"), QStringLiteral("データ入力と計算")}));
        EXPECT_EQ(text("Edit4"), c.count);
        EXPECT_EQ(text("Label18"), c.count);
        EXPECT_EQ(dataRows("StringGrid1"), QString(c.count).toInt());
        EXPECT_EQ(row("StringGrid1", c.records, 6), "80.0|50.0|1.000|0.0|12.0|4.0");
        EXPECT_EQ(row("StringGrid1", c.records + 1, 6), "|||||");
        EXPECT_EQ(cell("StringGrid1", 0, c.records), QString::number(c.records));
        EXPECT_EQ(text("Memo1"), path);
        // The read command's dialog opens on the file.
        dialogs().expectOpenFile(QString::fromStdString(form_->OpenDialog1.filter), path,
                                 std::nullopt);
        click("BitBtn2");
    }
}

TEST_F(WindowTest, start_result_file_shows_the_result_page_in_the_unit_of_its_unit_line) {
    const QTemporaryDir folder;
    const struct {
        const char* name;
        StiffnessUnit unit;
        int records;
        bool lf;
        const char* count;
        const char* pattern;
        const char* sbitHeader;
    } cases[] = {
        {"MPa, 3 records", StiffnessUnit::Mpa, 3, false, "50", "*.mpa", "Sbit(MPa)"},
        {"kgf/cm2, 60 records raise the count to 60", StiffnessUnit::KgfPerCm2, 60, false, "60",
         "*.kgf", "Sbit(kgf/cm2)"},
        {"kgf/cm2 with LF line ends", StiffnessUnit::KgfPerCm2, 2, true, "50", "*.kgf",
         "Sbit(kgf/cm2)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        const QString path = writeResultFile(folder, c.unit, c.records, "", c.lf);
        form_->openStartFile(path);
        EXPECT_EQ(currentPage(), "TabSheet3");
        EXPECT_EQ(shownTabs(),
                  (QStringList{QStringLiteral("スタート"), QStringLiteral("データ入力と計算"),
                               QStringLiteral("結果の出力と表示")}));
        EXPECT_EQ(text("Edit4"), c.count);
        EXPECT_EQ(text("Label17"), c.count);
        EXPECT_EQ(dataRows("StringGrid2"), QString(c.count).toInt());
        EXPECT_EQ(cell("StringGrid2", 7, 0), c.sbitHeader);
        EXPECT_EQ(cell("StringGrid2", 0, c.records), QString::number(c.records));
        EXPECT_EQ(row("StringGrid2", c.records, 8),
                  "80.0|50.0|0.00|1.000|0.0|87.5|2.151E+01|5.002E+03");
        EXPECT_EQ(row("StringGrid2", c.records + 1, 8), "|||||||");
        EXPECT_EQ(row("StringGrid1", 1, 6), "|||||");
        EXPECT_EQ(text("Label12"), c.pattern);
        EXPECT_EQ(text("Memo2"), path);
        EXPECT_EQ(text("Memo1"), "");
        const int unitItem = c.unit == StiffnessUnit::Mpa ? 0 : 1;
        EXPECT_TRUE(find<QGroupBox>("RadioGroup1")
                        ->findChildren<QRadioButton*>()
                        .at(unitItem)
                        ->isChecked());
        // The result read's dialog opens on the file, with the filter of the file's unit; the
        // input read's dialog has no path yet.
        const QString filter = QStringLiteral("出力ファイル(%1)|%1").arg(c.pattern);
        dialogs().expectOpenFile(filter, path, std::nullopt);
        click("BitBtn5");
        EXPECT_EQ(form_->OpenDialog1.fileName, "");
    }
}

TEST_F(WindowTest, start_file_that_cannot_be_read_leaves_the_start_page_as_it_was) {
    const QTemporaryDir folder;
    const QString other = writeFile(folder, QStringLiteral("notes.mpa"), "some other data\r\n");
    const std::string resultHeader =
        resultFileHeaderLines(StiffnessUnit::Mpa).substr(0, 72);  // the header line, CR LF
    // A FIFO without a writer, which would keep the window from ever showing.
    const QString fifo = folder.filePath(QStringLiteral("fifo.dat"));
    ASSERT_EQ(::mkfifo(fifo.toStdString().c_str(), 0666), 0);
    const struct {
        const char* name;
        QString path;
        QString error;
    } cases[] = {
        {"missing file", folder.filePath(QStringLiteral("none.dat")),
         QStringLiteral("ファイルが見つかりません.")},
        {"bad token in record 2", writeDataFile(folder, 1, "2 x\r\n"),
         QStringLiteral("入力値が数値ではありません.\n(4 行目)")},
        {"bad token in a result record", writeResultFile(folder, StiffnessUnit::Mpa, 1, "2 x\r\n"),
         QStringLiteral("入力値が数値ではありません.\n(4 行目)")},
        {"neither kind", other,
         QStringLiteral("'%1' は入力データファイルでも結果ファイルでもありません.").arg(other)},
        {"result header line over another unit line",
         writeFile(folder, QStringLiteral("odd unit.mpa"), resultHeader + "  MPa\r\n"),
         QStringLiteral("'%1' は入力データファイルでも結果ファイルでもありません.")
             .arg(folder.filePath(QStringLiteral("odd unit.mpa")))},
        {"FIFO", fifo, QStringLiteral("'%1' は通常のファイルではありません.").arg(fifo)},
        {"folder", folder.path(), QStringLiteral("'%1' はフォルダです.").arg(folder.path())},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        dialogs().expectError(c.error);
        form_->openStartFile(c.path);
        EXPECT_EQ(currentPage(), "TabSheet1");
        EXPECT_EQ(shownTabs(), QStringList{QStringLiteral("スタート")});
        EXPECT_EQ(text("Edit4"), "50");
        EXPECT_EQ(text("Memo1"), "Memo1");
        EXPECT_TRUE(
            find<QGroupBox>("RadioGroup1")->findChildren<QRadioButton*>().at(0)->isChecked());
    }
}

}  // namespace
}  // namespace talveno::ui::testing
