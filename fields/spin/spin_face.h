#pragma once

#include <QColor>
#include <QImage>

#include "fields/spin/spin_geometry.h"

class QPalette;

// One picture of the spin button: the face, its outline and diagonal, a bevel
// on each half and the two arrows. The button keeps three of them (released,
// upper half pressed, lower half pressed) and shows the one of its state.
namespace vx {

struct SpinFaceColours {
  QColor face;
  QColor frame;
  QColor highlight;
  QColor shadow;
  QColor glyph;
};

// The colours from the palette's active group, whatever the widget's state:
// a disabled field's button keeps its normal look.
SpinFaceColours spinFaceColours(const QPalette &palette);

struct SpinGlyphs {
  QImage up;
  QImage down;
};

// A square picture of the given side with `pressed` drawn pushed in
// (SpinHalf::None for released).
QImage paintSpinFace(int side, SpinHalf pressed, const SpinGlyphs &glyphs,
                     const SpinFaceColours &colours);

}  // namespace vx
