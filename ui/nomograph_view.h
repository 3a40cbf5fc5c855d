#pragma once

#include <QByteArray>
#include <memory>

#include "ui/drawing_window.h"
#include "window/nomograph_page.h"

class QPushButton;

namespace talveno::ui {

using window::NomographPage;

// The window that shows a result row's look-up on the nomograph, with buttons to save it as
// PNG or PDF, to print it and to open the row's stiffness curves.
class NomographView : public DrawingWindow {
    Q_OBJECT
  public:
    explicit NomographView(QWidget* owner);
    ~NomographView() override;

    // Shows the page, the window brought to the front.
    void showPage(NomographPage page);
    const NomographPage* page() const { return page_.get(); }

    QPushButton* savePngButton() const { return button("SavePngButton"); }
    QPushButton* savePdfButton() const { return button("SavePdfButton"); }
    QPushButton* printButton() const { return button("PrintButton"); }
    QPushButton* curvesButton() const { return button("CurvesButton"); }

  private:
    std::unique_ptr<NomographPage> page_;
};

// The page as a PNG image, twice its own size in pixels.
QByteArray pngImage(const NomographPage& page);
// The page as a PDF file of one A4 page, landscape.
QByteArray pdfDocument(const NomographPage& page);

}  // namespace talveno::ui
