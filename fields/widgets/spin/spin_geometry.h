#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a field's spin button sits, which half a point of it belongs to and
// where its arrows go: plain arithmetic on pixels, free of widgets.
namespace vx {

enum class SpinHalf { None, Up, Down };

// +1 for the upper half, -1 for the lower one, 0 for neither.
int stepDirection(SpinHalf half);

// The width of the field's sunken border. The button's place is designed in
// the coordinates of the area inside that border, where (0, 0) is the first
// pixel past the border; a widget's own coordinates include the border.
inline constexpr int kFieldBorder = 2;

// The button of a field of outer size `field`, in the field's widget
// coordinates: a square of side H - 3 whose top-left corner is (W - H - 1, -1)
// inside the border. Its right and bottom edges meet the inner area's right
// and bottom edges, and its top row lies on the border's inner line, which
// the button's own dark outline then stands in for. Empty for a field too low
// to hold one.
QRect spinButtonRect(QSize field);

// The first pixel column, in widget coordinates, that the text may no longer
// use: the text stops 2 pixels short of the button.
int spinTextEnd(QSize field);

// The half of a button of size `button` that the pixel `p` (measured from the
// button's top-left corner) belongs to. The diagonal runs from the bottom-left
// to the top-right corner: a point strictly below the line
// y = H - (H / W) x is on the lower half, one on or above it on the upper
// half. A point outside the button is on neither. Exact in integers.
SpinHalf spinHalfAt(QPoint p, QSize button);

// num / den rounded to a whole number, ties to even; den > 0.
int roundDivHalfEven(int num, int den);

// The top-left corners of the arrows, each centred on its quarter point (one
// quarter of the size in from the top-left corner for the up arrow, three
// quarters for the down arrow) and rounded, ties to even, then moved by whole
// pixels: the up arrow 1 pixel right and down, 2 while its half is pressed;
// the down arrow 1 pixel left and up, pressed or not.
QPoint upGlyphTopLeft(QSize button, QSize glyph, bool upperPressed);
QPoint downGlyphTopLeft(QSize button, QSize glyph);

}  // namespace vx
