// The print buttons without a printer, and a listing drawn through Qt's PDF output.
#include <QPdfWriter>
#include <QTemporaryDir>

#include "../files/file_test_support.h"
#include "print/listings.h"
#include "printed_pages.h"
#include "tables/layouts.h"
#include "window_fixture.h"

namespace talveno::ui::testing {
namespace {

using talveno::testing::pdfPageCount;
using talveno::testing::pdfPages;

// The tests reach no print server (see ui_test_main.cpp).
TEST_F(WindowTest, print_buttons_without_a_default_printer_say_so_and_open_no_dialog) {
    start();
    typeRow(1, kWorkedRow);
    dialogs().expectError(QStringLiteral("デフォルト プリンタが存在しません."));
    click("Button3");
    click("BitBtn4");
    dialogs().expectError(QStringLiteral("デフォルト プリンタが存在しません."));
    click("Button4");
    EXPECT_EQ(form_->PrintDialog1.printer(), nullptr);
}

TEST(PdfListing, every_line_is_on_the_page_the_stream_put_it) {
    Table result = layouts::makeResultTable();
    talveno::testing::fillRows(
        result, std::vector<std::vector<std::string>>(
                    300, {"80", "47.5", "-0.5", "0.02", "25", "85.3", "1.234E+01", "5678"}));
    const Listing listing = [&](ListingSink& sink) {
        writeResultListing(result, StiffnessUnit::KgfPerCm2, "/home/技師/結果.kgf", sink);
    };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("listing.pdf"));
    QPdfWriter writer(path);
    {
        PainterSurface surface(writer);
        PrintStream stream(surface);
        listing(stream);
        surface.end();
    }
    const auto expected = listingPages(listing, writer);
    ASSERT_GE(expected.size(), 3u);
    EXPECT_EQ(expected[0][0], "出力データ名： /home/技師/結果.kgf");
    // Later pages go on with the rows.
    EXPECT_NE(expected[1][0].find(" 80.0 47.5 -0.50 0.020 25.0 85.3 1.234E+0001 5.678E+0003"),
              std::string::npos);
    EXPECT_EQ(pdfPageCount(path.toStdString()), int(expected.size()));
    EXPECT_EQ(pdfPages(path.toStdString()), expected);
}

}  // namespace
}  // namespace talveno::ui::testing
