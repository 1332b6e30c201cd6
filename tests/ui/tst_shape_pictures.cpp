// The embedded artwork: the six tank plans, the image list built from them
// and the program icon.
#include <QtTest>

#include <QBitmap>
#include <QPainter>
#include <QPixmap>
#include <QSet>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/tank_shapes.h"
#include "ui/artwork/artwork_resources.h"
#include "ui/artwork/embedded_artwork.h"
#include "ui/artwork/image_list.h"
#include "ui/artwork/shape_pictures.h"
#include "ui/artwork/standard_palette.h"
#include "ui/artwork/window_icon.h"

namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kCyan = 0xff00ffff;
constexpr QRgb kBlack = 0xff000000;

struct Letter {
  int shape;
  QRect box;  // both corners inclusive
  bool overWater;
};

// Glyph boxes of every dimension letter.
const QList<Letter> kLetters = {
    {0, QRect(QPoint(90, 78), QPoint(100, 89)), true},
    {0, QRect(QPoint(172, 51), QPoint(181, 62)), true},
    {1, QRect(QPoint(92, 15), QPoint(101, 26)), true},
    {1, QRect(QPoint(89, 79), QPoint(99, 90)), true},
    {1, QRect(QPoint(171, 52), QPoint(180, 63)), true},
    {1, QRect(QPoint(37, 43), QPoint(46, 54)), true},
    {2, QRect(QPoint(118, 11), QPoint(127, 22)), true},
    {2, QRect(QPoint(169, 36), QPoint(179, 47)), true},
    {2, QRect(QPoint(73, 41), QPoint(82, 52)), true},
    {3, QRect(QPoint(138, 31), QPoint(148, 42)), false},
    {3, QRect(QPoint(162, 81), QPoint(171, 92)), false},
    {3, QRect(QPoint(96, 72), QPoint(105, 83)), true},
    {4, QRect(QPoint(138, 31), QPoint(148, 42)), false},
    {4, QRect(QPoint(107, 50), QPoint(116, 61)), true},
    {5, QRect(QPoint(139, 44), QPoint(149, 55)), false},
};

const Letter *letterAt(int shape, QPoint p) {
  for (const Letter &l : kLetters)
    if (l.shape == shape && l.box.contains(p)) return &l;
  return nullptr;
}

