#pragma once

#include <QColor>
#include <QImage>

#include "fields/widgets/spin/spin_geometry.h"

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
//
// At a device pixel ratio above 1 the picture has side x ratio device pixels
// (rounded) and carries the ratio. Its lines stay one device pixel thin, as
// a sharp screen draws its other frames, while the arrows grow by the whole
// part of the ratio, so each of their pixels becomes an even block and they
// keep their shape also at 1.5; their offsets grow with them.
QImage paintSpinFace(int side, SpinHalf pressed, const SpinGlyphs &glyphs,
                     const SpinFaceColours &colours, qreal devicePixelRatio = 1.0);

// paintSpinFace with the standard arrows, made once for each look (side,
// pixel ratio, colours) and shared by every button of that look: a window
// has sixteen buttons of one look. The last few looks are kept.
QImage sharedSpinFace(int side, SpinHalf pressed, const SpinFaceColours &colours,
                      qreal devicePixelRatio = 1.0);

// The whole factor the arrows are enlarged by at a device pixel ratio: 1 up
// to 2, 2 up to 3, and so on.
int spinGlyphFactor(qreal devicePixelRatio);

}  // namespace vx
