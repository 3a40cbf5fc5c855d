// The curves view of a result row: its ranges and their failures, its points against the run's
// own rows, the points it extrapolates or leaves out, and its page as a canvas receives it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/failure.h"
#include "core/messages.h"
#include "core/number_text.h"
#include "recording_canvas.h"
#include "window/curves_page.h"
#include "window/form.h"

namespace talveno::window::testing {
namespace {

using Kind = RecordingCanvas::Kind;

// The rows typed and run in the form, as the window has them.
class RunRows {
  public:
    RunRows(std::vector<std::array<std::string, 6>> rows, StiffnessUnit unit = StiffnessUnit::Mpa) {
        Controls controls;
        controls.maxCountText = "50";
        controls.unit = unit;
        form.start(controls);
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (int c = 0; c < 6; ++c)
                form.table(Grid::Input).setCell(c + 1, int(r) + 1, rows[r][c]);
        form.run(controls);
    }
    const Table& results() const { return form.table(Grid::Results); }
    Form form;
};

const std::array<std::string, 6> kRow = {"80", "50", "0.02", "10", "12", "4"};

CurvesTexts textsWith(CurvesTexts texts,
                      std::initializer_list<std::pair<CurvesBox, const char*>> set) {
    for (const auto& [box, text] : set) texts[box] = text;
    return texts;
}

TEST(CurvesView, opens_over_the_nomographs_range_with_the_usual_further_values) {
    const RunRows run({kRow, {"80", "47.5", "1", "25", "12", "4"}});
    const struct {
        int row;
        CurvesTexts texts;
        std::vector<double> times, temperatures;
        std::size_t temperaturesShown;
    } cases[] = {
        {1,
         {"-150", "180", "5", "0.02, 0.1, 1", "1E-6", "1E6", "10", "0, 20, 40"},
         {0.02, 0.1, 1},
         {10, 0, 20, 40},
         67},
        {2,
         {"-150", "170", "5", "0.02, 0.1, 1", "1E-6", "1E6", "10", "0, 20, 40"},
         {1, 0.02, 0.1},
         {25, 0, 20, 40},
         65},
    };
    for (const auto& c : cases) {
        const CurvesView view(c.row, run.results(), StiffnessUnit::Mpa);
        EXPECT_EQ(view.texts(), c.texts);
        std::vector<double> times, temperatures;
        for (const Curve& curve : view.overTemperature()) times.push_back(curve.fixed);
        for (const Curve& curve : view.overLoadingTime()) temperatures.push_back(curve.fixed);
        EXPECT_EQ(times, c.times);
        EXPECT_EQ(temperatures, c.temperatures);
        EXPECT_EQ(view.overTemperature()[0].points.size(), c.temperaturesShown);
        const auto& overTime = view.overLoadingTime()[0].points;
        ASSERT_EQ(overTime.size(), 121u);
        EXPECT_EQ(overTime[0].loadingTime, 1e-6);
        EXPECT_EQ(overTime[60].loadingTime, 1);
        EXPECT_EQ(overTime[120].loadingTime, 1e6);
        // The defaults lie on the nomograph's scale: points are left out only where Sbit is so
        // far beyond the stiffest curve that the mixture's relation fails.
        for (const std::string& note : view.failureNotes())
            EXPECT_TRUE(note.ends_with("不正な浮動小数点数演算命令.")) << note;
    }
}

// A point's Sbit and Smix are the run's for the row typed with that temperature and loading
// time, in either unit; the row's own point is the result table's.
TEST(CurvesView, points_are_those_the_run_computes) {
    for (const StiffnessUnit unit : {StiffnessUnit::Mpa, StiffnessUnit::KgfPerCm2}) {
        const RunRows run({kRow}, unit);
        const CurvesView view(1, run.results(), unit);
        EXPECT_EQ(exponentText(view.rowPoint().bitumenStiffness), run.results().cell(7, 1));
        EXPECT_EQ(exponentText(view.rowPoint().mixtureStiffness), run.results().cell(8, 1));
        std::vector<CurvePoint> samples;
        for (const std::size_t at : {30, 40, 66})
            samples.push_back(view.overTemperature()[2].points[at]);
        for (const std::size_t at : {0, 50, 120})
            samples.push_back(view.overLoadingTime()[3].points[at]);
        std::vector<std::array<std::string, 6>> rows;
        for (const CurvePoint& point : samples)
            rows.push_back({"80", "50", shortestText(point.loadingTime),
                            shortestText(point.temperature), "12", "4"});
        const RunRows each(rows, unit);
        for (std::size_t r = 0; r < samples.size(); ++r) {
            SCOPED_TRACE(rows[r][2] + " s, " + rows[r][3] + " °C");
            ASSERT_TRUE(samples[r].computed());
            EXPECT_EQ(exponentText(samples[r].bitumenStiffness),
                      each.results().cell(7, int(r) + 1));
            EXPECT_EQ(exponentText(samples[r].mixtureStiffness),
                      each.results().cell(8, int(r) + 1));
        }
    }
}

// The boxes are read whole before anything changes; a failure keeps the view as it was.
TEST(CurvesView, ranges_are_read_from_the_boxes_or_refused_with_a_message) {
    const RunRows run({kRow});
    const struct {
        std::initializer_list<std::pair<CurvesBox, const char*>> set;
        std::vector<double> temperatures;  // over the chart over temperature, when read
        std::size_t times;                 // points over loading time
        const char* failure;
    } cases[] = {
        {{{kTemperatureFrom, " -10"}, {kTemperatureTo, "30 "}, {kTemperatureStep, "10"}},
         {-10, 0, 10, 20, 30},
         121,
         ""},
        {{{kTemperatureFrom, "0"}, {kTemperatureTo, "0.35"}, {kTemperatureStep, "0.1"}},
         {0, 0.1, 0.2, 0.3},
         121,
         ""},
        {{{kTemperatureFrom, "5"},
          {kTemperatureTo, "5"},
          {kLoadingTimeFrom, "0.001"},
          {kLoadingTimeTo, "1000"},
          {kPointsPerDecade, "1"}},
         {5},
         7,
         ""},
        {{{kTemperatureFrom, "a"}}, {}, 0, "'a' は浮動小数点数ではありません"},
        {{{kTemperatureStep, "0"}}, {}, 0, "温度の刻みは 0 より大きい値にしてください"},
        {{{kTemperatureFrom, "60"}, {kTemperatureTo, "10"}},
         {},
         0,
         "温度の範囲は始めを終わり以下にしてください"},
        {{{kTemperatureStep, "0.125"}}, {}, 0, "温度の点が多すぎます (2000 個まで、2641 個)"},
        {{{kTemperatureStep, "1e-300"}},
         {},
         0,
         "温度の点が多すぎます (2000 個まで、10 億個を超えます)"},
        {{{kFurtherLoadingTimes, "0.02, x"}}, {}, 0, "' x' は浮動小数点数ではありません"},
        {{{kFurtherLoadingTimes, "0.02,,1"}}, {}, 0, "'' は浮動小数点数ではありません"},
        {{{kFurtherLoadingTimes, "1, 0"}}, {}, 0, "載荷時間は 0 より大きい値にしてください (' 0')"},
        {{{kFurtherTemperatures, "1,2,3,4,5,6,7"}}, {}, 0, "ほかの値が多すぎます (6 個まで、7 個)"},
        {{{kLoadingTimeFrom, "-1"}}, {}, 0, "載荷時間は 0 より大きい値にしてください ('-1')"},
        {{{kLoadingTimeFrom, "10"}, {kLoadingTimeTo, "1"}},
         {},
         0,
         "載荷時間の範囲は始めを終わり以下にしてください"},
        {{{kPointsPerDecade, "2.5"}}, {}, 0, "'2.5' は整数ではありません"},
        {{{kPointsPerDecade, "0"}}, {}, 0, "1 桁の点の数は 1 以上にしてください"},
        {{{kPointsPerDecade, "1000"}}, {}, 0, "載荷時間の点が多すぎます (2000 個まで、12001 個)"},
    };
    for (const auto& c : cases) {
        CurvesView view(1, run.results(), StiffnessUnit::Mpa);
        const CurvesTexts before = view.texts();
        const CurvesTexts texts = textsWith(before, c.set);
        SCOPED_TRACE(c.failure);
        if (*c.failure) {
            try {
                view.setTexts(texts);
                ADD_FAILURE() << "no failure";
            } catch (const Failure& failure) {
                EXPECT_EQ(failure.message(), c.failure);
            }
            EXPECT_EQ(view.texts(), before);
            EXPECT_EQ(view.overTemperature()[0].points.size(), 67u);
            continue;
        }
        view.setTexts(texts);
        std::vector<double> temperatures;
        for (const CurvePoint& point : view.overTemperature()[0].points)
            temperatures.push_back(point.temperature);
        EXPECT_EQ(temperatures, c.temperatures);
        EXPECT_EQ(view.overLoadingTime()[0].points.size(), c.times);
    }
}

// Beyond the temperature-difference scale points are left out, each stretch said once with the
// curves it concerns; beyond the stiffest curve they are extrapolated, as the look-up says.
TEST(CurvesView, points_off_the_scale_are_left_out_and_extrapolations_said) {
    const RunRows run({kRow});
    CurvesView view(1, run.results(), StiffnessUnit::Mpa);
    view.setTexts(textsWith(view.texts(), {{kTemperatureFrom, "-170"},
                                           {kTemperatureTo, "200"},
                                           {kTemperatureStep, "10"},
                                           {kFurtherTemperatures, "250, 20"}}));
    const std::string off = "の点は描けません：";
    const std::vector<std::string> notes = view.failureNotes();
    for (const std::string& expected : {
             "温度 -170 〜 -160 ℃（t = 0.02, 0.1, 1 秒）" + off +
                 std::string(messages::temperatureDifferenceOutOfRange(220).message()),
             "温度 190 〜 200 ℃（t = 0.02, 0.1, 1 秒）" + off +
                 std::string(messages::temperatureDifferenceOutOfRange(-140).message()),
             "載荷時間 1E-6 〜 1E6 秒（T = 250 ℃）" + off +
                 std::string(messages::temperatureDifferenceOutOfRange(-200).message()),
             "温度 -150 〜 -100 ℃（t = 0.02 秒）" + off + "不正な浮動小数点数演算命令.",
         })
        EXPECT_NE(std::find(notes.begin(), notes.end(), expected), notes.end()) << expected;
    EXPECT_EQ(notes.size(), 5u);  // and one stretch of the others' failing relation
    std::size_t extrapolated = 0;
    for (const CurvePoint& point : view.overTemperature()[0].points) {
        const bool onScale = point.temperature >= -150 && point.temperature <= 180;
        EXPECT_EQ(point.failure.starts_with("軟化点と温度の差"), !onScale) << point.temperature;
        if (!point.computed()) continue;
        const nomograph::Reading reading = nomograph::read(
            view.curveRow().penetrationIndex, point.loadingTime, 50 - point.temperature);
        EXPECT_EQ(point.extrapolation.beyondStiffestCurve,
                  nomograph::extrapolationOf(view.curveRow().penetrationIndex, reading)
                      .beyondStiffestCurve);
        extrapolated += point.extrapolation.any();
    }
    EXPECT_GT(extrapolated, 0u);
    const auto extrapolations = view.extrapolationNotes();
    ASSERT_EQ(extrapolations.size(), 1u);
    EXPECT_NE(extrapolations[0].find("最も硬い曲線（2000 MPa）の外"), std::string::npos);

    // The same points as CSV, and as tab-separated text for the clipboard.
    const std::string csv = view.csv();
    const std::string tabs = view.tabSeparated();
    EXPECT_TRUE(
        csv.starts_with("\xEF\xBB\xBF"
                        "No.,温　度(℃),載荷時間(秒),"));
    EXPECT_TRUE(tabs.starts_with("No.\t温　度(℃)\t載荷時間(秒)\t"));
    std::string commas = tabs;
    std::replace(commas.begin(), commas.end(), '\t', ',');
    EXPECT_EQ("\xEF\xBB\xBF" + commas, csv);
    const std::size_t points = 38 * 3 + 3 * 121;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), std::ptrdiff_t(1 + points));
}

