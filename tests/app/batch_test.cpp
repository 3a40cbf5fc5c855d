// The batch command run as a process, against the window's path through the same engine.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "../pdf_pages.h"
#include "batch_runner.h"
#include "core/extrapolation.h"
#include "core/failure.h"
#include "core/number_text.h"
#include "disk/disk_files.h"
#include "formats/input_data_file.h"
#include "formats/result_file.h"
#include "print/listings.h"
#include "tables/calculation_run.h"
#include "tables/layouts.h"
#include "tables/start_command.h"

namespace talveno {
namespace {

using testing::fileContent;
using testing::Outcome;
using testing::runBatch;
using testing::TempFolder;
using testing::writeCases;

// The window's way: read the file into a table started with that many rows (at least 50),
// press the calculation button.
struct WindowTables {
    Table input = layouts::makeInputTable();
    Table result = layouts::makeResultTable();
};

WindowTables windowTables(const std::string& inputPath, CalculationSettings settings) {
    const auto records = readInputDataFile(inputPath);
    const int n = std::max(static_cast<int>(records.size()), 50);
    WindowTables tables;
    startTables(tables.input, tables.result, std::to_string(n));
    applyInputDataFile(tables.input, n, records);
    clearResults(tables.result, n);
    layOutResults(tables.result, n, settings.unit);
    computeFilledRows(tables.input, tables.result, settings);
    return tables;
}

// Then the result file saved.
std::string windowResult(const std::string& inputPath, CalculationSettings settings,
                         const std::string& resultPath) {
    saveResultFile(windowTables(inputPath, settings).result, settings.unit, resultPath);
    return fileContent(resultPath);
}

// The listings the window would print, as text.
std::string inputListing(const std::string& inputPath, const std::string& title) {
    const Table input = windowTables(inputPath, {}).input;
    return listingText([&](ListingSink& sink) { writeInputListing(input, title, sink); });
}

std::string resultListing(const std::string& inputPath, CalculationSettings settings,
                          const std::string& title) {
    const Table result = windowTables(inputPath, settings).result;
    return listingText(
        [&](ListingSink& sink) { writeResultListing(result, settings.unit, title, sink); });
}

// 60 cases in the tests below: more than the 50 rows a window starts with.

// The report line on standard error, whatever the time it took.
bool isReport(const std::string& err, const std::string& rowsInto) {
    const std::string start = "talveno-batch: " + rowsInto + " in ";
    return err.starts_with(start) && err.ends_with(" s\n") && err.find('\n') == err.size() - 1;
}

TEST(Batch, WritesTheWindowsResultFile) {
    TempFolder folder;
    writeCases(folder / "cases.dat", 60);
    const struct {
        std::string arguments;
        const char* output;  // "-": standard output
        CalculationSettings settings;
    } cases[] = {
        {"cases.dat", "cases.mpa", {StiffnessUnit::Mpa, false}},
        {"--unit kgf/cm2 --van-draat cases.dat", "cases.kgf", {StiffnessUnit::KgfPerCm2, true}},
        {"--van-draat --unit=MPa -o out/r.txt cases.dat", "out/r.txt", {StiffnessUnit::Mpa, true}},
        {"-- cases.dat", "cases.mpa", {StiffnessUnit::Mpa, false}},
        {"--unit=KGF/CM2 --threads 1 cases.dat", "cases.kgf", {StiffnessUnit::KgfPerCm2, false}},
        {"--unit mpa --threads 3 cases.dat", "cases.mpa", {StiffnessUnit::Mpa, false}},
        {"- < cases.dat", "-", {StiffnessUnit::Mpa, false}},
        {"--van-draat -o - cases.dat", "-", {StiffnessUnit::Mpa, true}},
        {"--unit kgf/cm2 -o out/r.txt - < cases.dat",
         "out/r.txt",
         {StiffnessUnit::KgfPerCm2, false}},
    };
    std::filesystem::create_directory(folder / "out");
    for (const auto& c : cases) {
        const bool standardOutput = std::string(c.output) == "-";
        if (!standardOutput) std::filesystem::remove(folder / c.output);
        const Outcome outcome = runBatch(folder.path(), c.arguments);
        EXPECT_EQ(outcome.status, 0) << c.arguments;
        EXPECT_TRUE(isReport(
            outcome.err,
            "60 rows computed into " + std::string(standardOutput ? "standard output" : c.output)))
            << c.arguments << ": " << outcome.err;
        const std::string expected = windowResult(folder / "cases.dat", c.settings, folder / "w");
        EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), 62) << c.arguments;
        EXPECT_EQ(standardOutput ? outcome.out : fileContent(folder / c.output), expected)
            << c.arguments;
        if (!standardOutput) {
            EXPECT_EQ(outcome.out, "") << c.arguments;
        }
    }
    // An input that ends early shows in the count of rows.
    testing::writeFile(folder / "short.dat", "h\r\nu\r\n1 80 50 1 0 12 4\r2 80 50 1 0 12 4\n\x1a");
    EXPECT_TRUE(
        isReport(runBatch(folder.path(), "short.dat").err, "1 row computed into short.mpa"));
    const Outcome quiet = runBatch(folder.path(), "--quiet cases.dat");
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out + quiet.err, "");
    const Outcome version = runBatch(folder.path(), "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out + version.err, "talveno-batch " TALVENO_VERSION "\n");
}

