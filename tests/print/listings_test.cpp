#include "print/listings.h"

#include <gtest/gtest.h>

#include "../file_test_support.h"
#include "tables/layouts.h"

namespace talveno {
namespace {

using testing::failureOf;
using testing::fillRows;

const std::string kIndent(15, ' ');
const std::string kTop(7, '\n');
const std::string kInputHeaders =
    kIndent + "　No 　   Pen      Soft   Loadtime　  Temp 　  Asvol　   Void\n" + kIndent +
    "  　　   0.1mm      ℃  　   秒          ℃      　％ 　     ％\n";
const std::string kResultHeader =
    kIndent +
    " No      Pen      Soft       PI      Loadtime    Temp      Cv        Sbit        Smix\n";
const std::string kMpaLine =
    kIndent +
    "        0.1mm      ℃           　        秒　       ℃         ％        MPa        MPa\n";
const std::string kKgfLine =
    kIndent +
    "        0.1mm      ℃           　        秒　       ℃         ％      kgf/cm2    kgf/cm2\n";

std::string inputListing(const Table& input, std::string_view name) {
    return listingText([&](ListingSink& sink) { writeInputListing(input, name, sink); });
}

std::string resultListing(const Table& result, StiffnessUnit unit, std::string_view name) {
    return listingText([&](ListingSink& sink) { writeResultListing(result, unit, name, sink); });
}

TEST(Listings, InputListingLines) {
    const struct {
        const char* name;
        std::vector<std::vector<std::string>> rows;
        int rowCount;
        const char* title;
        std::string lines;
    } cases[] = {
        {"empty table, no file", {}, 51, "", ""},
        {"two rows, 0.02 and a padded 60",
         {{"80", "47.5", "0.02", "25", "12.3", "4"}, {" 60 ", "50", "1e0", "-0", "12", "4.04"}},
         51,
         "/home/技師/データ.dat",
         kIndent + "  1       80.0      47.5     0.020      25.0      12.3       4.0\n" + kIndent +
             "  2       60.0      50.0     1.000      -0.0      12.0       4.0\n"},
        {"third row hidden beyond the row count, then an empty penetration",
         {{"1", "2", "3", "4", "5", "6"},
          {"1", "2", "3", "4", "5", "6"},
          {"7", "8", "9", "1", "2", "3"},
          {"", "1", "1", "1", "1", "1"},
          {"9", "9", "9", "9", "9", "9"}},
         3,
         "a.dat",
         kIndent + "  1        1.0       2.0     3.000       4.0       5.0       6.0\n" + kIndent +
             "  2        1.0       2.0     3.000       4.0       5.0       6.0\n" + kIndent +
             "  3        7.0       8.0     9.000       1.0       2.0       3.0\n"},
        {"values that fill or pass their field",
         {{"12345678.9", "123456789", "100000", "1", "1", "1"}},
         51,
         "x",
         kIndent + "  1  12345678.9 123456789.0 100000.000       1.0       1.0       1.0\n"},
    };
    for (const auto& c : cases) {
        Table input = layouts::makeInputTable();
        input.setRowCount(c.rowCount);
        fillRows(input, c.rows);
        EXPECT_EQ(inputListing(input, c.title),
                  kTop + kIndent + "入力データ名： " + c.title + "\n\n" + kInputHeaders + c.lines)
            << c.name;
    }
}

TEST(Listings, ResultListingLines) {
    const std::vector<std::string> row = {"80",   "47.5", "-0.5",      "0.02",
                                          "25.0", "85.3", "1.234E+01", "5678"};
    const std::string rowLine =
        kIndent +
        "  1       80.0      47.5     -0.50     0.020      25.0      85.3 1.234E+0001 "
        "5.678E+0003\n";
    const struct {
        const char* name;
        StiffnessUnit unit;
        std::vector<std::vector<std::string>> rows;
        std::string lines;
    } cases[] = {
        {"MPa, empty table", StiffnessUnit::Mpa, {}, kMpaLine},
        {"MPa, one row", StiffnessUnit::Mpa, {row}, kMpaLine + rowLine},
        {"kgf/cm2, one row", StiffnessUnit::KgfPerCm2, {row}, kKgfLine + rowLine},
        {"negative stiffness fills its field",
         StiffnessUnit::Mpa,
         {{"1", "1", "1", "1", "1", "1", "-1000", "0"}},
         kMpaLine + kIndent +
             "  1        1.0       1.0      1.00     1.000       1.0       1.0 -1.000E+0003 "
             "0.000E+0000\n"},
    };
    for (const auto& c : cases) {
        Table result = layouts::makeResultTable();
        fillRows(result, c.rows);
        const std::string text = resultListing(result, c.unit, "出力.mpa");
        EXPECT_EQ(text, kTop + kIndent + "出力データ名： 出力.mpa\n\n" + kResultHeader + c.lines)
            << c.name;
    }
}

// A sink that keeps what it was given before a failure.
class KeptText : public ListingSink {
  public:
    void write(std::string_view text) override { text_ += text; }
    void endLine() override { text_ += '\n'; }
    std::string text_;
};

TEST(Listings, BadCellStopsAfterTheFieldsBeforeIt) {
    Table input = layouts::makeInputTable();
    fillRows(input,
             {{"80", "47.5", "0.02", "25", "12.3", "4"}, {"60", "50", " ", "25", "12", "4"}});
    KeptText sink;
    EXPECT_EQ(failureOf([&] { writeInputListing(input, "", sink); }),
              "' ' は浮動小数点数ではありません");
    EXPECT_EQ(sink.text_.substr(sink.text_.rfind('\n') + 1), kIndent + "  2       60.0      50.0");
}

}  // namespace
}  // namespace talveno