bool near(Point a, Point b) {
    return std::fabs(a.x - b.x) < 1e-6 && std::fabs(a.y - b.y) < 1e-6;
}

// The page: curves broken where points are left out, extrapolated points hollow, the row's
// point ringed on both charts, the notes under the charts; the reason for a row without curves.
TEST(CurvesPage, draws_curves_breaks_extrapolations_the_rows_point_and_notes) {
    const RunRows run({kRow});
    CurvesView view(1, run.results(), StiffnessUnit::KgfPerCm2);
    view.setTexts(
        textsWith(view.texts(),
                  {{kTemperatureFrom, "-170"}, {kTemperatureStep, "10"}, {kTemperatureTo, "200"}}));
    const CurvesPage page(view);
    RecordingCanvas canvas;
    page.draw(canvas);
    const Rect all{0, 0, CurvesPage::kSize.width, CurvesPage::kSize.height};
    const Colour own{0, 70, 180};
    for (const auto& shape : canvas.shapes) {
        if (shape.clip) continue;
        for (const Point point : shape.points)
            EXPECT_TRUE(point.x >= 0 && point.x <= all.width && point.y >= 0 &&
                        point.y <= all.height)
                << shape.text;
    }

    // The row's own curve over temperature: its Sbit and Smix each one line through exactly the
    // points computed, none at the points left out.
    const auto& points = view.overTemperature()[0].points;
    for (const bool mixture : {false, true}) {
        std::vector<Point> expected;
        for (const CurvePoint& point : points)
            if (point.computed())
                expected.push_back(
                    page.onChart(CurvesPage::kOverTemperature, point.temperature,
                                 mixture ? point.mixtureStiffness : point.bitumenStiffness));
        const auto line =
            std::find_if(canvas.shapes.begin(), canvas.shapes.end(), [&](const auto& s) {
                return s.kind == Kind::Polyline && s.colour == own && s.points.size() > 2 &&
                       near(s.points.front(), expected.front());
            });
        ASSERT_NE(line, canvas.shapes.end());
        ASSERT_EQ(line->points.size(), expected.size());
        EXPECT_TRUE(near(line->points.back(), expected.back()));
        EXPECT_TRUE(line->clip.has_value());
        // Its extrapolated points hollow, in its colour, on the line.
        std::size_t hollow = 0, extrapolated = 0;
        for (const CurvePoint& point : points)
            extrapolated += point.computed() && point.extrapolation.any();
        for (const auto& shape : canvas.shapes)
            hollow += shape.kind == Kind::Circle && shape.colour == own && shape.radius == 2.6 &&
                      std::any_of(expected.begin(), expected.end(),
                                  [&](Point p) { return near(p, shape.points[0]); });
        EXPECT_EQ(hollow, extrapolated) << mixture;
    }
    // The row's point ringed at its Sbit and Smix on both charts.
    const CurvePoint& rowPoint = view.rowPoint();
    for (const auto chart : {CurvesPage::kOverTemperature, CurvesPage::kOverLoadingTime})
        for (const double stiffness : {rowPoint.bitumenStiffness, rowPoint.mixtureStiffness}) {
            const Point at =
                page.onChart(chart, chart == CurvesPage::kOverTemperature ? 10 : 0.02, stiffness);
            EXPECT_TRUE(std::any_of(canvas.shapes.begin(), canvas.shapes.end(),
                                    [&](const auto& s) {
                                        return s.kind == Kind::Circle && s.radius == 6.5 &&
                                               near(s.points[0], at);
                                    }))
                << chart << " " << stiffness;
        }
    EXPECT_NE(canvas.joined("extrapolation").find("外挿"), std::string::npos);
    EXPECT_NE(canvas.joined("failure-note").find("温度 -170 〜 -160 ℃"), std::string::npos);
    EXPECT_NE(canvas.joined("row-numbers").find("kgf/cm2"), std::string::npos);
    EXPECT_EQ(std::string(canvas.joined("legend")).find("Sbit") != std::string::npos, true);

    // A row left empty by the run has no curves: the page says why.
    const CurvesView empty(2, run.results(), StiffnessUnit::Mpa);
    RecordingCanvas without;
    CurvesPage(empty).draw(without);
    EXPECT_TRUE(std::any_of(without.shapes.begin(), without.shapes.end(), [](const auto& s) {
        return s.text == "この行には計算結果がありません.";
    }));
}

}  // namespace
}  // namespace talveno::window::testing