TEST(Batch, FailureReportsTheMessageAndWritesNoFile) {
    TempFolder folder;
    writeCases(folder / "zero.dat", 5, "0");  // row 3: Cv 1, the mixture stiffness divides by 0
    writeCases(folder / "cases.dat", 5);
    testing::writeFile(folder / "bad.dat", "h\r\nu\r\n  1 80 47.5 0.02 25 12.3 x\r\n");
    testing::writeFile(folder / "kept.mpa", "old");
    const struct {
        std::string arguments;
        const char* message;
    } cases[] = {
        {"zero.dat", "0 による浮動小数点数除算.\n(No. 3)\n"},
        {"bad.dat", "入力値が数値ではありません.\n(3 行目)\n(入力ファイル: bad.dat)\n"},
        {"missing.dat", "ファイルが見つかりません.\n(入力ファイル: missing.dat)\n"},
        {"-o kept.mpa zero.dat", "0 による浮動小数点数除算.\n(No. 3)\n"},
        {"-o none/r.mpa bad.dat",
         "入力値が数値ではありません.\n(3 行目)\n(入力ファイル: bad.dat)\n"},
        {"-o none/r.mpa cases.dat", "不正なファイル名です.\n(出力ファイル: none/r.mpa)\n"},
        {"--listing l.txt --input-listing i.txt zero.dat", "0 による浮動小数点数除算.\n(No. 3)\n"},
        {"-o - zero.dat", "0 による浮動小数点数除算.\n(No. 3)\n"},
        {"- < bad.dat", "入力値が数値ではありません.\n(3 行目)\n(入力ファイル: -)\n"},
        {"--listing none/l.txt cases.dat", "不正なファイル名です.\n(出力ファイル: none/l.txt)\n"},
        {"--curves c.csv --temperatures 0:10:5 --loading-times 1 zero.dat",
         "0 による浮動小数点数除算.\n(No. 3)\n"},
        {"--curves - --temperatures 0:10:5 --loading-times 1 -o r.mpa zero.dat",
         "0 による浮動小数点数除算.\n(No. 3)\n"},
        {"--curves none/c.csv --temperatures 0:10:5 --loading-times 1 cases.dat",
         "不正なファイル名です.\n(出力ファイル: none/c.csv)\n"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = runBatch(folder.path(), c.arguments);
        EXPECT_EQ(outcome.status, 1) << c.arguments;
        EXPECT_EQ(outcome.err, c.message) << c.arguments;
        EXPECT_EQ(outcome.out, "") << c.arguments;  // nothing reaches standard output
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "cases.mpa"));
    EXPECT_FALSE(std::filesystem::exists(folder / "zero.mpa"));
    EXPECT_FALSE(std::filesystem::exists(folder / "bad.mpa"));
    EXPECT_EQ(fileContent(folder / "kept.mpa"), "old");
    EXPECT_FALSE(std::filesystem::exists(folder / "l.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder / "i.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder / "c.csv"));
    EXPECT_FALSE(std::filesystem::exists(folder / "r.mpa"));
}

