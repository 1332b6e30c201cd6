#pragma once

#include <QImage>

// Draws the plan of tank shape `code` (0..5) from scratch: 200 x 100, white
// background, cyan water inside a one-pixel black outline, dimension arrows
// and the letters that name the sides. A null image for any other code.
QImage drawShape(int code);
