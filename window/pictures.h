#pragma once

#include "window/canvas.h"

// The window's pictures, each drawn at its own size.
namespace talveno::window::pictures {

// The schematic of the Van der Poel nomograph on the start page, drawn from the nomograph's
// own scales and curves.
inline constexpr Size kSchematicSize{775, 312};
void drawSchematic(Canvas& canvas);

// The program's logo.
inline constexpr Size kLogoSize{134, 68};
void drawLogo(Canvas& canvas);

// The program's icon: a stiffness line with its reading ring over the layers of a pavement, on
// a dark blue tile with rounded corners, around which nothing is drawn. The window shows it at
// 32 x 32; the desktop gets it as SVG and PNG.
inline constexpr Size kIconSize{32, 32};
void drawIcon(Canvas& canvas);

// The icons of the message boxes that have one: a question mark on a blue disc for a question,
// a cross on a red disc for an error.
inline constexpr Size kBoxIconSize{32, 32};
void drawQuestionIcon(Canvas& canvas);
void drawErrorIcon(Canvas& canvas);

}  // namespace talveno::window::pictures
