#include "ui/pictures.h"

#include "qt_paint/painter_canvas.h"
#include "ui/look.h"
#include "window/pictures.h"

namespace talveno::ui::pictures {

namespace {

QPixmap drawn(window::Size size, const Drawing& draw) {
    const QSize pixels(static_cast<int>(size.width), static_cast<int>(size.height));
    return QPixmap::fromImage(drawnImage(size, draw, windowFont(), pixels));
}

}  // namespace

QPixmap nomograph() {
    return drawn(window::pictures::kSchematicSize, window::pictures::drawSchematic);
}

QPixmap logo() {
    return drawn(window::pictures::kLogoSize, window::pictures::drawLogo);
}

QPixmap icon() {
    return drawn(window::pictures::kIconSize, window::pictures::drawIcon);
}

}  // namespace talveno::ui::pictures
