#include "fields/widgets/spin/spin_glyphs.h"

#include <array>

namespace vx {

namespace {

constexpr int kGlyphSide = 6;

using GlyphRows = std::array<const char *, kGlyphSide>;

constexpr GlyphRows kUpRows = {
    "..##..", ".####.", "######", "..##..", "..##..", "..##..",
};

QImage monoFromRows(const GlyphRows &rows, bool upsideDown) {
  QImage image(kGlyphSide, kGlyphSide, QImage::Format_Mono);
  image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  image.fill(0);
  for (int y = 0; y < kGlyphSide; ++y) {
    const char *row = rows[upsideDown ? kGlyphSide - 1 - y : y];
    for (int x = 0; x < kGlyphSide; ++x)
      if (row[x] == '#') image.setPixel(x, y, 1);
  }
  return image;
}

}  // namespace

// Made once: every button's faces use the same two.
QImage spinUpGlyph() {
  static const QImage glyph = monoFromRows(kUpRows, false);
  return glyph;
}

QImage spinDownGlyph() {
  static const QImage glyph = monoFromRows(kUpRows, true);
  return glyph;
}

bool isGlyphInk(const QImage &glyph, int x, int y) {
  return glyph.valid(x, y) && qGray(glyph.pixel(x, y)) < 128;
}

}  // namespace vx
