#pragma once

#include <QPixmap>

// The window's pictures at their own sizes.
namespace talveno::ui::pictures {

// The schematic of the Van der Poel nomograph on the start page, 775 x 312.
QPixmap nomograph();
// The program's logo, 134 x 68.
QPixmap logo();
// The window icon, 32 x 32.
QPixmap icon();

}  // namespace talveno::ui::pictures
