// The window opened on a data file given on the command line.
#include <QTemporaryDir>
#include <fstream>

#include "window_fixture.h"

namespace talveno::ui::testing {
namespace {

// A data file of that many records, each "80 50 1 0 12 4", then the lines given.
QString writeDataFile(const QTemporaryDir& folder, int records, const char* after = "") {
    const QString path = folder.filePath(QStringLiteral("cases %1.dat").arg(records));
    std::ofstream file(path.toStdString(), std::ios::binary);
    file << "h1\r\nh2\r\n";
    for (int k = 1; k <= records; ++k) file << k << " 80 50 1 0 12 4\r\n";
    file << after;
    return path;
}

TEST_F(WindowTest, start_file_starts_with_the_count_raised_to_its_rows_and_reads_it) {
    const QTemporaryDir folder;
    const struct {
        const char* name;
        int records;
        const char* count;
    } cases[] = {
        {"3 records keep the count 50", 3, "50"},
        {"50 records keep the count 50", 50, "50"},
        {"60 records raise the count to 60", 60, "60"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        const QString path = writeDataFile(folder, c.records);
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
        dialogs().expectOpenFile(form_->OpenDialog1.filter, path, std::nullopt);
        click("BitBtn2");
    }
}

TEST_F(WindowTest, start_file_that_cannot_be_read_leaves_the_start_page_as_it_was) {
    const QTemporaryDir folder;
    const struct {
        const char* name;
        QString path;
        const char* error;
    } cases[] = {
        {"missing file", folder.filePath(QStringLiteral("none.dat")), "ファイルが見つかりません."},
        {"bad token in record 2", writeDataFile(folder, 1, "2 x\r\n"),
         "入力値が数値ではありません.\n(4 行目)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        dialogs().expectError(QString::fromUtf8(c.error));
        form_->openStartFile(c.path);
        EXPECT_EQ(currentPage(), "TabSheet1");
        EXPECT_EQ(shownTabs(), QStringList{QStringLiteral("スタート")});
        EXPECT_EQ(text("Edit4"), "50");
        EXPECT_EQ(text("Memo1"), "Memo1");
    }
}

}  // namespace
}  // namespace talveno::ui::testing
