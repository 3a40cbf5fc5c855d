// The streamed calculation of an input data file against the window's sequence of calls on the
// same bytes: reading the file into a table, the calculation run, saving the result file.

#include "disk/file_calculation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "../file_test_support.h"
#include "formats/file_failures.h"
#include "formats/input_data_file.h"
#include "formats/result_file.h"
#include "tables/layouts.h"
#include "tables/start_command.h"

namespace talveno {
namespace {

using file_failures::FileRole;
using testing::fileContent;
using testing::TempFolder;

// The result file's bytes, or the failure's message and row.
struct Outcome {
    std::string bytes;
    std::string failure;
    int row = 0;
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
    return out << outcome.failure << " (row " << outcome.row << ", " << outcome.bytes.size()
               << " bytes)";
}

Outcome failed(const Failure& failure) {
    return {"", std::string(failure.message()), failure.row()};
}

// The window's way, each file's failure named as the batch command names it.
Outcome windowWay(const std::string& inputBytes, CalculationSettings settings) {
    try {
        const auto records = file_failures::onFile(
            FileRole::Input, "in.dat", [&] { return parseInputDataFile(inputBytes, "in.dat"); });
        const int n = std::max(static_cast<int>(records.size()), 50);
        Table input = layouts::makeInputTable();
        Table result = layouts::makeResultTable();
        startTables(input, result, std::to_string(n));
        applyInputDataFile(input, n, records);
        clearResults(result, n);
        layOutResults(result, n, settings.unit);
        computeFilledRows(input, result, settings);
        return {file_failures::onFile(FileRole::Output, "out.mpa",
                                      [&] { return resultFileBytes(result, settings.unit); }),
                "", 0};
    } catch (const Failure& failure) {
        return failed(failure);
    }
}

// The streamed way into a file that holds "old" before.
Outcome streamedWay(const std::string& inputBytes, CalculationSettings settings, int threads) {
    const TempFolder folder;
    testing::writeFile(folder / "in.dat", inputBytes);
    testing::writeFile(folder / "out.mpa", "old");
    try {
        file_system::InputFile input(folder / "in.dat");
        ResultFileOutput output([&] { return file_system::FileReplacement(folder / "out.mpa"); },
                                "out.mpa", settings.unit);
        CalculationOutput* const outputs[] = {&output};
        calculateFile(input, "in.dat", outputs, {settings, threads, {}});
    } catch (const Failure& failure) {
        EXPECT_EQ(fileContent(folder / "out.mpa"), "old");
        return failed(failure);
    }
    return {fileContent(folder / "out.mpa"), "", 0};
}

// An input data file of varied records: numbers written in every form a token may take (signs,
// leading zeros, exponents, halves of the last decimal kept), records spread over lines, extra
// numbers after the seventh, blank lines and tabs between.
std::vector<std::string> variedRecords(int count) {
    std::mt19937 random(7);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const auto pick = [&](int choices) { return static_cast<int>(random() % choices); };
    const auto token = [&](double value) {
        char text[64];
        switch (pick(8)) {
            case 0:  // whole numbers where they stay above zero
                std::snprintf(text, sizeof text, value >= 1 ? "%.0f" : "%.3f", value);
                break;
            case 1:
                std::snprintf(text, sizeof text, "%+.3f", value);
                break;
            case 2:
                std::snprintf(text, sizeof text, "%.4e", value);
                break;
            case 3:  // a half of the last decimal kept
                std::snprintf(text, sizeof text, "%.1f5", std::floor(value * 10) / 10);
                break;
            case 4:
                std::snprintf(text, sizeof text, "%08.2f", value);
                break;
            default:
                std::snprintf(text, sizeof text, "%.2f", value);
        }
        return std::string(text);
    };
    const char* const separators[] = {" ", " ", " ", "\t", "\r\n", "  "};
    std::vector<std::string> records;
    for (int k = 1; k <= count; ++k) {
        const double values[] = {uniform(30, 180), uniform(40, 65), std::pow(10, uniform(-2, 1)),
                                 uniform(-10, 50), uniform(8, 16),  uniform(0, 8)};
        std::string record = std::to_string(k % 7 == 0 ? -k : k);
        for (const double value : values) record += separators[pick(6)] + token(value);
        if (pick(20) == 0) record += " 9 9";
        record += pick(30) == 0 ? "\r\n\r\n \t\r\n" : "\r\n";
        records.push_back(record);
    }
    return records;
}

std::string fileOf(const std::vector<std::string>& records, const std::string& end = "") {
    std::string bytes = "header\r\nunits\r\n";
    for (const std::string& record : records) bytes += record;
    return bytes + end;
}

TEST(FileCalculation, StreamedEqualsTheWindowsSequence) {
    const std::vector<std::string> records = variedRecords(5000);
    const std::string zeroRow =
        "  0 80 50 1 0 0 0\r\n";  // Cv 1: the mixture stiffness divides by 0
    const auto with = [&](std::size_t at, const std::string& record) {
        std::vector<std::string> changed = records;
        changed.insert(changed.begin() + static_cast<std::ptrdiff_t>(at), record);
        return fileOf(changed);
    };
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"5000 varied records", fileOf(records)},
        {"Ctrl-Z after record 5000", fileOf(records, "\x1a  1 x x x")},
        {"a lone CR joins the next record to the line skipped",
         fileOf({"1 1 1 1 1 1 1\r2 2 2 2 2 2 2\n3 80 50 1 0 12 4"})},
        {"no records", "header\r\n"},
        {"failing row 1", with(0, zeroRow)},
        {"failing row 4096, the last of a block", with(4095, zeroRow)},
        {"failing row 4097, the first of the next block", with(4096, zeroRow)},
        {"failing last row", with(5000, zeroRow)},
        {"failing row, then a bad token later", with(3, zeroRow) + "  1 x"},
        {"bad token in row 4097", with(4096, "1 80 50 1 0 12 x\r\n")},
        {"last record cut short", fileOf(records, "  1 80 47.5")},
        {"value beyond every range", with(4500, "1 1e999 50 1 0 12 4\r\n")},
        {"penetration filling its field", with(100, "1 10000.0 55 1 0 12 4\r\n")},
    };
    for (const auto& file : files) {
        for (const CalculationSettings settings :
             {CalculationSettings{StiffnessUnit::Mpa, false},
              CalculationSettings{StiffnessUnit::KgfPerCm2, true}}) {
            const Outcome window = windowWay(file.bytes, settings);
            for (const int threads : {0, 2})
                EXPECT_EQ(streamedWay(file.bytes, settings, threads), window)
                    << file.name << ", " << unitName(settings.unit) << ", threads " << threads;
        }
    }
    // The varied file computes whole, in both other settings too.
    const Outcome mpaCorrected = windowWay(fileOf(records), {StiffnessUnit::Mpa, true});
    EXPECT_EQ(std::count(mpaCorrected.bytes.begin(), mpaCorrected.bytes.end(), '\n'), 5002)
        << mpaCorrected;
    EXPECT_EQ(streamedWay(fileOf(records), {StiffnessUnit::Mpa, true}, 1), mpaCorrected);
    EXPECT_EQ(streamedWay(fileOf(records), {StiffnessUnit::KgfPerCm2, false}, 1),
              windowWay(fileOf(records), {StiffnessUnit::KgfPerCm2, false}));
}

}  // namespace
}  // namespace talveno
