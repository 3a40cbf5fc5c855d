#include "ui/nomograph_view.h"

#include <QPushButton>

#include "window/curves_view.h"

namespace talveno::ui {

namespace {

Drawing drawingOf(const NomographPage& page) {
    return [&page](window::Canvas& canvas) { page.draw(canvas); };
}

}  // namespace

NomographView::NomographView(QWidget* owner)
    : DrawingWindow(owner, QStringLiteral("NomographView"), NomographPage::kSize) {
    for (const window::CurvesButton& each : window::kNomographButtons)
        if (each.name != "CloseButton")
            addButton(std::string(each.name).c_str(), QString::fromUtf8(each.caption));
}

NomographView::~NomographView() = default;

void NomographView::showPage(NomographPage page) {
    page_ = std::make_unique<NomographPage>(std::move(page));
    setDrawing(drawingOf(*page_), QString::fromStdString(window::nomographTitle(page_->row())),
               QString::fromStdString(window::nomographDocumentTitle(page_->row())));
    open();
}

QByteArray pngImage(const NomographPage& page) {
    return pngImage(NomographPage::kSize, drawingOf(page));
}

QByteArray pdfDocument(const NomographPage& page) {
    return pdfDocument(NomographPage::kSize, drawingOf(page),
                       QString::fromStdString(window::nomographDocumentTitle(page.row())));
}

}  // namespace talveno::ui
