#include "core/stiffness_curves.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/failure.h"

namespace talveno {
namespace {

const std::string kBeyondStiffest =
    "X は最も硬い曲線（2000 MPa）の外にあり、Sbit はその先への外挿値です";
const std::string kIndexOffAxis =
    "PI は図の針入度指数の範囲（-3 〜 +3）の外にあり、Sbit は外挿値です";

// Every point is the row computed by the run with the point's temperature and loading time: the
// same doubles, or the same failure. One vector serves all rows, so a point that failed for one
// row and computes for the next must lose its failure.
TEST(StiffnessCurves, EachPointIsTheRunsRowAtItsTemperatureAndLoadingTime) {
    const struct {
        const char* name;
        RowInputs inputs;  // the row's own loading time and temperature are not used
        CalculationSettings settings;
        int beyondStiffest, offAxis, failed;  // counts of points
    } rows[] = {
        {"PI -0.77", {60, 50, 0.02, 25, 12, 4}, {StiffnessUnit::Mpa, false}, 4, 0, 7},
        {"Cv 1: every Smix divides by 0", {80, 50, 1, 0, 0, 4}, {}, 0, 0, 24},
        {"PI 0 kgf/cm2", {80, 50, 1, 0, 12, 4}, {StiffnessUnit::KgfPerCm2, true}, 4, 0, 6},
        {"PI 4.21, off the axis", {80, 70, 1, 30, 12, 4}, {}, 3, 24, 0},
    };
    // dT from 150 (beyond the stiffest curve, or so stiff that Smix fails) to -150 (off the
    // scale).
    const std::vector<double> temperatures = {-100, -50, 0, 25, 60, 200};
    const std::vector<double> loadingTimes = {0.001, 0.02, 1, 1e9};
    std::vector<CurvePoint> points;
    for (const auto& r : rows) {
        RowNumbers started;
        started.start(r.inputs, r.settings.vanDraat);
        stiffnessCurves(curveRow(started), temperatures, loadingTimes, r.settings.unit, points);
        ASSERT_EQ(points.size(), 24u) << r.name;
        int beyondStiffest = 0, offAxis = 0, failed = 0;
        for (std::size_t i = 0; i < temperatures.size(); ++i) {
            for (std::size_t k = 0; k < loadingTimes.size(); ++k) {
                const CurvePoint& point = points[i * loadingTimes.size() + k];
                const std::string where = std::string(r.name) + " T " +
                                          std::to_string(temperatures[i]) + " t " +
                                          std::to_string(loadingTimes[k]);
                EXPECT_EQ(point.temperature, temperatures[i]) << where;
                EXPECT_EQ(point.loadingTime, loadingTimes[k]) << where;
                RowInputs inputs = r.inputs;
                inputs[kLoadingTime] = loadingTimes[k];
                inputs[kTemperature] = temperatures[i];
                RowNumbers run;
                run.start(inputs, r.settings.vanDraat);
                try {
                    run.finish(r.settings.unit);
                    EXPECT_EQ(point.failure, "") << where;
                    EXPECT_EQ(point.bitumenStiffness, run.bitumenStiffness()) << where;
                    EXPECT_EQ(point.mixtureStiffness, run.mixtureStiffness()) << where;
                } catch (const Failure& failure) {
                    EXPECT_EQ(point.failure, failure.message()) << where;
                    EXPECT_EQ(curvePointNote(point), failure.message()) << where;
                    ++failed;
                }
                beyondStiffest += point.extrapolation.beyondStiffestCurve;
                offAxis += point.extrapolation.indexOffAxis;
            }
        }
        EXPECT_EQ(beyondStiffest, r.beyondStiffest) << r.name;
        EXPECT_EQ(offAxis, r.offAxis) << r.name;
        EXPECT_EQ(failed, r.failed) << r.name;
    }
}

TEST(StiffnessCurves, NotesSayWhyAPointIsExtrapolated) {
    const struct {
        double softeningPoint, penetrationIndex, temperature, loadingTime;
        std::string note;
    } cases[] = {
        {50, 0, 25, 1, ""},
        {50, 0, -50, 0.02, kBeyondStiffest},  // the worked look-up beyond the stiffest curve
        {70, 4.21, 30, 1, kIndexOffAxis},
        {70, 4.21, -100, 0.02, kBeyondStiffest + "。" + kIndexOffAxis},
        {50, 0, 250, 1, "軟化点と温度の差が -130～200℃ の範囲外です (-200)"},
    };
    std::vector<CurvePoint> points;
    for (const auto& c : cases) {
        const double temperature[] = {c.temperature};
        const double loadingTime[] = {c.loadingTime};
        stiffnessCurves({c.softeningPoint, c.penetrationIndex, 0.875}, temperature, loadingTime,
                        StiffnessUnit::Mpa, points);
        EXPECT_EQ(curvePointNote(points.at(0)), c.note) << c.temperature;
    }
}

}  // namespace
}  // namespace talveno
