#pragma once

#include <QImage>

// The 32 x 32 program icon in the standard 16-colour palette: green bands and
// two words of red one-pixel block lettering.
QImage drawWindowIcon();

// The icon at `size` pixels for the desktop's icon theme, keeping the look of
// the 32 x 32 picture: 64, 128 and 256 are that picture enlarged by whole
// factors, so the block letters stay one enlarged pixel sharp; 48 has the
// bands in proportion and the letters at their own size, since no whole
// factor gives 48; below 32 the picture is reduced with area averaging,
// where the letters cannot keep their pixels anyway. 32 is the window icon
// itself. A null image for a size below 8.
QImage drawIcon(int size);
