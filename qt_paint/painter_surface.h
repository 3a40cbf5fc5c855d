#pragma once

#include <QFontMetrics>
#include <QPainter>
#include <optional>

#include "print/drawing_surface.h"

class QPagedPaintDevice;

namespace talveno::ui {

// The font of the printed listings: "ＭＳ Ｐゴシック" at 9 points, else its Latin-named twin,
// else the fixed-pitch IPA Gothic.
QFont listingFont();

// A print job on a paged device, a printer or a PDF writer, drawn in the listing font at the
// device's resolution. The job begins when the surface is made and ends with end() or, when
// a listing stops half way, when the surface goes: what was drawn is printed either way.
class PainterSurface : public DrawingSurface {
  public:
    // Throws the print job failure when the job cannot begin.
    explicit PainterSurface(QPagedPaintDevice& device);
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    // Ends the job; throws the print job failure when it could not be written.
    void end();

    int pageWidth() const override;
    int pageHeight() const override;
    int textWidth(std::string_view text) const override;
    int characterHeight() const override;
    void drawText(int x, int y, std::string_view text) override;
    void newPage() override;

  private:
    QPagedPaintDevice& device_;
    QPainter painter_;
    std::optional<QFontMetrics> metrics_;
};

}  // namespace talveno::ui
