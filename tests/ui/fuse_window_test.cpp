// The window saving on the file systems of USB sticks, mounted through FUSE by
// tests/disk/fuse_disks.sh: three saves over one file, each leaving the table's bytes.
#include <cstdlib>

#include "../file_test_support.h"
#include "formats/input_data_file.h"
#include "tables/layouts.h"
#include "window_fixture.h"

namespace talveno::ui::testing {
namespace {

TEST_F(WindowTest, three_saves_over_one_file_on_fat_exfat_and_ntfs) {
    const QString filter = QStringLiteral("*.dat|*.dat");
    for (const char* disk : {"TALVENO_FAT", "TALVENO_EXFAT", "TALVENO_NTFS"}) {
        SCOPED_TRACE(disk);
        if (!std::getenv(disk)) GTEST_SKIP() << disk << " is not set: run under fuse_disks.sh";
        const talveno::testing::TempFolder folder(std::getenv(disk));
        const std::string file = folder / "cases.dat";
        SetUp();
        start();
        Table input = layouts::makeInputTable();
        for (int save = 1; save <= 3; ++save) {
            const std::array<const char*, 6> cells = {"80", "50", "1",
                                                      "0",  "12", save == 2 ? "5" : "4"};
            typeRow(save, cells);
            for (int c = 0; c < 6; ++c) input.setCell(c + 1, save, cells[c]);
            dialogs().expectSaveFile(filter, QStringLiteral("dat"), QString(),
                                     QString::fromStdString(file));
            click("BitBtn3");
            EXPECT_EQ(talveno::testing::fileContent(file), inputDataFileBytes(input)) << save;
        }
        EXPECT_EQ(text("Memo1"), QString::fromStdString(file));
    }
}

}  // namespace
}  // namespace talveno::ui::testing
