// Both listings printed for real: the print buttons, Qt's print dialog accepted by the test,
// a private CUPS server (tests/ui/private_cups.sh) whose default printer writes a PDF file,
// and that file read back.
#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <chrono>
#include <filesystem>
#include <thread>

#include "../file_test_support.h"
#include "print/listings.h"
#include "printed_pages.h"
#include "tables/calculation_run.h"
#include "tables/layouts.h"
#include "ui/nomograph_view.h"
#include "window_fixture.h"

namespace talveno::ui::testing {
namespace {

using talveno::testing::commandOutput;
using talveno::testing::pdfPages;
using Pages = std::vector<std::vector<std::string>>;

const std::array<const char*, 6> kRow = {"80", "47.5", "0.02", "25", "12.3", "4"};

class PrintingTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        std::filesystem::remove(printed_);
        std::filesystem::remove(printedOther_);
    }

    // Accepts the print dialog once it shows the printer and the choices a listing allows; the
    // orientation it opens with is recorded.
    void expectPrintAccepted(const QString& printer = QStringLiteral("TalvenoPDF")) {
        dialogs().expectPrintDialog([this, printer](QPrintDialog& dialog) {
            auto* range = dialog.findChild<QWidget*>(QStringLiteral("gbPrintRange"));
            EXPECT_TRUE(range && range->isHidden()) << "the page range group is shown";
            for (const auto option : {QPrintDialog::PrintToFile, QPrintDialog::PrintSelection,
                                      QPrintDialog::PrintPageRange, QPrintDialog::PrintCurrentPage})
                EXPECT_FALSE(dialog.testOption(option)) << option;
            EXPECT_EQ(dialog.printer()->printerName(), printer);
            orientations_.push_back(dialog.printer()->pageLayout().orientation());
            return true;
        });
    }

    // Chooses a printer in the open dialog as the user does, in its list of printers.
    static void choosePrinter(QPrintDialog& dialog, const QString& printer) {
        auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
        ASSERT_NE(printers, nullptr);
        ASSERT_GE(printers->findText(printer), 0) << printer.toStdString();
        printers->setCurrentIndex(printers->findText(printer));
    }

    // The pages printed into the file, once the server has no job left.
    Pages printedPages(const std::string& file) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!commandOutput("lpstat -o 2>&1").empty()) {
            if (std::chrono::steady_clock::now() > deadline) {
                ADD_FAILURE() << "the print job did not end: " << commandOutput("lpstat -o -l");
                return {};
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return pdfPages(file);
    }
    Pages printedPages() { return printedPages(printed_); }

    // The pages the listing takes on the window's printer.
    Pages pagesOf(const Listing& listing) {
        return listingPages(listing, *form_->PrintDialog1.printer());
    }

    static Table inputWith(const std::vector<std::array<const char*, 6>>& rows) {
        Table input = layouts::makeInputTable();
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (int c = 0; c < 6; ++c) input.setCell(c + 1, int(r) + 1, rows[r][c]);
        return input;
    }

    const std::string printed_ = qEnvironmentVariable("TALVENO_PRINTED").toStdString();
    const std::string printedOther_ = qEnvironmentVariable("TALVENO_PRINTED_OTHER").toStdString();
    std::vector<QPageLayout::Orientation> orientations_;
};

TEST_F(PrintingTest, both_listings_print_on_the_printer_chosen) {
    start(QStringLiteral("120"));
    std::vector<std::array<const char*, 6>> rows(110, kRow);
    rows[1] = {"60", "50", "1", "0", "12", "4"};
    for (std::size_t r = 0; r < rows.size(); ++r) typeRow(int(r) + 1, rows[r]);
    const Table input = inputWith(rows);

    expectPrintAccepted();
    click("Button3");
    const Pages inputPages = printedPages();
    const Pages expectedInput =
        pagesOf([&](ListingSink& sink) { writeInputListing(input, "", sink); });
    ASSERT_EQ(expectedInput.size(), 2u);
    EXPECT_EQ(expectedInput[0][0], "入力データ名：");
    EXPECT_EQ(inputPages, expectedInput);

    click("BitBtn4");
    Table result = layouts::makeResultTable();
    layOutResults(result, 120, StiffnessUnit::Mpa);
    computeFilledRows(input, result, {StiffnessUnit::Mpa, false});
    expectPrintAccepted();
    click("Button4");
    const Pages expectedResult = pagesOf(
        [&](ListingSink& sink) { writeResultListing(result, StiffnessUnit::Mpa, "", sink); });
    EXPECT_EQ(expectedResult[0][1], "No Pen Soft PI Loadtime Temp Cv Sbit Smix");
    EXPECT_EQ(printedPages(), expectedResult);

    EXPECT_EQ(orientations_, std::vector(2, QPageLayout::Portrait));
}

