#pragma once

#include <QImage>

// The arrows of the spin button: 6 x 6 monochrome bitmaps, a black arrow on
// white, where white is drawn transparent.
namespace vx {

// Rows of 2, 4 and 6 pixels, centred, then three rows of a 2-pixel stem.
QImage spinUpGlyph();
// The up arrow upside down.
QImage spinDownGlyph();

// Whether the glyph pixel at (x, y) is part of the arrow (black); white and
// anything outside the bitmap is not.
bool isGlyphInk(const QImage &glyph, int x, int y);

}  // namespace vx