TEST(Batch, UsageErrorsSayWhatWasWrong) {
    TempFolder folder;
    writeCases(folder / "cases.dat", 2);
    // The input itself through a path of over 6000 bytes.
    const testing::DeepFolder deep(folder.path());
    std::string throughDeep = deep.relative();
    for (int level = 0; level < 30; ++level) throughDeep += "/..";
    throughDeep += "/cases.dat";
    const std::string input = fileContent(folder / "cases.dat");
    const std::string usage = "usage: talveno-batch [--unit MPa|kgf/cm2] [--van-draat]";
    const struct {
        std::string arguments;
        const char* firstLine;
    } cases[] = {
        {"", "no input file"},
        {"a.dat b.dat", "more than one input file: 'b.dat'"},
        {"--unit Pa cases.dat", "unknown unit 'Pa' (MPa or kgf/cm2)"},
        {"--unit", "--unit needs a unit (MPa or kgf/cm2)"},
        {"-o", "-o needs a file name"},
        {"-o '' cases.dat", "-o needs a file name"},
        {"-x cases.dat", "unknown option '-x'"},
        {"''", "empty input file name"},
        {"-o cases.dat cases.dat", "the result file would replace the input file"},
        {"cases.dat -o ./cases.dat", "the result file would replace the input file"},
        {"-o " + throughDeep + " cases.dat", "the result file would replace the input file"},
        {"--listing", "--listing needs a file name"},
        {"--listing cases.dat cases.dat",
         "the listing would replace the input or the result file: cases.dat"},
        {"-o r.mpa --listing ./r.mpa cases.dat",
         "the listing would replace the input or the result file: ./r.mpa"},
        {"--listing a.txt --input-listing a.txt cases.dat",
         "both listings would go to the same file: a.txt"},
        {"--threads 0 cases.dat", "--threads needs a count from 1 to 64"},
        {"--threads two cases.dat", "--threads needs a count from 1 to 64"},
        {"-o - same.dat", "the result file would replace the input file"},
        {"--curves c.csv cases.dat", "--curves, --temperatures and --loading-times go together"},
        {"--temperatures 0:9:1 --loading-times 1 cases.dat",
         "--curves, --temperatures and --loading-times go together"},
        {"--curves c.csv --temperatures 0:9:0 --loading-times 1 cases.dat",
         "--temperatures needs a STEP above 0"},
        {"--curves c.csv --temperatures 0:9:-1 --loading-times 1 cases.dat",
         "--temperatures needs a STEP above 0"},
        {"--curves c.csv --temperatures 9:0:1 --loading-times 1 cases.dat",
         "--temperatures needs FROM at or below TO"},
        {"--curves c.csv --temperatures 0:1e3:1 --loading-times 1 cases.dat",
         "--temperatures: '0:1e3:1' is not FROM:TO:STEP in °C (such as -10:60:5)"},
        {"--curves c.csv --temperatures -1000000:1000000:0.001 --loading-times 1 cases.dat",
         "--temperatures gives more than 1000000000 temperatures; at most 100000"},
        {"--curves c.csv --temperatures 0:1000:0.1 --loading-times 1,2,3,4,5,6,7,8,9,10 "
         "cases.dat",
         "--temperatures and --loading-times give 100010 points a row; at most 100000"},
        {"--curves c.csv --temperatures 0:9:1 --loading-times 0.02,-1 cases.dat",
         "--loading-times: '-1' is no loading time in s above 0 (such as 0.02,0.1,1)"},
        {"--curves c.csv --temperatures 0:9:1 --loading-times 0.02, cases.dat",
         "--loading-times: '' is no loading time in s above 0 (such as 0.02,0.1,1)"},
        {"--curves ./cases.dat --temperatures 0:9:1 --loading-times 1 cases.dat",
         "the curves would replace the input or the result file: ./cases.dat"},
        {"--curves - --temperatures 0:9:1 --loading-times 1 -o - cases.dat",
         "the curves would replace the input or the result file: -"},
        {"--listing c.csv --curves ./c.csv --temperatures 0:9:1 --loading-times 1 cases.dat",
         "the curves and a listing would go to the same file: ./c.csv"},
    };
    for (const auto& c : cases) {
        // Standard output opened onto the input file (a copy here), as "> same.dat" would.
        std::filesystem::copy_file(folder / "cases.dat", folder / "same.dat",
                                   std::filesystem::copy_options::overwrite_existing);
        const Outcome outcome = runBatch(folder.path(), c.arguments, "", folder / "same.dat");
        EXPECT_EQ(outcome.status, 2) << c.arguments.substr(0, 40);
        EXPECT_EQ(outcome.err.rfind("talveno-batch: " + std::string(c.firstLine) + "\n" + usage, 0),
                  0u)
            << c.arguments.substr(0, 40) << ": " << outcome.err;
    }
    EXPECT_EQ(fileContent(folder / "cases.dat"), input);

    const Outcome help = runBatch(folder.path(), "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind(usage, 0), 0u);
    // The help text that cannot be written is a failure.
    const Outcome full = runBatch(folder.path(), "--help", "", "/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "talveno-batch: cannot write the help text: No space left on device\n");
}

TEST(Batch, WritesTextListings) {
    TempFolder folder;
    writeCases(folder / "cases.dat", 5000);  // more than a block of rows
    std::filesystem::create_directory(folder / "out");
    const struct {
        std::string arguments;
        CalculationSettings settings;
        const char* title;
    } cases[] = {
        {"--quiet --listing r.txt --input-listing i.txt cases.dat", {}, "cases.mpa"},
        {"--quiet --unit kgf/cm2 --van-draat -o out/r.kgf --input-listing i.txt --listing r.txt "
         "./cases.dat",
         {StiffnessUnit::KgfPerCm2, true},
         "out/r.kgf"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = runBatch(folder.path(), c.arguments);
        EXPECT_EQ(outcome.status, 0) << c.arguments;
        EXPECT_EQ(outcome.out + outcome.err, "") << c.arguments;
        const std::string input = c.arguments.substr(c.arguments.rfind(' ') + 1);
        EXPECT_EQ(fileContent(folder / "i.txt"), inputListing(folder / "cases.dat", input));
        EXPECT_EQ(fileContent(folder / "r.txt"),
                  resultListing(folder / "cases.dat", c.settings, c.title));
    }
    EXPECT_EQ(
        fileContent(folder / "r.txt")
            .rfind(std::string(7, '\n') + std::string(15, ' ') + "出力データ名： out/r.kgf\n\n"),
        0u);
}

// The CSV the run's way: each row of the input file as the window reads it, computed again with
// each temperature and loading time of the grid in its cells.
std::string curvesCsv(const std::string& inputPath, CalculationSettings settings,
                      const std::vector<double>& temperatures,
                      const std::vector<double>& loadingTimes) {
    const Table input = windowTables(inputPath, settings).input;
    std::string csv = "\xEF\xBB\xBFNo.,温　度(℃),載荷時間(秒),針入度指数,骨材体積率(％)," +
                      layouts::stiffnessHeader("Sbit", settings.unit) + "," +
                      layouts::stiffnessHeader("Smix", settings.unit) + ",備考\r\n";
    for (int row = 1; !input.cell(1, row).empty(); ++row) {
        for (const double temperature : temperatures) {
            for (const double loadingTime : loadingTimes) {
                const std::string t = shortestText(loadingTime), T = shortestText(temperature);
                RowCalculation run;
                run.start({input.cell(1, row), input.cell(2, row), t, T, input.cell(5, row),
                           input.cell(6, row)},
                          settings.vanDraat);
                csv += std::to_string(row) + "," + T + "," + t + "," + run.text(3) + "," +
                       run.text(6) + ",";
                try {
                    run.finish(settings.unit);
                    const RowNumbers& numbers = run.numbers();
                    const auto notes = nomograph::extrapolationNotes(nomograph::extrapolationOf(
                        numbers.penetrationIndex(),
                        nomograph::read(numbers.penetrationIndex(), loadingTime,
                                        parseNumber(input.cell(2, row)) - temperature)));
                    csv += shortestText(numbers.bitumenStiffness()) + "," +
                           shortestText(numbers.mixtureStiffness()) + ",";
                    for (std::size_t k = 0; k < notes.size(); ++k)
                        csv += (k > 0 ? "。" : "") + notes[k];
                } catch (const Failure& failure) {
                    csv += ",," + std::string(failure.message());
                }
                csv += "\r\n";
            }
        }
    }
    return csv;
}

TEST(Batch, WritesEveryRowsCurvesAsCsv) {
    TempFolder folder;
    writeCases(folder / "cases.dat", 300);  // rows of several blocks
    std::vector<double> wide;  // dT from 165 (stiffer than the nomograph) to -155 (off its scale)
    for (int k = 0; k <= 20; ++k) wide.push_back(-110 + 15.5 * k);
    const struct {
        std::string arguments;
        const char* csv;  // "-": standard output
        CalculationSettings settings;
        std::vector<double> temperatures, loadingTimes;
    } cases[] = {
        {"--curves c.csv --temperatures -110:200:15.5 --loading-times 0.02,1e9 cases.dat",
         "c.csv",
         {},
         wide,
         {0.02, 1e9}},
        {"--unit kgf/cm2 --van-draat --threads 3 --curves - --temperatures -0.3:0.3:0.1 "
         "--loading-times ' 0.1,1,1e-3' cases.dat",
         "-",
         {StiffnessUnit::KgfPerCm2, true},
         {-0.3, -0.2, -0.1, 0, 0.1, 0.2, 0.3},
         {0.1, 1, 0.001}},
    };
    for (const auto& c : cases) {
        const Outcome outcome = runBatch(folder.path(), "--quiet " + c.arguments);
        EXPECT_EQ(outcome.status, 0) << c.arguments;
        EXPECT_EQ(outcome.err, "") << c.arguments;
        const std::string csv =
            std::string(c.csv) == "-" ? outcome.out : fileContent(folder / c.csv);
        const std::string expected =
            curvesCsv(folder / "cases.dat", c.settings, c.temperatures, c.loadingTimes);
        EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'),
                  1 + 300 * c.temperatures.size() * c.loadingTimes.size());
        EXPECT_EQ(csv, expected) << c.arguments;
        const std::string result =
            resultFileExtension(c.settings.unit) == "mpa" ? "cases.mpa" : "cases.kgf";
        EXPECT_EQ(fileContent(folder / result),
                  windowResult(folder / "cases.dat", c.settings, folder / "w"));
    }
    EXPECT_NE(fileContent(folder / "c.csv").find("範囲外です"), std::string::npos);
    EXPECT_NE(fileContent(folder / "c.csv").find("外挿値です"), std::string::npos);
}

#ifdef TALVENO_PDF_LISTINGS
// The pages hold the lines of the text listing in order, the title and headers once.
TEST(Batch, WritesPdfListingsOfSeveralPages) {
    TempFolder folder;
    writeCases(folder / "many.dat", 200);
    const Outcome outcome =
        runBatch(folder.path(), "--quiet --listing r.PDF --input-listing i.pdf many.dat");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out + outcome.err, "");
    const struct {
        const char* file;
        std::string text;
    } listings[] = {
        {"i.pdf", inputListing(folder / "many.dat", "many.dat")},
        {"r.PDF", resultListing(folder / "many.dat", {}, "many.mpa")},
    };
    for (const auto& listing : listings) {
        const auto pages = testing::pdfPages(folder / listing.file);
        ASSERT_GE(pages.size(), 3u) << listing.file;
        std::vector<std::string> printed;
        for (const auto& page : pages) printed.insert(printed.end(), page.begin(), page.end());
        EXPECT_EQ(printed, testing::foldedLines(listing.text)) << listing.file;
    }
}
#else
TEST(Batch, RefusesPdfListingsWithoutQt) {
    TempFolder folder;
    writeCases(folder / "cases.dat", 2);
    const Outcome outcome = runBatch(folder.path(), "--listing r.pdf cases.dat");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err.rfind("talveno-batch: this build writes no PDF listings", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(folder / "cases.mpa"));
}
#endif

}  // namespace
}  // namespace talveno
