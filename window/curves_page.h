#pragma once

#include <vector>

#include "window/canvas.h"
#include "window/curves_view.h"

namespace talveno::window {

// The curves view's page: the row's numbers on top, two charts side by side with log-scale
// stiffness (over temperature at the left, over loading time on a log scale at the right), each
// with its legend, and the notes on extrapolated and left-out points below them; the reason
// instead for a row that has no curves.
class CurvesPage {
  public:
    static constexpr Size kSize{1200, 720};

    enum Chart { kOverTemperature, kOverLoadingTime };

    explicit CurvesPage(const CurvesView& view);

    // The plot of a chart on the page, and where a point of it lies there: x a temperature in
    // °C or a loading time in s, the stiffness in the view's unit.
    Rect plot(Chart chart) const;
    Point onChart(Chart chart, double x, double stiffness) const;
    // The decades of stiffness both charts span.
    int lowestDecade() const { return lowestDecade_; }
    int highestDecade() const { return highestDecade_; }

    void draw(Canvas& canvas) const;

  private:
    void drawTitle(Canvas& canvas) const;
    void drawAxes(Canvas& canvas, Chart chart) const;
    void drawCurves(Canvas& canvas, Chart chart) const;
    void drawLegend(Canvas& canvas, Chart chart) const;
    void drawNotes(Canvas& canvas) const;
    const std::vector<Curve>& curves(Chart chart) const;

    const CurvesView& view_;
    int lowestDecade_ = -3;
    int highestDecade_ = 3;
    // The x range of each chart: temperatures, and the log10 of loading times.
    double xFrom_[2] = {0, -1};
    double xTo_[2] = {1, 1};
};

}  // namespace talveno::window
