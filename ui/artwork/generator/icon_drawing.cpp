#include "icon_drawing.h"

#include <QString>

#include "ui/artwork/standard_palette.h"

namespace {

constexpr int kIconSize = 32;
constexpr int kDarkGreen = 2;
constexpr int kBrightGreen = 10;
constexpr int kRed = 9;

// An 8-row block alphabet with one-pixel strokes; '#' is ink. Only the
// letters of the two words are needed.
struct BlockGlyph {
  char letter;
  const char *rows[8];
};

constexpr BlockGlyph kGlyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#....", "#...."}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#", "#...#"}},
    {'I', {"###", ".#.", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#", "#...#"}},
    {'S', {".###.", "#...#", "#....", ".###.", "....#", "....#", "#...#", ".###."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
};

const BlockGlyph *glyphFor(char letter) {
  for (const BlockGlyph &g : kGlyphs)
    if (g.letter == letter) return &g;
  return nullptr;
}

void fillRows(QImage &icon, int first, int last, int index) {
  for (int y = first; y <= last; ++y)
    for (int x = 0; x < icon.width(); ++x) icon.setPixel(x, y, index);
}

void writeWord(QImage &icon, const char *word, int left, int top) {
  int x = left;
  for (const char *c = word; *c; ++c) {
    const BlockGlyph *glyph = glyphFor(*c);
    if (!glyph) continue;
    const int width = static_cast<int>(qstrlen(glyph->rows[0]));
    for (int row = 0; row < 8; ++row)
      for (int col = 0; col < width; ++col)
        if (glyph->rows[row][col] == '#') icon.setPixel(x + col, top + row, kRed);
    x += width + 1;
  }
}

int wordWidth(const char *word) {
  int width = -1;
  for (const char *c = word; *c; ++c)
    if (const auto *glyph = glyphFor(*c)) width += static_cast<int>(qstrlen(glyph->rows[0])) + 1;
  return width;
}

QImage drawLargeUnscaledIcon(int size) {
  QImage icon(size, size, QImage::Format_Indexed8);
  icon.setColorTable(standardPalette16());
  // The bands of the 32 x 32 picture, 6 : 20 : 6, at this size.
  const int band = size * 6 / 32;
  fillRows(icon, 0, band - 1, kDarkGreen);
  fillRows(icon, band, size - band - 1, kBrightGreen);
  fillRows(icon, size - band, size - 1, kDarkGreen);
  // Two 8-row lines one row apart, centred on the bright band.
  const int top = band + (size - 2 * band - 17) / 2;
  writeWord(icon, "FISH", (size - wordWidth("FISH")) / 2, top);
  writeWord(icon, "WATER", (size - wordWidth("WATER")) / 2, top + 9);
  return icon;
}

}  // namespace

QImage drawWindowIcon() {
  QImage icon(kIconSize, kIconSize, QImage::Format_Indexed8);
  icon.setColorTable(standardPalette16());
  fillRows(icon, 0, 5, kDarkGreen);
  fillRows(icon, 6, 25, kBrightGreen);
  fillRows(icon, 26, 31, kDarkGreen);
  writeWord(icon, "FISH", 6, 8);
  writeWord(icon, "WATER", 1, 17);
  return icon;
}

QImage drawIcon(int size) {
  if (size < 8) return {};
  const QImage base = drawWindowIcon();
  if (size == kIconSize) return base;
  if (size % kIconSize == 0)
    return base.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  if (size > kIconSize) return drawLargeUnscaledIcon(size);
  return base.convertToFormat(QImage::Format_RGB32)
      .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
