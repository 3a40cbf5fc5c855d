#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/nomograph_geometry.h"
#include "tables/calculation_run.h"
#include "window/canvas.h"

namespace talveno::window {

// A result row's look-up as a page: the nomograph drawn from the look-up's own tables at true
// scale (a unit of x as long as a unit of y), the row's look-up over it, and its numbers
// beside it; the reason instead of the look-up for a row that has none.
class NomographPage {
  public:
    // The page's own size; a front end shows it scaled, centred.
    static constexpr Size kSize{1200, 620};
    // The decades of loading time on the scale drawn, where the row's loading time lies within.
    static constexpr int kLowestDecade = -6;
    static constexpr int kHighestDecade = 6;

    NomographPage(int row, RowLookUp lookUp);

    int row() const { return row_; }
    const RowLookUp& lookUp() const { return lookUp_; }
    // The look-up as drawn, in nomograph units; nothing for a row without one.
    const std::optional<nomograph::LookUpFigure>& figure() const { return figure_; }

    // Where a point of the nomograph plane lies on the page.
    Point onPage(nomograph::Point point) const;

    // Why the row's Sbit is extrapolated rather than read, one sentence each
    // (texts::extrapolationNotes). Empty for a reading.
    const std::vector<std::string>& extrapolations() const { return extrapolations_; }

    // The curve labels placed on the page, and the ring around X with its letter, which no
    // label lies under.
    struct CurveLabel {
        std::size_t curve;
        std::string text;
        Point baseline;  // the left end of the text's base line
        Rect box;
    };
    std::vector<CurveLabel> curveLabels(const TextMeasure& measure) const;
    Rect ringBox(const TextMeasure& measure) const;

    void draw(Canvas& canvas) const;

  private:
    void drawTitle(Canvas& canvas) const;
    void drawIndexAxis(Canvas& canvas) const;
    void drawCurves(Canvas& canvas) const;
    void drawScales(Canvas& canvas) const;
    void drawLookUp(Canvas& canvas) const;
    void drawNumbers(Canvas& canvas) const;
    Rect frame() const;

    int row_;
    RowLookUp lookUp_;
    std::optional<nomograph::LookUpFigure> figure_;
    std::vector<std::string> extrapolations_;
    // The penetration indices the curves are drawn over, the loading-time decades on the
    // scale, and the part of the plane shown with its place on the page.
    int lowestIndex_;
    int highestIndex_;
    int lowestDecade_ = kLowestDecade;
    int highestDecade_ = kHighestDecade;
    double left_, right_, bottom_, top_;
    double scale_;
    Point origin_;  // the page point of (left_, bottom_)
};

// "ノモグラフで確認 - No. 3", the view's title of a row's page, and "ノモグラフ No. 3", the
// title of the page saved as a document.
std::string nomographTitle(int row);
std::string nomographDocumentTitle(int row);

}  // namespace talveno::window
