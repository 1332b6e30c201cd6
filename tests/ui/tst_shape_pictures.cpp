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
  void shapes_data() {
    QTest::addColumn<int>("shape");
    for (int code = 0; code < vx::kTankShapeCount; ++code) QTest::addRow("shape %d", code) << code;
  }

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

  // 9 x 9 heads whose points sit on the pixels next to the measured edges.
  void arrow_heads_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("topEdge");
    QTest::addColumn<int>("bottomEdge");
    QTest::newRow("bevelled depth") << 1 << 49 << 7 << 97;
    QTest::newRow("vision depth") << 2 << 88 << 7 << 91;
    QTest::newRow("corner vision depth") << 4 << 100 << 9 << 91;
  }
  void arrow_heads() {
    QFETCH(int, shape);
    QFETCH(int, x);
    QFETCH(int, topEdge);
    QFETCH(int, bottomEdge);
    const QImage picture = shapePicture(shape);
    for (const auto &[tip, down] : {std::pair{topEdge + 1, 1}, std::pair{bottomEdge - 1, -1}}) {
      QCOMPARE(picture.pixel(x, tip), kBlack);
      const int base = tip + 8 * down;
      for (int dx = -4; dx <= 4; ++dx) QCOMPARE(picture.pixel(x + dx, base), kBlack);
      QVERIFY(picture.pixel(x - 5, base) != kBlack && picture.pixel(x + 5, base) != kBlack);
      QVERIFY(picture.pixel(x - 1, base + down) != kBlack);  // only the shaft goes on
    }
  }

  // Over a colour, the margin and the background keep that colour and the
  // drawing comes out unchanged, through draw() and through the QBitmap mask.
  void image_list_draws_through_its_mask_data() { shapes_data(); }
  void image_list_draws_through_its_mask() {
    QFETCH(int, shape);
    const ImageList list;
    QCOMPARE(list.count(), vx::kTankShapeCount);
    QCOMPARE(list.cellSize(), QSize(202, 102));
    const QImage cell = list.cell(shape);
    QCOMPARE(cell.copy(1, 1, 200, 100), shapePicture(shape));
    constexpr QRgb kUnder = 0xffc0ff10;
    const QPoint at(3, 2);
    QImage viaDraw(208, 106, QImage::Format_RGB32);
    viaDraw.fill(kUnder);
    QImage viaMask = viaDraw;
    {
      QPainter painter(&viaDraw);
      list.draw(painter, at, shape);
    }
    QPixmap masked = QPixmap::fromImage(cell);
    masked.setMask(list.mask(shape));
    QPainter(&viaMask).drawPixmap(at, masked);
    for (int y = 0; y < viaDraw.height(); ++y)
      for (int x = 0; x < viaDraw.width(); ++x) {
        const QPoint p = QPoint(x, y) - at;
        const bool clear = !QRect(1, 1, 200, 100).contains(p) || cell.pixel(p) == kWhite;
        QCOMPARE(viaDraw.pixel(x, y), clear ? kUnder : cell.pixel(p));
        QCOMPARE(viaMask.pixel(x, y), clear ? kUnder : cell.pixel(p));
      }
  }

  // What the program shows is the checked-in PNG, pixel for pixel and in
  // the format its decoder gives, though it is compiled in rather than
  // decoded; every file of the list, and nothing that is not in it.
  void compiled_in_artwork_matches_its_png_data() {
    QTest::addColumn<QString>("path");
    QFile list(QStringLiteral(VEMBRIX_PICTURES_DIR "/artwork.list"));
    QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
    for (const QByteArray &line : list.readAll().split('\n'))
      if (!line.isEmpty()) QTest::newRow(line.constData()) << QString::fromUtf8(line);
  }
  void compiled_in_artwork_matches_its_png() {
    QFETCH(QString, path);
    const QImage decoded(QStringLiteral(VEMBRIX_PICTURES_DIR "/") + path);
    QVERIFY(!decoded.isNull());
    const QImage compiled = loadArtwork(path);
    QCOMPARE(compiled.format(), decoded.format());
    QCOMPARE(compiled.size(), decoded.size());
    const QImage a = decoded.convertToFormat(QImage::Format_ARGB32);
    const QImage b = compiled.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y)
      QVERIFY2(std::memcmp(a.constScanLine(y), b.constScanLine(y), a.width() * 4u) == 0,
               qPrintable(QStringLiteral("line %1").arg(y)));
  }
  // Bytes that do not make the picture they claim to be give no picture,
  // not a picture read past its end.
  void damaged_artwork_is_null_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("damage");
    for (const char *path : {"artwork/shape_0.png", "artwork/shape_0@2x.png", "vembrix.png"})
      for (const char *damage : {"none", "one byte short", "garbage", "no width"})
        QTest::addRow("%s, %s", path, damage) << QString::fromLatin1(path) << damage;
  }
  void damaged_artwork_is_null() {
    QFETCH(QString, path);
    QFETCH(QString, damage);
    const auto all = embeddedArtwork();
    const auto found = std::find_if(all.begin(), all.end(), [&](const EmbeddedArtwork &art) {
      return path == QLatin1String(art.path);
    });
    QVERIFY(found != all.end());
    EmbeddedArtwork art = *found;
    const QByteArray garbage(art.byteCount, '\x5a');
    if (damage == "one byte short") art.byteCount -= 1;
    if (damage == "garbage")
      art.pixels = reinterpret_cast<const unsigned char *>(garbage.constData());
    if (damage == "no width") art.width = 0;
    const QImage image = decodeArtwork(art);
    if (damage == "none")
      QCOMPARE(image, loadArtwork(path));
    else if (damage == "garbage" && !art.deflated)
      QVERIFY(!image.isNull());  // plain bytes are any picture of that size
    else
      QVERIFY(image.isNull());
  }

  void unknown_artwork_is_null() {
    QVERIFY(loadArtwork(QStringLiteral("artwork/shape_9.png")).isNull());
    QVERIFY(loadArtwork(QString()).isNull());
  }

  void icon() {
    const QImage icon = windowIconImage();
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(icon.format(), QImage::Format_Indexed8);
    QCOMPARE(icon.colorTable(), standardPalette16());
    QVERIFY(!windowIcon().isNull());
    QRect shortWord, longWord;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const QRgb c = icon.pixel(x, y);
        const bool bright = y >= 6 && y <= 25;
        if (c == qRgb(255, 0, 0)) {
          QVERIFY2((y >= 8 && y <= 15) || (y >= 17 && y <= 24), qPrintable(QString::number(y)));
          (y <= 15 ? shortWord : longWord) |= QRect(x, y, 1, 1);
        } else {
          QCOMPARE(c, bright ? qRgb(0, 255, 0) : qRgb(0, 128, 0));
        }
      }
    QCOMPARE(shortWord.left(), 6);
    QCOMPARE(longWord.left(), 1);
    QCOMPARE(shortWord.height(), 8);
    QCOMPARE(longWord.height(), 8);
    QVERIFY(shortWord.width() < longWord.width());
  }

  // Heads of 18 device rows whose points, two device pixels wide, touch the
  // edges, widening by one device pixel a side every second row.
  void sharp_arrow_heads_data() { arrow_heads_data(); }
  void sharp_arrow_heads() {
    QFETCH(int, shape);
    QFETCH(int, x);
    QFETCH(int, topEdge);
    QFETCH(int, bottomEdge);
    const QImage picture = shapePicture(shape, 2);
    const int left = 2 * x;
    for (const auto &[tip, down] :
         {std::pair{2 * topEdge + 2, 1}, std::pair{2 * bottomEdge - 1, -1}}) {
      for (int row = 0; row < 18; ++row) {
        const int y = tip + row * down;
        const int half = row / 2;
        QCOMPARE(picture.pixel(left - half, y), kBlack);
        QCOMPARE(picture.pixel(left + 1 + half, y), kBlack);
      }
      // Beside the base; higher up a wall meeting at the corner may be there.
      const int base = tip + 17 * down;
      QVERIFY(picture.pixel(left - 9, base) != kBlack && picture.pixel(left + 10, base) != kBlack);
      QVERIFY(picture.pixel(left - 1, tip + 18 * down) != kBlack);  // only the shaft goes on
      QCOMPARE(picture.pixel(left + 1, tip + 18 * down), kBlack);
    }
  }

  // On a device of pixel ratio 2 the list draws the sharp cell through its
  // mask, covering the same 202 x 102 as the ordinary cell.
  void image_list_draws_sharp_cells_data() { shapes_data(); }
  void image_list_draws_sharp_cells() {
    QFETCH(int, shape);
    const ImageList list;
    constexpr QRgb kUnder = 0xffc0ff10;
    QImage device(404, 204, QImage::Format_RGB32);
    device.setDevicePixelRatio(2);
    device.fill(kUnder);
    {
      QPainter painter(&device);
      list.draw(painter, QPoint(0, 0), shape);
    }
    const QImage picture = shapePicture(shape, 2);
    for (int y = 0; y < device.height(); ++y)
      for (int x = 0; x < device.width(); ++x) {
        const QPoint p(x - 2, y - 2);
        const bool clear = !picture.rect().contains(p) || picture.pixel(p) == kWhite;
        QCOMPARE(device.pixel(x, y), clear ? kUnder : picture.pixel(p));
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