// The white pixels a 4-connected fill from the border reaches: what drops
// out as background once white is keyed out.
std::vector<bool> background(const QImage &image) {
  const int w = image.width();
  std::vector<bool> reached(static_cast<size_t>(w * image.height()), false);
  std::vector<QPoint> pending;
  for (int x = 0; x < w; ++x)
    pending.insert(pending.end(), {QPoint(x, 0), QPoint(x, image.height() - 1)});
  for (int y = 0; y < image.height(); ++y)
    pending.insert(pending.end(), {QPoint(0, y), QPoint(w - 1, y)});
  while (!pending.empty()) {
    const QPoint p = pending.back();
    pending.pop_back();
    if (!image.valid(p) || reached[static_cast<size_t>(p.y() * w + p.x())] ||
        image.pixel(p) != kWhite)
      continue;
    reached[static_cast<size_t>(p.y() * w + p.x())] = true;
    pending.insert(pending.end(),
                   {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
  }
  return reached;
}

bool isPure(QRgb c) { return c == kWhite || c == kCyan || c == kBlack; }

}  // namespace

class TestShapePictures : public QObject {
  Q_OBJECT

private slots:
  // Keying out white must remove the background and nothing else, and the
  // outline must keep the water from the background. Half-tones belong to
  // the letters alone: blends of black into cyan inside the tank, into white
  // outside, and never outside a glyph box. The drawing for high-resolution
  // screens is the same plan at twice the pixels, drawn at that resolution
  // rather than enlarged: some 2 x 2 block of it is not one colour.
  void clean_drawing_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("scale");
    for (int code = 0; code < vx::kTankShapeCount; ++code)
      for (const int scale : {1, 2}) QTest::addRow("shape %d at %dx", code, scale) << code << scale;
  }
  void clean_drawing() {
    QFETCH(int, shape);
    QFETCH(int, scale);
    const QImage picture = shapePicture(shape, scale);
    QCOMPARE(picture.size(), QSize(200, 100) * scale);
    QCOMPARE(picture.devicePixelRatio(), qreal(scale));
    QCOMPARE(picture.deviceIndependentSize(), QSizeF(200, 100));
    QVERIFY(!picture.hasAlphaChannel());
    // the key colour of the picture controls
    QCOMPARE(picture.pixel(0, picture.height() - 1), kWhite);
    const std::vector<bool> outside = background(picture);
    int mixedBlocks = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) {
        const QRgb c = picture.pixel(x, y);
        const Letter *letter = letterAt(shape, {x / scale, y / scale});
        const QByteArray where = QStringLiteral("%1,%2").arg(x).arg(y).toLatin1();
        if (c == kWhite && !outside[static_cast<size_t>(y * picture.width() + x)])
          QVERIFY2(letter && !letter->overWater,
                   "enclosed white: " + where);  // only a letter's counter
        if (c == kCyan)
          for (const QPoint n :
               {QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)})
            QVERIFY2(!picture.valid(n) || picture.pixel(n) != kWhite,
                     "water meets background: " + where);
        if (scale == 2 && x % 2 == 0 && y % 2 == 0)
          mixedBlocks += c != picture.pixel(x + 1, y) || c != picture.pixel(x, y + 1) ||
                         c != picture.pixel(x + 1, y + 1);
        if (isPure(c)) continue;
        QVERIFY2(letter, "half-tone outside the letters: " + where);
        QVERIFY2(letter->overWater ? qRed(c) == 0 && qGreen(c) == qBlue(c)
                                   : qRed(c) == qGreen(c) && qGreen(c) == qBlue(c),
                 "odd letter shade: " + where);
      }
    if (scale == 2) QVERIFY2(mixedBlocks > 20, qPrintable(QString::number(mixedBlocks)));
  }

  // Each letter inks its box from the top row to the bottom one, smoothed.
  void letter_fills_its_box() {
    for (const Letter &l : kLetters) {
      const QImage picture = shapePicture(l.shape);
      const auto inked = [&](int y) {
        int n = 0;
        for (int x = l.box.left(); x <= l.box.right(); ++x)
          n += picture.pixel(x, y) != picture.pixel(l.box.left() - 1, y);
        return n;
      };
      int shades = 0;
      for (int y = l.box.top(); y <= l.box.bottom(); ++y)
        for (int x = l.box.left(); x <= l.box.right(); ++x) shades += !isPure(picture.pixel(x, y));
      QVERIFY(inked(l.box.top()) > 0 && inked(l.box.bottom()) > 0);
      QVERIFY(shades > 0);
    }
  }

  void landmarks_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("rectangle: corners") << 0 << QPoint(6, 6) << kBlack;
    QTest::newRow("rectangle: far corner") << 0 << QPoint(191, 96) << kBlack;
    QTest::newRow("rectangle: just outside") << 0 << QPoint(5, 50) << kWhite;
    QTest::newRow("bevelled: bevel starts") << 1 << QPoint(190, 68) << kBlack;
    QTest::newRow("bevelled: front edge ends") << 1 << QPoint(34, 97) << kBlack;
    QTest::newRow("bevelled: corner cut away") << 1 << QPoint(10, 92) << kWhite;
    QTest::newRow("vision: back corner") << 2 << QPoint(5, 7) << kBlack;
    QTest::newRow("vision: deepest point of the arc") << 2 << QPoint(97, 91) << kBlack;
    QTest::newRow("vision: in front of the arc") << 2 << QPoint(97, 92) << kWhite;
    QTest::newRow("corner: rear corner") << 3 << QPoint(100, 9) << kBlack;
    QTest::newRow("corner: cut edge ends") << 3 << QPoint(153, 86) << kBlack;
    QTest::newRow("corner: front corner cut away") << 3 << QPoint(38, 84) << kWhite;
    QTest::newRow("corner vision: wall runs on straight") << 4 << QPoint(35, 76) << kBlack;
    QTest::newRow("corner vision: arc under the corner") << 4 << QPoint(100, 91) << kBlack;
    QTest::newRow("hexagon: top point") << 5 << QPoint(97, 8) << kBlack;
    QTest::newRow("hexagon: right side") << 5 << QPoint(133, 50) << kBlack;
    QTest::newRow("hexagon: water") << 5 << QPoint(97, 50) << kCyan;
  }
  // At twice the resolution each pixel of the plan covers 2 x 2 device pixels.
  void landmarks() {
    QFETCH(int, shape);
    QFETCH(QPoint, at);
    QFETCH(QRgb, colour);
    QCOMPARE(shapePicture(shape).pixel(at), colour);
    const QImage sharp = shapePicture(shape, 2);
    for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
      QCOMPARE(sharp.pixel(at * 2 + d), colour);
  }

  // 9-row heads whose points sit on the pixels next to the measured edges,
  // widening by one pixel a side every second row; at twice the resolution
  // the same in device pixels, the point and the shaft two device pixels wide.
  void arrow_heads_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("topEdge");
    QTest::addColumn<int>("bottomEdge");
    QTest::addColumn<int>("scale");
    for (const int scale : {1, 2}) {
      QTest::addRow("bevelled depth at %dx", scale) << 1 << 49 << 7 << 97 << scale;
      QTest::addRow("vision depth at %dx", scale) << 2 << 88 << 7 << 91 << scale;
      QTest::addRow("corner vision depth at %dx", scale) << 4 << 100 << 9 << 91 << scale;
    }
  }
  void arrow_heads() {
    QFETCH(int, shape);
    QFETCH(int, x);
    QFETCH(int, topEdge);
    QFETCH(int, bottomEdge);
    QFETCH(int, scale);
    const QImage picture = shapePicture(shape, scale);
    const int left = scale * x, right = left + scale - 1, rows = 9 * scale;
    for (const auto &[tip, down] :
         {std::pair{scale * (topEdge + 1), 1}, std::pair{scale * bottomEdge - 1, -1}}) {
      for (int row = 0; row < rows; ++row) {
        const int y = tip + row * down;
        QCOMPARE(picture.pixel(left - row / 2, y), kBlack);
        QCOMPARE(picture.pixel(right + row / 2, y), kBlack);
      }
      // Beside the base; higher up a wall meeting at the corner may be there.
      const int base = tip + (rows - 1) * down, half = (rows - 1) / 2;
      for (int dx = left - half; dx <= right + half; ++dx)
        QCOMPARE(picture.pixel(dx, base), kBlack);
      QVERIFY(picture.pixel(left - half - 1, base) != kBlack &&
              picture.pixel(right + half + 1, base) != kBlack);
      // Only the shaft goes on.
      QVERIFY(picture.pixel(left - 1, base + down) != kBlack);
      QCOMPARE(picture.pixel(right, base + down), kBlack);
    }
  }

  // Over a colour, the margin and the background keep that colour and the
  // drawing comes out unchanged, through draw() and through the QBitmap mask;
  // on a device of pixel ratio 2 the sharp drawing, over the same 202 x 102.
  void image_list_draws_through_its_mask_data() { clean_drawing_data(); }
  void image_list_draws_through_its_mask() {
    QFETCH(int, shape);
    QFETCH(int, scale);
    const ImageList list;
    QCOMPARE(list.count(), vx::kTankShapeCount);
    QCOMPARE(list.cellSize(), QSize(202, 102));
    const QImage cell = list.cell(shape);
    QCOMPARE(cell.copy(1, 1, 200, 100), shapePicture(shape));
    constexpr QRgb kUnder = 0xffc0ff10;
    const QPoint at(3, 2);
    QImage viaDraw(QSize(208, 106) * scale, QImage::Format_RGB32);
    viaDraw.setDevicePixelRatio(scale);
    viaDraw.fill(kUnder);
    QImage viaMask = viaDraw;
    {
      QPainter painter(&viaDraw);
      list.draw(painter, at, shape);
    }
    QPixmap masked = QPixmap::fromImage(cell);
    masked.setMask(list.mask(shape));
    if (scale == 1) QPainter(&viaMask).drawPixmap(at, masked);
    const QImage picture = shapePicture(shape, scale);
    for (int y = 0; y < viaDraw.height(); ++y)
      for (int x = 0; x < viaDraw.width(); ++x) {
        const QPoint p = QPoint(x, y) - (at + QPoint(1, 1)) * scale;
        const bool clear = !picture.rect().contains(p) || picture.pixel(p) == kWhite;
        QCOMPARE(viaDraw.pixel(x, y), clear ? kUnder : picture.pixel(p));
        if (scale == 1) QCOMPARE(viaMask.pixel(x, y), clear ? kUnder : picture.pixel(p));
      }
  }

  // The program's icon makes its pictures when asked; what it gives is what
  // a QIcon holding the same pictures gives, at every size and mode.
  void icon_matches_one_of_added_pixmaps_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QIcon::Mode>("mode");
    const QList<QSize> sizes = {{16, 16},   {20, 20}, {32, 32}, {40, 40}, {100, 100}, {256, 256},
                                {300, 300}, {16, 32}, {20, 40}, {24, 16}, {48, 20}};
    for (const QSize &size : sizes)
      for (const qreal ratio : {1.0, 1.5, 2.0})
        for (const auto &[name, mode] :
             {std::pair{"normal", QIcon::Normal}, std::pair{"active", QIcon::Active},
              std::pair{"disabled", QIcon::Disabled}, std::pair{"selected", QIcon::Selected}})
          QTest::addRow("%dx%d at %.1f, %s", size.width(), size.height(), ratio, name)
              << size << ratio << mode;
  }
  void icon_matches_one_of_added_pixmaps() {
    QFETCH(QSize, size);
    QFETCH(qreal, ratio);
    QFETCH(QIcon::Mode, mode);
    QIcon added;  // largest first, as the engine lists its sizes
    for (auto side = kThemeIconSizes.rbegin(); side != kThemeIconSizes.rend(); ++side)
      added.addPixmap(QPixmap::fromImage(loadArtwork(iconArtworkPath(*side))));
    const QIcon icon = windowIcon();
    for (const QIcon::State state : {QIcon::Off, QIcon::On})
      QCOMPARE(icon.availableSizes(mode, state), added.availableSizes(mode, state));
    QCOMPARE(icon.actualSize(size, mode), added.actualSize(size, mode));
    const QPixmap ours = icon.pixmap(size, ratio, mode);
    const QPixmap theirs = added.pixmap(size, ratio, mode);
    QCOMPARE(ours.devicePixelRatio(), theirs.devicePixelRatio());
    QCOMPARE(ours.toImage().convertToFormat(QImage::Format_ARGB32),
             theirs.toImage().convertToFormat(QImage::Format_ARGB32));
  }

  // The desktop's icon sizes: whole-factor enlargements above 32 keep every
  // pixel of the 32 x 32 icon as a block; 48 keeps its colours, bands and
  // letters; the reductions keep its bands.
  void theme_icons_data() {
    QTest::addColumn<int>("size");
    for (const int size : kThemeIconSizes) QTest::addRow("%d px", size) << size;
  }
  void theme_icons() {
    QFETCH(int, size);
    const QIcon icon = windowIcon();
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    // Straight ARGB32 is what the X server takes a window's icon in: Qt
    // hands such a picture over without converting it at every start. The
    // 16-colour 32 x 32 picture is small enough to convert.
    const QImage asItIs = icon.pixmap(QSize(size, size)).toImage();
    if (size != 32) QCOMPARE(asItIs.format(), QImage::Format_ARGB32);
    const QImage image = asItIs.convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(size, size));
    const QImage base = windowIconImage();
    const QRgb darkGreen = qRgb(0, 128, 0), brightGreen = qRgb(0, 255, 0), red = qRgb(255, 0, 0);
    if (size % 32 == 0) {
      const int factor = size / 32;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
          QCOMPARE(image.pixel(x, y), base.pixel(x / factor, y / factor));
    } else if (size > 32) {
      QSet<QRgb> colours;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) colours.insert(image.pixel(x, y) | 0xff000000u);
      QCOMPARE(colours, (QSet<QRgb>{darkGreen, brightGreen, red}));
    }
    QCOMPARE(image.pixel(size / 2, 0) | 0xff000000u, darkGreen);
    QCOMPARE(image.pixel(size / 2, size - 1) | 0xff000000u, darkGreen);
  }
};

QTEST_MAIN(TestShapePictures)
#include "tst_shape_pictures.moc"
