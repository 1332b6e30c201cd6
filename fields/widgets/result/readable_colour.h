#pragma once

#include <QColor>

class QPalette;

namespace vx {

// The usual floor for readable text: 4.5 : 1.
inline constexpr double kReadableContrast = 4.5;

// The relative luminance of an sRGB colour (0 for black, 1 for white), and
// the contrast ratio of two colours built from it, from 1 (equal) to 21.
double relativeLuminance(const QColor &colour);
double contrastRatio(const QColor &a, const QColor &b);

// The first colour on the straight line from `from` to `to`, in steps of one
// 8-bit unit of the channel that moves most, whose contrast with `background`
// reaches `minimum`: `from` itself when it already does, `to` when none does.
QColor firstReadable(const QColor &from, const QColor &to, const QColor &background,
                     double minimum = kReadableContrast);

// The grey a disabled result field paints its text in: the palette's
// disabled-text colour while it stays readable on the active base, otherwise
// the nearest grey towards the text colour that is. A disabled-text colour
// equal to the base gives way to the text colour outright.
QColor readableDisabledText(const QPalette &palette);

// The nearest readable stand-in for a designed caption colour on `face`: the
// colour itself when readable, otherwise moved along its own hue away from the
// face (darker on a light face, lighter on a dark one, through the full
// colour and then towards white).
QColor readableOn(const QColor &designed, const QColor &face);

}  // namespace vx
