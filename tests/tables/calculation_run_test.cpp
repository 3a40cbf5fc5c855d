#include "tables/calculation_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/failure.h"
#include "core/nomograph.h"
#include "core/number_text.h"
#include "tables/layouts.h"

namespace talveno {
namespace {

using Row = std::vector<std::string>;  // input columns 1 to 6

struct CalculationFixture {
    Table input = layouts::makeInputTable();
    Table result = layouts::makeResultTable();

    explicit CalculationFixture(const std::vector<Row>& rows) {
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (std::size_t c = 0; c < rows[r].size(); ++c)
                input.setCell(static_cast<int>(c) + 1, static_cast<int>(r) + 1, rows[r][c]);
    }

    // The whole run on N rows; returns the failure's message, empty on success.
    std::string operator()(int n, CalculationSettings settings = {}) {
        clearResults(result, n);
        layOutResults(result, n, settings.unit);
        try {
            computeFilledRows(input, result, settings);
        } catch (const Failure& failure) {
            failedRow = failure.row();
            return std::string(failure.message());
        }
        return {};
    }

    std::string resultRow(int row) const {
        std::string text;
        for (int column = 1; column <= 8; ++column) text += result.cell(column, row) + "|";
        return text;
    }

    int failedRow = 0;
};

// PI 0 (pen 80, Tsp 50), t 1 s and dT 50: the first worked look-up, Sbit 21.507 MPa.
const Row kWorkedRow = {"80", "50", "1", "0", "12", "4"};

TEST(CalculationRun, WritesOneResultRowPerFilledRow) {
    CalculationFixture run({kWorkedRow, {" 60 ", "50", "0.02", "25", "12", "4"}});
    EXPECT_EQ(run(50), "");
    EXPECT_EQ(run.resultRow(1), "80|50|0.00|1|0|87.5|2.151E+01|5.002E+03|");
    EXPECT_EQ(run.result.cell(1, 2), " 60 ");  // copied as typed
    EXPECT_EQ(run.result.cell(3, 2), "-0.77");
    EXPECT_EQ(run.result.cell(0, 50), "50");
    EXPECT_EQ(run.result.cell(7, 0), "Sbit(MPa)");
    EXPECT_EQ(run.result.cell(8, 0), "Smix(MPa)");
    EXPECT_EQ(run.result.cell(6, 0), "骨材体積率(％)");
    EXPECT_EQ(run.result.columnWidth(6), 88);
    EXPECT_EQ(run.input.cell(1, 2), " 60 ");  // the input table is untouched
}

TEST(CalculationRun, KgfPerCm2IsTenPointOneNineSevenTwoTimesMpa) {
    CalculationFixture run({kWorkedRow});
    EXPECT_EQ(run(5, {StiffnessUnit::KgfPerCm2, false}), "");
    EXPECT_EQ(run.result.cell(7, 0), "Sbit(kgf/cm2)");
    EXPECT_EQ(run.result.cell(8, 0), "Smix(kgf/cm2)");
    EXPECT_EQ(run.result.cell(7, 1), "2.193E+02");  // 21.507 × 10.1972
}

TEST(CalculationRun, VanDraatCorrectionAboveThreePercentVoids) {
    const struct {
        const char* voids;
        bool correction;
        const char* cv;
    } cases[] = {
        {"4", false, "87.5"},
        {"4", true, "86.6"},
        {"3", true, "87.6"},
        {"3.5", true, "87.1"},
    };
    for (const auto& c : cases) {
        CalculationFixture run({{"80", "50", "1", "0", "12", c.voids}});
        EXPECT_EQ(run(5, {StiffnessUnit::Mpa, c.correction}), "") << c.voids;
        EXPECT_EQ(run.result.cell(6, 1), c.cv) << c.voids << " " << c.correction;
    }
}

TEST(CalculationRun, Failures) {
    const struct {
        const char* name;
        std::vector<Row> rows;
        std::string message;
        int row;
    } cases[] = {
        {"letter in the voids of row 3",
         {kWorkedRow, kWorkedRow, {"80", "50", "1", "0", "12", "4x"}},
         "'4x' は浮動小数点数ではありません",
         3},
        {"empty softening point",
         {{"80", "", "1", "0", "12", "4"}},
         "'' は浮動小数点数ではありません",
         1},
        {"first bad cell in column order",
         {{"80", "a", "b", "0", "12", "4"}},
         "'a' は浮動小数点数ではありません",
         1},
        {"no asphalt: Cv = 1 fails in Smix",
         {{"80", "50", "1", "0", "0", "4"}},
         "0 による浮動小数点数除算",
         1},
        {"penetration 0", {{"0", "50", "1", "0", "12", "4"}}, "0 による浮動小数点数除算", 1},
        {"loading time 0", {{"80", "50", "0", "0", "12", "4"}}, "0 による浮動小数点数除算", 1},
        {"loading time negative",
         {{"80", "50", "-1", "0", "12", "4"}},
         "不正な浮動小数点数演算命令",
         1},
        {"temperature difference beyond the scale",
         {{"80", "50", "1", "-160", "12", "4"}},
         "軟化点と温度の差が -130～200℃ の範囲外です (210)",
         1},
        {"softening point beyond every range",
         {{"80", "1e5000", "1", "0", "12", "4"}},
         "'1e5000' は浮動小数点数ではありません",
         1},
        {"penetration of 5000 digits",
         {{std::string(5000, '9'), "50", "1", "0", "12", "4"}},
         "'" + std::string(5000, '9') + "' は浮動小数点数ではありません",
         1},
        {"temperature difference beyond the double range",
         {{"80", "1.5e308", "1", "-1.5e308", "12", "4"}},
         "浮動小数点数のオーバーフロー",
         1},
        {"voids 100", {{"80", "50", "1", "0", "0", "100"}}, "不正な浮動小数点数演算命令", 1},
    };
    for (const auto& c : cases) {
        CalculationFixture run(c.rows);
        EXPECT_EQ(run(50), c.message) << c.name;
        EXPECT_EQ(run.failedRow, c.row) << c.name;
        // Left empty, as a row of a cell that is no number: the rows before it save and print.
        EXPECT_EQ(run.resultRow(c.row), "||||||||") << c.name;
        EXPECT_EQ(run.result.filledRowCount(), c.row - 1) << c.name;
        for (int row = 1; row < c.row; ++row)
            EXPECT_EQ(run.resultRow(row), "80|50|0.00|1|0|87.5|2.151E+01|5.002E+03|") << c.name;
    }
}

TEST(CalculationRun, EmptyFirstRowPreparesTheTableOnly) {
    CalculationFixture run({{"", "50", "1", "0", "12", "4"}, kWorkedRow});
    EXPECT_EQ(run(50), "");
    EXPECT_EQ(run.result.cell(0, 1), "1");
    EXPECT_EQ(run.result.cell(1, 0), "針入度(1/10mm)");
    EXPECT_EQ(run.resultRow(1), "||||||||");
    EXPECT_EQ(run.resultRow(2), "||||||||");
}

// Results of an earlier, longer run beyond N go too: right after the new rows they would be
// saved and printed as theirs.
TEST(CalculationRun, RowsBeyondNAreComputedAndEarlierResultsBeyondNEmptied) {
    std::vector<Row> rows(30, kWorkedRow);
    CalculationFixture run(rows);
    for (int row = 31; row <= 40; ++row) run.result.setCell(1, row, "old");
    run.result.setCell(8, 40, "old");
    run.result.setCell(1, 8, "stale");
    EXPECT_EQ(run(10), "");
    EXPECT_EQ(run.result.cell(1, 30), "80");  // hidden rows get their results
    EXPECT_EQ(run.result.cell(1, 31), "");
    EXPECT_EQ(run.result.cell(8, 40), "");
    EXPECT_EQ(run.result.filledRowCount(), 30);
    EXPECT_EQ(run.result.cell(0, 11), "");  // numbered to N only
}

// The look-up taken again from a result row's cells is the one the run made for it.
TEST(CalculationRun, AResultRowsLookUpIsTheRunsOwn) {
    const struct {
        Row input;
        double pi, t, dT;
    } worked[] = {
        {{"80", "50", "1", "0", "12", "4"}, 0, 1, 50},
        {{"80", "50", "0.02", "10", "12", "4"}, 0, 0.02, 40},
        {{"163", "45", "0.02", "15", "12", "4"}, 1, 0.02, 30},
        {{"122", "42.5", "0.1", "-17.5", "12", "4"}, -1, 0.1, 60},
        {{"80", "50", "100", "28", "12", "4"}, 0, 100, 22},
        {{"80", "50", "0.02", "-50", "12", "4"}, 0, 0.02, 100},
    };
    std::vector<Row> rows;
    for (const auto& w : worked) rows.push_back(w.input);
    rows.push_back({"80", "50", "0", "10", "12", "4"});
    CalculationFixture run(rows);
    const std::string failure = run(50);
    EXPECT_EQ(failure, "0 による浮動小数点数除算");
    for (int row = 1; row <= 6; ++row) {
        const auto& w = worked[row - 1];
        const RowLookUp lookUp = lookUpResultRow(run.result, row);
        ASSERT_TRUE(lookUp.inputs && lookUp.reading) << lookUp.reason;
        EXPECT_EQ(lookUp.inputs->penetrationIndex, w.pi) << row;
        EXPECT_EQ(lookUp.inputs->loadingTime, w.t) << row;
        EXPECT_EQ(lookUp.inputs->temperatureDifference, w.dT) << row;
        const nomograph::Reading expected = nomograph::read(w.pi, w.t, w.dT);
        EXPECT_EQ(lookUp.reading->x, expected.x) << row;
        EXPECT_EQ(lookUp.reading->upperCurve, expected.upperCurve) << row;
        EXPECT_EQ(lookUp.reading->fraction, expected.fraction) << row;
        EXPECT_EQ(exponentText(lookUp.reading->stiffnessMpa), run.result.cell(7, row)) << row;
    }

    for (const int row : {7, 8})  // the failing row is left empty
        EXPECT_EQ(lookUpResultRow(run.result, row).reason, "この行には計算結果がありません");
    run.result.setCell(5, 1, "-200");  // a result file's cells
    EXPECT_EQ(lookUpResultRow(run.result, 1).reason,
              "軟化点と温度の差が -130～200℃ の範囲外です (250)");
    run.result.setCell(4, 1, "1s");
    EXPECT_EQ(lookUpResultRow(run.result, 1).reason, "'1s' は浮動小数点数ではありません");
    EXPECT_FALSE(lookUpResultRow(run.result, 1).inputs);
}

// A result row's curves start from the PI and Cv the run had, so that the point at the row's own
// temperature and loading time is the row's result; a result file's cells serve as well.
TEST(CalculationRun, AResultRowsCurvesStartFromTheRunsNumbers) {
    const std::vector<Row> rows = {
        {"60", "50", "0.02", "25", "12", "4"},     {"80", "47.5", "0.1", "10", "12.3", "4.5"},
        {"40", "55", "1", "30", "10", "6"},        {"120", "45", "0.02", "40", "13", "3"},
        {"163", "45", "0.02", "15", "12.05", "4"}, {"80", "50", "0", "0", "12", "4"},
    };
    for (const StiffnessUnit unit : {StiffnessUnit::Mpa, StiffnessUnit::KgfPerCm2}) {
        CalculationFixture run(rows);
        EXPECT_EQ(run(50, {unit, true}), "0 による浮動小数点数除算");  // row 6's loading time
        // The row that failed is left empty.
        EXPECT_EQ(curveRowOfResult(run.result, 6).reason, "この行には計算結果がありません");
        for (int row = 1; row <= 5; ++row) {
            const Row& cells = rows[row - 1];
            RowCalculation own;
            own.start({cells[0], cells[1], cells[2], cells[3], cells[4], cells[5]}, true);
            const ResultCurveRow taken = curveRowOfResult(run.result, row);
            ASSERT_TRUE(taken.row) << taken.reason;
            const CurveRow expected = curveRow(own.numbers());
            EXPECT_EQ(taken.row->softeningPoint, expected.softeningPoint) << row;
            EXPECT_EQ(taken.row->penetrationIndex, expected.penetrationIndex) << row;
            EXPECT_EQ(taken.row->concentration, expected.concentration) << row;
            EXPECT_EQ(taken.temperature, parseNumber(cells[3])) << row;
            EXPECT_EQ(taken.loadingTime, parseNumber(cells[2])) << row;
            const double temperature[] = {taken.temperature};
            const double loadingTime[] = {taken.loadingTime};
            std::vector<CurvePoint> points;
            stiffnessCurves(*taken.row, temperature, loadingTime, unit, points);
            const std::string sbit =
                points[0].computed() ? exponentText(points[0].bitumenStiffness) : points[0].failure;
            EXPECT_EQ(sbit, run.result.cell(7, row)) << row;
        }
    }
    CalculationFixture run({kWorkedRow});
    run(50);
    EXPECT_EQ(curveRowOfResult(run.result, 2).reason, "この行には計算結果がありません");
    run.result.setCell(6, 1, "87,5");
    EXPECT_EQ(curveRowOfResult(run.result, 1).reason, "'87,5' は浮動小数点数ではありません");
}

}  // namespace
}  // namespace talveno
