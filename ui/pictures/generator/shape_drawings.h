#pragma once

#include <QImage>

#include <string_view>

// Draws the plan of the tank shape whose row in vx::kTankShapes names this
// drawing, from scratch: 200 x 100, white background, cyan water inside a
// one-pixel black outline, dimension arrows and the letters that name the
// sides. A null image for a name no drawing has.
QImage drawShape(std::string_view drawing);
