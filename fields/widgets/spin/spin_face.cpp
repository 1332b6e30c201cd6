#include "fields/widgets/spin/spin_face.h"

#include <QPalette>
#include <array>
#include <deque>
#include <utility>

#include "fields/widgets/spin/spin_glyphs.h"

namespace vx {

namespace {

// Pixels are set one by one: the design fixes every one of them, and a
// painter's line rasterisation could move a diagonal's end by one.
class FacePixels {
public:
  explicit FacePixels(QImage &image) : m_image(image) {}

  void set(int x, int y, const QColor &c) {
    if (m_image.valid(x, y)) m_image.setPixel(x, y, c.rgb());
  }
  void row(int y, int x0, int x1, const QColor &c) {
    for (int x = x0; x <= x1; ++x) set(x, y, c);
  }
  void column(int x, int y0, int y1, const QColor &c) {
    for (int y = y0; y <= y1; ++y) set(x, y, c);
  }
  // The pixels with x + y == sum, for x from x0 to x1.
  void antiDiagonal(int sum, int x0, int x1, const QColor &c) {
    for (int x = x0; x <= x1; ++x) set(x, sum - x, c);
  }
  void glyph(const QImage &glyph, QPoint topLeft, const QColor &c) {
    for (int y = 0; y < glyph.height(); ++y)
      for (int x = 0; x < glyph.width(); ++x)
        if (isGlyphInk(glyph, x, y)) set(topLeft.x() + x, topLeft.y() + y, c);
  }

private:
  QImage &m_image;
};

// Each pixel a factor x factor block: arrows stay pixel art at any ratio.
QImage enlarged(const QImage &glyph, int factor) {
  if (factor == 1) return glyph;
  return glyph.scaled(glyph.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace

SpinFaceColours spinFaceColours(const QPalette &palette) {
  const auto active = [&palette](QPalette::ColorRole role) {
    return palette.color(QPalette::Active, role);
  };
  return {active(QPalette::Button), active(QPalette::WindowText), active(QPalette::Light),
          active(QPalette::Dark), active(QPalette::ButtonText)};
}

int spinGlyphFactor(qreal devicePixelRatio) {
  // A hair below the whole number still counts as it: 2 may arrive as
  // 1.9999999 from a scale factor's arithmetic.
  return qMax(1, static_cast<int>(devicePixelRatio + 1e-6));
}

QImage paintSpinFace(int logicalSide, SpinHalf pressed, const SpinGlyphs &glyphs,
                     const SpinFaceColours &colours, qreal devicePixelRatio) {
  if (logicalSide <= 0 || !(devicePixelRatio > 0)) return {};
  const int side = qMax(1, qRound(logicalSide * devicePixelRatio));
  const int factor = spinGlyphFactor(devicePixelRatio);
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(colours.face);
  FacePixels px(image);
  const int last = side - 1;

  px.row(0, 0, last, colours.frame);
  px.row(last, 0, last, colours.frame);
  px.column(0, 0, last, colours.frame);
  px.column(last, 0, last, colours.frame);
  // From just outside the bottom-left corner to just outside the top-right
  // one, so both corner pixels are part of it.
  px.antiDiagonal(last, 0, last, colours.frame);

  // Each half is a triangle inside the outline and the diagonal. Its
  // upper-left edges are drawn first and its lower-right ones after, so the
  // lower-right colour takes the two corners they share.
  const auto bevel = [&colours](SpinHalf half, SpinHalf pushed) {
    return pushed == half ? std::pair{colours.shadow, colours.highlight}
                          : std::pair{colours.highlight, colours.shadow};
  };
  {
    const auto [upperLeft, lowerRight] = bevel(SpinHalf::Up, pressed);
    px.row(1, 1, side - 3, upperLeft);
    px.column(1, 1, side - 3, upperLeft);
    px.antiDiagonal(side - 2, 1, side - 3, lowerRight);
  }
  {
    const auto [upperLeft, lowerRight] = bevel(SpinHalf::Down, pressed);
    px.antiDiagonal(side, 2, side - 2, upperLeft);
    px.column(side - 2, 2, side - 2, lowerRight);
    px.row(side - 2, 2, side - 2, lowerRight);
  }

  const QSize size(side, side);
  const QImage up = enlarged(glyphs.up, factor);
  const QImage down = enlarged(glyphs.down, factor);
  // The offsets from the quarter points are in arrow pixels.
  const bool upPressed = pressed == SpinHalf::Up;
  const int upShift = (upPressed ? 2 : 1) * (factor - 1);
  px.glyph(up, upGlyphTopLeft(size, up.size(), upPressed) + QPoint(upShift, upShift),
           colours.glyph);
  px.glyph(down, downGlyphTopLeft(size, down.size()) - QPoint(factor - 1, factor - 1),
           colours.glyph);
  image.setDevicePixelRatio(devicePixelRatio);
  return image;
}

QImage sharedSpinFace(int side, SpinHalf pressed, const SpinFaceColours &colours,
                      qreal devicePixelRatio) {
  struct Look {
    int side;
    SpinHalf pressed;
    qreal ratio;
    std::array<QRgb, 5> colours;
    bool operator==(const Look &) const = default;
  };
  struct Made {
    Look look;
    QImage face;
  };
  // A theme change or a second screen brings a new look; a handful covers
  // every look in use, and the oldest goes first.
  constexpr std::size_t kKept = 12;
  static std::deque<Made> made;
  const Look look{side,
                  pressed,
                  devicePixelRatio,
                  {colours.face.rgba(), colours.frame.rgba(), colours.highlight.rgba(),
                   colours.shadow.rgba(), colours.glyph.rgba()}};
  for (const Made &m : made)
    if (m.look == look) return m.face;
  if (made.size() == kKept) made.pop_front();
  made.push_back({look, paintSpinFace(side, pressed, {spinUpGlyph(), spinDownGlyph()}, colours,
                                      devicePixelRatio)});
  return made.back().face;
}

}  // namespace vx
