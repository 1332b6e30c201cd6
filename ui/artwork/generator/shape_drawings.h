#pragma once

#include <QImage>

#include <string_view>

// Draws the plan of the tank shape whose row in vx::kTankShapes names this
// drawing, from scratch: 200 x 100, white background, cyan water inside a
// one-pixel black outline, dimension arrows and the letters that name the
// sides. A null image for a name no drawing has.
//
// At a scale above 1 the same drawing comes out `scale` times as large for
// high-resolution screens, every line as wide as at scale 1 but drawn at
// the finer resolution from the same outlines, not enlarged pixel by pixel.
QImage drawShape(std::string_view drawing, int scale = 1);
