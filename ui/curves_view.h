#pragma once

#include <array>
#include <memory>

#include "ui/drawing_window.h"
#include "window/curves_view.h"

class QLineEdit;

namespace talveno::ui {

// The window that shows a result row's stiffness curves, with the boxes of their ranges above
// them and buttons to draw them anew, to save the points as CSV, to copy them, to save the
// charts as PNG or PDF and to print them.
class CurvesView : public DrawingWindow {
    Q_OBJECT
  public:
    explicit CurvesView(QWidget* owner);
    ~CurvesView() override;

    // Shows the row's curves, its ranges in the boxes, the window brought to the front.
    void showCurves(window::CurvesView curves);
    const window::CurvesView* curves() const { return curves_.get(); }

    // The curves drawn anew over the ranges in the boxes; throws the failure of a bad box,
    // leaving the curves as they were.
    void apply();
    // The save dialog, then the points written as CSV.
    void saveCsv(Dialogs& dialogs);
    // The points on the clipboard as tab-separated text.
    void copy();

    window::FileDialog csvDialog = window::kCsvDialog;

  signals:
    // Enter in a box.
    void applyRequested();

  private:
    std::unique_ptr<window::CurvesView> curves_;
    std::array<QLineEdit*, window::kCurvesBoxCount> boxes_;
};

}  // namespace talveno::ui
