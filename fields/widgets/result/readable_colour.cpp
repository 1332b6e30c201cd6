#include "fields/widgets/result/readable_colour.h"

#include <QPalette>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vx {

namespace {

double linearChannel(int value) {
  const double c = value / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The designed colour scaled up to its full strength, keeping its hue:
// (0, 128, 0) becomes (0, 255, 0).
QColor fullStrength(const QColor &colour) {
  const int top = std::max({colour.red(), colour.green(), colour.blue()});
  if (top == 0) return QColor(255, 255, 255);
  const auto scale = [top](int c) { return (c * 255 + top / 2) / top; };
  return QColor(scale(colour.red()), scale(colour.green()), scale(colour.blue()));
}

}  // namespace

double relativeLuminance(const QColor &colour) {
  const QColor rgb = colour.toRgb();
  return 0.2126 * linearChannel(rgb.red()) + 0.7152 * linearChannel(rgb.green()) +
         0.0722 * linearChannel(rgb.blue());
}

double contrastRatio(const QColor &a, const QColor &b) {
  const double la = relativeLuminance(a);
  const double lb = relativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor firstReadable(const QColor &from, const QColor &to, const QColor &background,
                     double minimum) {
  const QColor a = from.toRgb();
  const QColor b = to.toRgb();
  const int steps = std::max({std::abs(b.red() - a.red()), std::abs(b.green() - a.green()),
                              std::abs(b.blue() - a.blue())});
  for (int i = 0; i <= steps; ++i) {
    const auto mix = [i, steps](int x, int y) {
      return steps == 0 ? x : static_cast<int>(std::lround(x + (y - x) * double(i) / steps));
    };
    const QColor c(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
    if (contrastRatio(c, background) >= minimum) return c;
  }
  return b;
}

QColor readableDisabledText(const QPalette &palette) {
  const QColor background = palette.color(QPalette::Active, QPalette::Base);
  const QColor text = palette.color(QPalette::Active, QPalette::Text);
  const QColor grey = palette.color(QPalette::Disabled, QPalette::Text);
  if (grey == background) return text;
  return firstReadable(grey, text, background);
}

QColor readableOn(const QColor &designed, const QColor &face) {
  if (contrastRatio(designed, face) >= kReadableContrast) return designed;
  if (relativeLuminance(face) > relativeLuminance(designed))
    return firstReadable(designed, QColor(0, 0, 0), face);
  const QColor full = fullStrength(designed);
  const QColor lighter = firstReadable(designed, full, face);
  if (contrastRatio(lighter, face) >= kReadableContrast) return lighter;
  return firstReadable(full, QColor(255, 255, 255), face);
}

}  // namespace vx
