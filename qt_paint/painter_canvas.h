#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <functional>

#include "window/canvas.h"

namespace talveno::ui {

// Texts of the window's drawings measured in a face, as the painter lays them out.
class FontMeasure : public window::TextMeasure {
  public:
    explicit FontMeasure(QFont face) : face_(std::move(face)) {}

    window::TextExtent measure(std::string_view text, const window::Font& font) const override;
    QFont font(const window::Font& font) const;

  private:
    QFont face_;
};

// The window's drawings through Qt's painter, on a widget, an image, a PDF writer or a printer:
// a drawing of its own size scaled into the target, centred, its proportions kept, in the face
// given. The painter is as it was when the canvas goes.
class PainterCanvas : public window::Canvas {
  public:
    PainterCanvas(QPainter& painter, QFont face, window::Size size, const QRectF& target);
    ~PainterCanvas() override;
    PainterCanvas(const PainterCanvas&) = delete;
    PainterCanvas& operator=(const PainterCanvas&) = delete;

    void polyline(std::span<const window::Point> points, const window::Pen& pen) override;
    void circle(window::Point centre, double radius, const window::Paint& paint) override;
    void rectangle(const window::Rect& box, const window::Paint& paint,
                   double cornerRadius) override;
    void text(window::Point anchor, std::string_view text, const window::TextStyle& style) override;
    void clip(const std::optional<window::Rect>& box) override;
    window::TextExtent measure(std::string_view text, const window::Font& font) const override;

  private:
    void usePaint(const window::Paint& paint);

    QPainter& painter_;
    FontMeasure measure_;
};

// What draws a drawing on a canvas.
using Drawing = std::function<void(window::Canvas&)>;

// A drawing of its size as an image of the pixels given, transparent where nothing is drawn.
QImage drawnImage(window::Size size, const Drawing& draw, const QFont& face, QSize pixels);

}  // namespace talveno::ui
