#include "formats/input_data_file.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <locale>

#include "../file_test_support.h"
#include "formats/result_file.h"
#include "tables/layouts.h"

namespace talveno {
namespace {

using testing::failureOf;
using testing::fillRows;
using testing::kReadFileName;
using testing::rowTexts;

// The two header lines in CP932: "　" is 81 40, "℃" 81 8E and "秒" 95 62.
const std::string kHeader =
    "\x81\x40No \x81\x40 pen   soft   loadtime\x81\x40temp \x81\x40"
    "asvol\x81\x40 void\r\n"
    "  \x81\x40\x81\x40 0.1mm   \x81\x8E  \x81\x40   \x95\x62      \x81\x8E   \x81\x40% \x81\x40"
    "    %\r\n";

const std::vector<std::string> kWorkedRow = {"80", "47.5", "0.02", "25", "12.3", "4"};
const std::string kWorkedLine = "  1    80.0   47.5     0.020   25.0   12.3    4.0\r\n";

TEST(InputDataFile, HeaderLinesAreTheLiteralCp932Bytes) {
    EXPECT_EQ(kHeader.size(), 50u + 2 + 48 + 2);
    EXPECT_EQ(inputDataFileBytes(layouts::makeInputTable()), kHeader);
}

TEST(InputDataFile, WritesOneLinePerFilledRow) {
    const struct {
        const char* name;
        std::vector<std::vector<std::string>> rows;
        std::string lines;
    } cases[] = {
        {"worked example", {kWorkedRow}, kWorkedLine},
        {"values parsed anew",
         {{" 80 ", "4.75e1", "+.02", "25.", "12.34", "-0.04"}},
         "  1    80.0   47.5     0.020   25.0   12.3   -0.0\r\n"},
        {"values filling their fields get one blank",
         {{"10000", "-1000", "100000", "999.9", "-999.9", "1e6"}},
         "  1  10000.0 -1000.0 100000.000  999.9 -999.9 1000000.0\r\n"},
        {"only the rows before the first empty penetration",
         {kWorkedRow, {"", "1", "1", "1", "1", "1"}, kWorkedRow},
         kWorkedLine},
    };
    for (const auto& c : cases) {
        Table input = layouts::makeInputTable();
        fillRows(input, c.rows);
        EXPECT_EQ(inputDataFileBytes(input), kHeader + c.lines) << c.name;
    }
}

TEST(InputDataFile, SavingRefusesACellThatIsNoNumber) {
    const struct {
        int column;
        const char* text;
    } cases[] = {{1, " "}, {2, ""}, {4, "1,5"}, {6, "4x"}};
    for (const auto& c : cases) {
        Table input = layouts::makeInputTable();
        fillRows(input, {kWorkedRow, kWorkedRow});
        input.setCell(c.column, 2, c.text);
        EXPECT_EQ(failureOf([&] { inputDataFileBytes(input); }),
                  std::string("'").append(c.text).append("' は浮動小数点数ではありません"))
            << c.text;
    }
}

// The cell texts of the records after the header lines, or the failure.
std::string readBack(const std::string& body) {
    return testing::readTexts(layouts::makeInputTable(), 6, kHeader + body, parseInputDataFile,
                              applyInputDataFile);
}

TEST(InputDataFile, ReadsByTheTokenRules) {
    const std::string worked = "80.0|47.5|0.020|25.0|12.3|4.0|\n";
    const struct {
        const char* name;
        std::string body;
        std::string texts;
    } cases[] = {
        {"worked line", kWorkedLine, worked},
        {"no line end at the end", "1 80 47.5 0.02 25 12.3 4", worked},
        {"record over two lines", "1 80 47.5\r\n0.02 25 12.3 4\r\n", worked},
        {"numbers after the seventh skipped", "1 80 47.5 0.02 25 12.3 4 9 9\r\n2 1 2 3 4 5 6",
         worked + "1.0|2.0|3.000|4.0|5.0|6.0|\n"},
        {"a lone CR ends no line", "1 80 47.5 0.02 25 12.3 4\r9 9\n", worked},
        {"tabs and control characters separate",
         "\t1\x01"
         "80\x1f"
         "47.5 0.02 25 12.3 4",
         worked},
        {"blank lines between records", "\r\n\r\n" + kWorkedLine + "\r\n \r\n" + kWorkedLine,
         worked + worked},
        {"blanks after the last record make no row", kWorkedLine + "\r\n\r\n   \t\r\n", worked},
        {"Ctrl-Z ends the file", kWorkedLine + "\x1a" + kWorkedLine, worked},
        {"signed and unpadded row numbers", "+7 80 47.5 0.02 25 12.3 4\r\n-2147483648 1 1 1 1 1 1",
         worked + "1.0|1.0|1.000|1.0|1.0|1.0|\n"},
        {"values rounded to the cell form", "1 0.05 -0.04 1.0005 1e3 .5 5.",
         "0.1|-0.0|1.001|1000.0|0.5|5.0|\n"},
        {"no records", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(readBack(c.body), c.texts) << c.name;
    for (const char* shortFile : {"one line", "one line\r\n  1 80 47.5 0.02"})
        EXPECT_TRUE(parseInputDataFile(shortFile, kReadFileName).empty()) << shortFile;
}

// A file chosen by mistake is refused where it yields no record: empty, or with header lines
// that are no CP932 text. Text under other header lines reads as before.
TEST(InputDataFile, RefusesAFileWithoutRecordsThatIsNoText) {
    const std::string empty = "'cases.dat' は空のファイルです";
    const std::string notText = "'cases.dat' は Shift-JIS のテキスト ファイルではありません";
    const std::string worked = "80.0|47.5|0.020|25.0|12.3|4.0|\n";
    const struct {
        const char* name;
        std::string bytes;
        std::string outcome;
    } cases[] = {
        {"no byte", "", empty},
        {"only the end mark", "\x1a", empty},
        {"PNG signature and chunk", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), notText},
        {"NUL in a header line", std::string("h\0\r\nh\r\n", 7), notText},
        {"UTF-16 header lines", std::string("\xff\xfeN\0o\0\r\0\n\0", 10), notText},
        {"lead byte cut by the line end", "\x82\r\nh\r\n", notText},
        {"byte that is no CP932 character", "h\r\n\xa0\r\n", notText},
        {"end mark followed by bytes", "h\x1a\r\n\r\n", notText},
        {"end mark closing the header lines", "h\r\nh\x1a", ""},
        {"header lines alone", kHeader, ""},
        {"blank text", " \r\n\r\n \t", ""},
        {"records under header lines that are no text",
         std::string("\xff\0\r\n\r\n", 6) + kWorkedLine, worked},
    };
    for (const auto& c : cases)
        EXPECT_EQ(testing::readTexts(layouts::makeInputTable(), 6, c.bytes, parseInputDataFile,
                                     applyInputDataFile),
                  c.outcome)
            << c.name;
    EXPECT_EQ(failureOf([] { parseResultFile("", "cases.mpa"); }),
              "'cases.mpa' は空のファイルです");
}

TEST(InputDataFile, RefusesABadRecordNamingItsLine) {
    const std::string bad = "入力値が数値ではありません\n";
    const struct {
        const char* name;
        std::string body;
        std::string failure;
    } cases[] = {
        {"row number with a decimal point", "1.0 80 47.5 0.02 25 12.3 4", bad + "(3 行目)"},
        {"row number beyond 32 bits", "2147483648 80 47.5 0.02 25 12.3 4", bad + "(3 行目)"},
        {"letter in the void percentage", kWorkedLine + "\r\n  2 1 2 3 4 5 x", bad + "(5 行目)"},
        {"value of a later line", "1 80 47.5\r\n0.02 25 12,3 4", bad + "(4 行目)"},
        {"values that ran together", "  1 80.0 47.5 0.020 25.010000.0 1.0", bad + "(3 行目)"},
        {"record cut short by the end", kWorkedLine + "  2 80 47.5\r\n", bad + "(4 行目)"},
        {"record cut short by Ctrl-Z", "  1 80 47.5 0.02 25 12.3\x1a 4", bad + "(3 行目)"},
        {"value beyond the double range", "1 1e999 1 1 1 1 1", bad + "(3 行目)"},
        {"value beyond the extended range", "1 1 -1e4933 1 1 1 1", bad + "(3 行目)"},
        {"overlong token", "1 " + std::string(5000, '1') + " 1 1 1 1 1", bad + "(3 行目)"},
        {"CP932 text", "1 ８０ 1 1 1 1 1", bad + "(3 行目)"},
    };
    for (const auto& c : cases) EXPECT_EQ(readBack(c.body), c.failure) << c.name;
}

TEST(InputDataFile, RefusesMoreThanAMillionRecords) {
    std::string body;
    for (int k = 0; k < 1000001; ++k) body += "1 1 1 1 1 1 1\n";
    EXPECT_EQ(failureOf([&] { parseInputDataFile(kHeader + body, kReadFileName); }),
              "データ数が多すぎます (上限 1000000)\n(1000003 行目)");
    body.resize(body.size() - 14);
    EXPECT_EQ(parseInputDataFile(kHeader + body, kReadFileName).size(), 1000000u);
}

// An earlier, longer file leaves no rows behind, hidden ones included; the file's own rows
// beyond N stay.
TEST(InputDataFile, ApplyingEmptiesEveryHeldRowAndKeepsTheFilesRowsBeyondN) {
    Table input = layouts::makeInputTable();
    fillRows(input, std::vector<std::vector<std::string>>(1100, kWorkedRow));
    input.setCell(0, 3, "3");
    applyInputDataFile(input, 50, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
    EXPECT_EQ(rowTexts(input, 1, 6), "1.0|2.0|3.000|4.0|5.0|6.0|");
    EXPECT_EQ(rowTexts(input, 2, 6), "7.0|8.0|9.000|10.0|11.0|12.0|");
    for (const int row : {3, 50, 51, 1100}) EXPECT_EQ(rowTexts(input, row, 6), "||||||") << row;
    EXPECT_EQ(input.cell(0, 3), "3");
    EXPECT_EQ(input.filledRowCount(), 2);
    EXPECT_EQ(inputDataFileBytes(input).size(), kHeader.size() + 2 * kWorkedLine.size());

    applyInputDataFile(input, 50, std::vector<InputRecord>(60, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(rowTexts(input, 60, 6), "1.0|2.0|3.000|4.0|5.0|6.0|");  // hidden, kept, saved
    EXPECT_EQ(input.filledRowCount(), 60);
}

TEST(InputDataFile, RoundTripOfHiddenAndFourDigitRows) {
    // 1200 records into a table of 50 rows: rows 51 on are hidden, rows 1000 on take four
    // digits; a save writes them all and reads back the same bytes.
    std::string body;
    for (int k = 1; k <= 1200; ++k) {
        char line[80];
        std::snprintf(line, sizeof line, "%3d %5d.0   47.5     0.020   25.0   12.3    4.0\r\n", k,
                      k % 1000);
        body += line;
    }
    Table input = layouts::makeInputTable();
    applyInputDataFile(input, 50, parseInputDataFile(kHeader + body, kReadFileName));
    EXPECT_EQ(input.cell(1, 1200), "200.0");
    EXPECT_EQ(inputDataFileBytes(input), kHeader + body);
    EXPECT_EQ(inputDataFileBytes(input).substr(kHeader.size() + 999 * 51, 12), "1000     0.0");
}

TEST(InputDataFile, FilesUseTheFullStopUnderACommaLocale) {
#ifdef __EMSCRIPTEN__
    GTEST_SKIP() << "the WebAssembly C library has no locales";
#endif
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    // The test command installs the locale; without it this test would prove nothing.
    ASSERT_TRUE(std::setlocale(LC_ALL, "de_DE.UTF-8")) << "de_DE.UTF-8 is not installed";
    const std::locale previousGlobal = std::locale::global(std::locale("de_DE.UTF-8"));
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    EXPECT_EQ(std::string_view(probe), "1,5") << "the locale has no comma decimal point";

    Table input = layouts::makeInputTable();
    fillRows(input, {kWorkedRow});
    const std::string bytes = inputDataFileBytes(input);
    Table readBack = layouts::makeInputTable();
    applyInputDataFile(readBack, 50, parseInputDataFile(bytes, kReadFileName));

    std::locale::global(previousGlobal);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(bytes, kHeader + kWorkedLine);
    EXPECT_EQ(rowTexts(readBack, 1, 6), "80.0|47.5|0.020|25.0|12.3|4.0|");
}

}  // namespace
}  // namespace talveno
