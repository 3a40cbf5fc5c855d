#include "formats/result_file.h"

#include <gtest/gtest.h>

#include "../file_test_support.h"
#include "tables/layouts.h"

namespace talveno {
namespace {

using testing::failureOf;
using testing::fillRows;
using testing::rowTexts;

const std::string kHeader =
    " No     Pen   soft    PI    loadtime  Temp    Cv      Sbit        Smix\r\n";
// "℃" is 81 8E, "　" 81 40, "秒" 95 62.
const std::string kUnitStart =
    "       0.1mm   \x81\x8E           \x81\x40 \x95\x62\x81\x40    \x81\x8E     %";
const std::string kMpaLines = kHeader + kUnitStart + "       MPa         MPa\r\n";
const std::string kKgfLines = kHeader + kUnitStart + "      kgf/cm2     kgf/cm2\r\n";

const std::vector<std::string> kWorkedRow = {"80", "47.5", "-0.52", "0.02",
                                             "25", "85.3", "12.34", "5678"};
const std::string kWorkedLine =
    "  1    80.0   47.5  -0.52     0.020   25.0   85.3 1.234E+0001 5.678E+0003\r\n";

TEST(ResultFile, HeaderAndUnitLinesAreTheLiteralCp932Bytes) {
    EXPECT_EQ(kMpaLines.size(), 70u + 2 + 69 + 2);
    EXPECT_EQ(kKgfLines.size(), 70u + 2 + 72 + 2);
    const Table empty = layouts::makeResultTable();
    EXPECT_EQ(resultFileBytes(empty, StiffnessUnit::Mpa), kMpaLines);
    EXPECT_EQ(resultFileBytes(empty, StiffnessUnit::KgfPerCm2), kKgfLines);
}

TEST(ResultFile, WritesOneLinePerFilledRow) {
    const struct {
        const char* name;
        std::vector<std::string> row;
        std::string line;
    } cases[] = {
        {"worked example", kWorkedRow, kWorkedLine},
        {"small and zero stiffness",
         {"60", "50", "-0.77", "1", "0", "87.5", "2.5e-5", "0"},
         "  1    60.0   50.0  -0.77     1.000    0.0   87.5 2.500E-0005 0.000E+0000\r\n"},
        {"values filling their fields get one blank",
         {"10000", "-1000", "-100", "100000", "1", "1", "-1", "-0.0"},
         "  1  10000.0 -1000.0 -100.00 100000.000    1.0    1.0 -1.000E+0000 -0.000E+0000\r\n"},
    };
    for (const auto& c : cases) {
        Table result = layouts::makeResultTable();
        fillRows(result, {c.row});
        EXPECT_EQ(resultFileBytes(result, StiffnessUnit::Mpa), kMpaLines + c.line) << c.name;
    }
}

// The cell texts of the records after the header lines, or the failure.
std::string readBack(const std::string& body) {
    return testing::readTexts(layouts::makeResultTable(), 8, kKgfLines + body, parseResultFile,
                              applyResultFile);
}

TEST(ResultFile, ReadsIntoTheCellFormsOfARun) {
    const std::string worked = "80.0|47.5|-0.52|0.020|25.0|85.3|1.234E+01|5.678E+03|\n";
    const std::string bad = "入力値が数値ではありません\n";
    const struct {
        const char* name;
        std::string body;
        std::string texts;
    } cases[] = {
        {"worked line", kWorkedLine, worked},
        {"row number with decimals, exponents of any form",
         "1.0 80 47.5 -.52 2e-2 25 85.3 12.34 5.678e3\r\n", worked},
        {"tiny Sbit", "2 60 50 -0.77 1 0 87.5 2.500E-0005 0.000E+0000",
         "60.0|50.0|-0.77|1.000|0.0|87.5|2.500E-05|0.000E+00|\n"},
        {"blanks after the last record make no row", kWorkedLine + "\r\n  \r\n", worked},
        {"record over two lines, the rest of the last skipped",
         "1 80 47.5 -0.52\n0.02 25 85.3 12.34 5678 junk\n", worked},
        {"letter in Smix", kWorkedLine + "2 1 1 1 1 1 1 1 x", bad + "(4 行目)"},
        {"record cut short by the end", kWorkedLine + kWorkedLine.substr(0, 60), bad + "(4 行目)"},
        {"overflowing value", "1 1 1 1 1 1 1 1e309 1", bad + "(3 行目)"},
        {"largest Sbit whose cell reads back", "1 1 1 1 1 1 1 -1.7974e308 1",
         "1.0|1.0|1.00|1.000|1.0|1.0|-1.797E+308|1.000E+00|\n"},
        {"Smix whose cell would exceed the double range", "1 1 1 1 1 1 1 1 1.7975e308",
         bad + "(3 行目)"},
    };
    for (const auto& c : cases) EXPECT_EQ(readBack(c.body), c.texts) << c.name;
}

TEST(ResultFile, RoundTripKeepsBytesAndRunTexts) {
    // Columns 3, 6, 7 and 8 hold texts as a run writes them and come back the same; the
    // typed texts of the others come back in their fixed forms.
    Table result = layouts::makeResultTable();
    fillRows(result,
             {kWorkedRow, {"120", "45", "1.23", "100", "-5", "90.0", "9.999E-05", "1.000E+04"}});
    const std::string bytes = resultFileBytes(result, StiffnessUnit::KgfPerCm2);
    Table readBack = layouts::makeResultTable();
    fillRows(readBack, std::vector<std::vector<std::string>>(60, kWorkedRow));
    applyResultFile(readBack, 50, parseResultFile(bytes, testing::kReadFileName));
    EXPECT_EQ(rowTexts(readBack, 3, 8), "||||||||");   // emptied
    EXPECT_EQ(rowTexts(readBack, 51, 8), "||||||||");  // beyond N: emptied too
    EXPECT_EQ(rowTexts(readBack, 2, 8), "120.0|45.0|1.23|100.000|-5.0|90.0|9.999E-05|1.000E+04|");
    EXPECT_EQ(resultFileBytes(readBack, StiffnessUnit::KgfPerCm2), bytes);
}

}  // namespace
}  // namespace talveno
