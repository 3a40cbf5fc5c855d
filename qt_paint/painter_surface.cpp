#include "qt_paint/painter_surface.h"

#include <QPagedPaintDevice>

#include "print/print_failures.h"

namespace talveno::ui {

namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

// Asking for the first family alone would fall back to a Latin font where it is missing. The
// stand-in is of fixed pitch: the listings align their columns with blanks, and their header
// lines are spaced for an ideographic space as wide as two blanks.
QFont listingFont() {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAGothic")});
    font.setPointSize(9);
    return font;
}

PainterSurface::PainterSurface(QPagedPaintDevice& device) : device_(device) {
    if (!painter_.begin(&device_)) throw print_failures::printJobFailed();
    painter_.setFont(listingFont());
    metrics_.emplace(painter_.fontMetrics());
}

PainterSurface::~PainterSurface() {
    if (painter_.isActive()) painter_.end();
}

void PainterSurface::end() {
    if (!painter_.end()) throw print_failures::printJobFailed();
}

int PainterSurface::pageWidth() const {
    return device_.width();
}

int PainterSurface::pageHeight() const {
    return device_.height();
}

int PainterSurface::textWidth(std::string_view utf8) const {
    return metrics_->horizontalAdvance(text(utf8));
}

int PainterSurface::characterHeight() const {
    return metrics_->height();
}

// The painter places a text by its base line, the stream by its top-left corner.
void PainterSurface::drawText(int x, int y, std::string_view utf8) {
    painter_.drawText(x, y + metrics_->ascent(), text(utf8));
}

void PainterSurface::newPage() {
    if (!device_.newPage()) throw print_failures::printJobFailed();
}

}  // namespace talveno::ui