// Only a confirmed dialog chooses the printer, and its choice stays for the next listing.
TEST_F(PrintingTest, a_cancelled_dialog_changes_no_printer_and_a_confirmed_one_keeps_its_choice) {
    start();
    typeRow(1, kRow);
    const std::vector<std::string> listing = {
        "入力データ名：", "No Pen Soft Loadtime Temp Asvol Void", "0.1mm ℃ 秒 ℃ ％ ％",
        "1 80.0 47.5 0.020 25.0 12.3 4.0"};
    dialogs().expectPrintDialog([](QPrintDialog& dialog) {
        choosePrinter(dialog, QStringLiteral("TalvenoOther"));
        return false;
    });
    click("Button3");
    expectPrintAccepted(QStringLiteral("TalvenoPDF"));
    click("Button3");
    EXPECT_EQ(printedPages(), Pages{listing});
    EXPECT_FALSE(std::filesystem::exists(printedOther_));

    dialogs().expectPrintDialog([](QPrintDialog& dialog) {
        choosePrinter(dialog, QStringLiteral("TalvenoOther"));
        return true;
    });
    click("Button3");
    EXPECT_EQ(printedPages(printedOther_), Pages{listing});
    std::filesystem::remove(printedOther_);
    expectPrintAccepted(QStringLiteral("TalvenoOther"));
    click("Button3");
    EXPECT_EQ(printedPages(printedOther_), Pages{listing});
}

TEST_F(PrintingTest, cancelling_the_dialog_prints_nothing_and_changes_nothing) {
    start();
    typeRow(1, kRow);
    const std::string jobsBefore = commandOutput("lpstat -W all -o");
    dialogs().expectPrintDialog([](QPrintDialog&) { return false; });
    click("Button3");
    EXPECT_EQ(commandOutput("lpstat -W all -o"), jobsBefore);
    EXPECT_FALSE(std::filesystem::exists(printed_));
    EXPECT_EQ(row("StringGrid1", 1, 6), "80|47.5|0.02|25|12.3|4");
    EXPECT_EQ(text("Memo1"), "");
}

TEST_F(PrintingTest, a_bad_cell_ends_the_job_after_the_lines_before_it) {
    start();
    typeRow(1, kRow);
    typeRow(2, {"60", "50", "x", "0", "12", "4"});
    expectPrintAccepted();
    dialogs().expectError(QStringLiteral("'x' は浮動小数点数ではありません."));
    click("Button3");
    const Pages printed = printedPages();
    ASSERT_EQ(printed.size(), 1u);
    ASSERT_EQ(printed[0].size(), 5u);
    EXPECT_EQ(printed[0][3], "1 80.0 47.5 0.020 25.0 12.3 4.0");
    EXPECT_EQ(printed[0][4], "2 60.0 50.0");

    // The next listing starts as any other.
    typeRow(2, {"60", "50", "1", "0", "12", "4"});
    expectPrintAccepted();
    click("Button3");
    const Pages whole = printedPages();
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].back(), "2 60.0 50.0 1.000 0.0 12.0 4.0");
}

// The view of a row's look-up prints through the same dialog on the same printer, one page.
TEST_F(PrintingTest, the_nomograph_view_prints_its_page) {
    start();
    typeRow(1, {"80", "50", "0.02", "10", "12", "4"});
    click("BitBtn4");
    grid("StringGrid2")->setCurrentIndex(grid("StringGrid2")->model()->index(0, 0));
    find<QAction>("Nomograph1")->trigger();
    auto* view = form_->findChild<NomographView*>();
    ASSERT_TRUE(view && view->isVisible());
    expectPrintAccepted();
    QTest::mouseClick(view->printButton(), Qt::LeftButton);
    const Pages printed = printedPages();
    ASSERT_EQ(printed.size(), 1u);
    const auto& lines = printed[0];
    EXPECT_NE(std::find(lines.begin(), lines.end(), "交点 X 2317.6559"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Sbit（MPa） 4.0614E+01"), lines.end());
    // On a landscape page the drawing, twice as wide as high, spans the page's long side.
    const std::string image = printed_ + "-page";
    commandOutput("pdftoppm -png -r 20 -singlefile '" + printed_ + "' '" + image + "'");
    const QImage page(QString::fromStdString(image + ".png"));
    ASSERT_FALSE(page.isNull());
    int top = page.height(), bottom = -1, left = page.width(), right = -1;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 200) {
                top = std::min(top, y), bottom = std::max(bottom, y);
                left = std::min(left, x), right = std::max(right, x);
            }
    const int longSide = std::max(page.width(), page.height());
    EXPECT_GT(std::max(bottom - top, right - left), longSide * 8 / 10)
        << "drawn in " << right - left << " x " << bottom - top << " of " << page.width() << " x "
        << page.height();

    // The listings keep their own orientation.
    expectPrintAccepted();
    click("Button4");
    printedPages();
    EXPECT_EQ(orientations_, (std::vector{QPageLayout::Landscape, QPageLayout::Portrait}));
}

}  // namespace
}  // namespace talveno::ui::testing
