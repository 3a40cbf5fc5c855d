#pragma once

#include <QByteArray>
#include <QImage>

// The program's icon: a stiffness line with its reading ring over the layers of a pavement, on
// a dark blue tile. The window shows it at 32 x 32; the desktop gets it as SVG and PNG.
namespace talveno::ui::icon {

// The icon drawn at size x size pixels, transparent around the tile's rounded corners.
QImage image(int size);
// The same drawing as a scalable SVG document.
QByteArray svg();

}  // namespace talveno::ui::icon
