// The print buttons without a printer, and a listing drawn through Qt's PDF output.
#include <QFontInfo>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <regex>

#include "../file_test_support.h"
#include "print/listings.h"
#include "printed_pages.h"
#include "qt_paint/pdf_listing.h"
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

// A word as pdftotext places it on the page, and the words of one line.
struct Word {
    std::string text;
    double centre;
};
using Line = std::vector<Word>;

// The lines of the first page of a PDF, top to bottom, each word with its centre.
std::vector<Line> pdfLines(const std::string& path) {
    const std::string page =
        talveno::testing::commandOutput("pdftotext -bbox -f 1 -l 1 '" + path + "' - 2>/dev/null");
    static const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="[0-9.]+">([^<]*)</word>)re");
    std::map<long, Line> lines;  // by their top, words in the order of the page's text
    for (auto it = std::sregex_iterator(page.begin(), page.end(), word);
         it != std::sregex_iterator(); ++it) {
        const auto& m = *it;
        lines[std::lround(std::stod(m[2]))].push_back(
            {m[4], (std::stod(m[1]) + std::stod(m[3])) / 2});
    }
    std::vector<Line> ordered;
    for (auto& [top, line] : lines) {
        std::sort(line.begin(), line.end(),
                  [](const Word& a, const Word& b) { return a.centre < b.centre; });
        ordered.push_back(std::move(line));
    }
    return ordered;
}

// The listings' columns are aligned with blanks, and their header lines are spaced for a face
// whose ideographic space is two blanks wide: each header word stands nearer to the values of
// its own column than to any other, over rows of narrow and of wide values.
TEST(PdfListing, every_header_word_stands_over_its_column) {
    EXPECT_EQ(QFontInfo(listingFont()).family(), "IPAGothic") << "the fixed-pitch stand-in";
    Table input = layouts::makeInputTable();
    talveno::testing::fillRows(input, {{"80", "47.5", "0.02", "25", "12.3", "4"},
                                       {"1234.5", "-12.5", "1000", "-5", "100", "0"}});
    Table result = layouts::makeResultTable();
    talveno::testing::fillRows(
        result, {{"80", "47.5", "-0.52", "0.02", "25", "85.3", "12.34", "5678"},
                 {"1234.5", "100", "-2.5", "1000", "-25", "99.9", "0.00001", "1e7"}});
    const struct {
        const char* name;
        Listing listing;
        std::vector<int> headerColumns;
        std::vector<int> unitColumns;
    } cases[] = {
        {"input",
         [&](ListingSink& sink) { writeInputListing(input, "cases.dat", sink); },
         {0, 1, 2, 3, 4, 5, 6},
         {1, 2, 3, 4, 5, 6}},
        {"result MPa",
         [&](ListingSink& sink) { writeResultListing(result, StiffnessUnit::Mpa, "", sink); },
         {0, 1, 2, 3, 4, 5, 6, 7, 8},
         {1, 2, 4, 5, 6, 7, 8}},
        {"result kgf/cm2",
         [&](ListingSink& sink) { writeResultListing(result, StiffnessUnit::KgfPerCm2, "", sink); },
         {0, 1, 2, 3, 4, 5, 6, 7, 8},
         {1, 2, 4, 5, 6, 7, 8}},
    };
    QTemporaryDir folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.filePath(QStringLiteral("listing.pdf")).toStdString();
        std::ofstream(path, std::ios::binary) << pdfListing(c.listing);
        const std::vector<Line> lines = pdfLines(path);
        ASSERT_EQ(lines.size(), 5u);  // title, two header lines, two rows
        for (const Line* values : {&lines[3], &lines[4]}) {
            ASSERT_EQ(values->size(), c.headerColumns.size());
            for (const auto& [header, columns] :
                 {std::pair{&lines[1], &c.headerColumns}, std::pair{&lines[2], &c.unitColumns}}) {
                ASSERT_EQ(header->size(), columns->size());
                for (std::size_t i = 0; i < header->size(); ++i) {
                    const Word& word = (*header)[i];
                    std::size_t nearest = 0;
                    for (std::size_t v = 1; v < values->size(); ++v)
                        if (std::abs((*values)[v].centre - word.centre) <
                            std::abs((*values)[nearest].centre - word.centre))
                            nearest = v;
                    EXPECT_EQ(int(nearest), (*columns)[i])
                        << word.text << " over " << (*values)[nearest].text;
                }
            }
        }
    }
}

}  // namespace
}  // namespace talveno::ui::testing
