#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "core/nomograph_geometry.h"
#include "tables/calculation_run.h"
#include "window/window_texts.h"

class QPainter;

namespace talveno::ui {

// A result row's look-up as a page: the nomograph drawn from the look-up's own tables at true
// scale (a unit of x as long as a unit of y), the row's look-up over it, and its numbers
// beside it; the reason instead of the look-up for a row that has none.
class NomographPage {
  public:
    // The page's own size, in the units it is drawn in; a target gets it scaled, centred.
    static constexpr QSizeF kSize{1200, 620};

    NomographPage(int row, RowLookUp lookUp);

    int row() const { return row_; }
    const RowLookUp& lookUp() const { return lookUp_; }
    // The look-up as drawn, in nomograph units; nothing for a row without one.
    const std::optional<nomograph::LookUpFigure>& figure() const { return figure_; }

    // Where a point of the nomograph plane lies on the page.
    QPointF onPage(nomograph::Point point) const;

    // Why the row's Sbit is extrapolated rather than read, one sentence each
    // (texts::extrapolationNotes). Empty for a reading.
    const QStringList& extrapolations() const { return extrapolations_; }

    // The curve labels placed on the page, and the ring around X with its letter, which no
    // label lies under.
    struct CurveLabel {
        std::size_t curve;
        QString text;
        QPointF baseline;  // the left end of the text's base line
        QRectF box;
    };
    std::vector<CurveLabel> curveLabels() const;
    QRectF ringBox() const;

    void draw(QPainter& painter, const QRectF& target) const;

  private:
    void drawTitle(QPainter& painter) const;
    void drawIndexAxis(QPainter& painter) const;
    void drawCurves(QPainter& painter) const;
    void drawScales(QPainter& painter) const;
    void drawLookUp(QPainter& painter) const;
    void drawNumbers(QPainter& painter) const;
    double bandHeight(double penetrationIndex) const;

    int row_;
    RowLookUp lookUp_;
    std::optional<nomograph::LookUpFigure> figure_;
    QStringList extrapolations_;
    // The penetration indices the curves are drawn over, the loading-time decades on the
    // scale, and the part of the plane shown with its place on the page.
    int lowestIndex_ = window::texts::kLowestIndexShown;
    int highestIndex_ = window::texts::kHighestIndexShown;
    int lowestDecade_ = -6;
    int highestDecade_ = 6;
    double left_, right_, bottom_, top_;
    double scale_;
    QPointF origin_;  // the page point of (left_, bottom_)
};

}  // namespace talveno::ui
