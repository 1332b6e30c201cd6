#include "icon_drawing.h"

#include <QString>

#include "ui/pictures/standard_palette.h"

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
    for (int x = 0; x < kIconSize; ++x) icon.setPixel(x, y, index);
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
