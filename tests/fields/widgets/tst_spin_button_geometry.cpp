// The spin button's pixel rules without a widget: its place in the field,
// which half a pixel belongs to, where the arrows go, and the three faces.
#include <QtTest>

#include "fields/widgets/spin/spin_face.h"
#include "fields/widgets/spin/spin_geometry.h"
#include "fields/widgets/spin/spin_glyphs.h"

using vx::SpinHalf;

Q_DECLARE_METATYPE(SpinHalf)

class TestSpinButtonGeometry : public QObject {
  Q_OBJECT

private slots:
  void button_rect_data() {
    QTest::addColumn<QSize>("field");
    QTest::addColumn<QRect>("button");
    QTest::newRow("wide field 185 x 21") << QSize(185, 21) << QRect(165, 1, 18, 18);
    QTest::newRow("narrow field 81 x 21") << QSize(81, 21) << QRect(61, 1, 18, 18);
    QTest::newRow("taller field") << QSize(100, 30) << QRect(71, 1, 27, 27);
    QTest::newRow("too low for a button") << QSize(50, 2) << QRect(49, 1, 0, 0);
  }
  void button_rect() {
    QFETCH(QSize, field);
    QFETCH(QRect, button);
    QCOMPARE(vx::spinButtonRect(field), button);
    QCOMPARE(vx::spinTextEnd(field), button.left() - 2);
  }

  // An 18 x 18 button: the diagonal is y = 18 - x, and a pixel on it is
  // upper.
  void halves_data() {
    QTest::addColumn<QSize>("button");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<SpinHalf>("half");
    const QSize b(18, 18);
    QTest::newRow("top-left corner") << b << QPoint(0, 0) << SpinHalf::Up;
    QTest::newRow("bottom-right corner") << b << QPoint(17, 17) << SpinHalf::Down;
    QTest::newRow("bottom-left corner") << b << QPoint(0, 17) << SpinHalf::Up;
    QTest::newRow("on the line, bottom row") << b << QPoint(1, 17) << SpinHalf::Up;
    QTest::newRow("below the line, bottom row") << b << QPoint(2, 17) << SpinHalf::Down;
    QTest::newRow("on the line, right column") << b << QPoint(17, 1) << SpinHalf::Up;
    QTest::newRow("below the line, right column") << b << QPoint(17, 2) << SpinHalf::Down;
    QTest::newRow("on the line, middle") << b << QPoint(9, 9) << SpinHalf::Up;
    QTest::newRow("right of the middle") << b << QPoint(10, 9) << SpinHalf::Down;
    QTest::newRow("below the middle") << b << QPoint(9, 10) << SpinHalf::Down;
    QTest::newRow("left of the middle") << b << QPoint(8, 9) << SpinHalf::Up;
    QTest::newRow("right of the button") << b << QPoint(18, 5) << SpinHalf::None;
    QTest::newRow("above the button") << b << QPoint(5, -1) << SpinHalf::None;
    QTest::newRow("wide button, on the line") << QSize(20, 10) << QPoint(10, 5) << SpinHalf::Up;
    QTest::newRow("wide button, below it") << QSize(20, 10) << QPoint(11, 5) << SpinHalf::Down;
  }
  void halves() {
    QFETCH(QSize, button);
    QFETCH(QPoint, pixel);
    QFETCH(SpinHalf, half);
    QCOMPARE(vx::spinHalfAt(pixel, button), half);
  }

  // The quarter points less half a 6-pixel arrow, rounded, then moved.
  void glyph_positions_data() {
    QTest::addColumn<int>("side");
    QTest::addColumn<QPoint>("up");
    QTest::addColumn<QPoint>("upPressed");
    QTest::addColumn<QPoint>("down");
    QTest::newRow("18: 1.5 and 10.5 round to even")
        << 18 << QPoint(3, 3) << QPoint(4, 4) << QPoint(9, 9);
    QTest::newRow("14: 0.5 and 7.5 round to even")
        << 14 << QPoint(1, 1) << QPoint(2, 2) << QPoint(7, 7);
    QTest::newRow("17: no ties") << 17 << QPoint(2, 2) << QPoint(3, 3) << QPoint(9, 9);
  }
  void glyph_positions() {
    QFETCH(int, side);
    QFETCH(QPoint, up);
    QFETCH(QPoint, upPressed);
    QFETCH(QPoint, down);
    const QSize button(side, side);
    const QSize glyph(6, 6);
    QCOMPARE(vx::upGlyphTopLeft(button, glyph, false), up);
    QCOMPARE(vx::upGlyphTopLeft(button, glyph, true), upPressed);
    QCOMPARE(vx::downGlyphTopLeft(button, glyph), down);
  }

  // Key pixels of the 18 x 18 faces, each colour role told apart:
  // F face, K frame, H highlight, S shadow, G glyph.
  void face_pixels_data() {
    QTest::addColumn<SpinHalf>("pressed");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QChar>("role");
    const auto row = [](const char *name, SpinHalf pressed, QPoint p, char role) {
      QTest::newRow(name) << pressed << p << QChar::fromLatin1(role);
    };
    const SpinHalf none = SpinHalf::None;
    row("outline top-left", none, {0, 0}, 'K');
    row("outline bottom-right", none, {17, 17}, 'K');
    row("diagonal middle", none, {8, 9}, 'K');
    row("diagonal just inside its ends", none, {1, 16}, 'K');
    row("upper top edge", none, {5, 1}, 'H');
    row("upper left edge", none, {1, 5}, 'H');
    row("upper along the diagonal", none, {8, 8}, 'S');
    row("upper top-right tip", none, {15, 1}, 'S');
    row("lower along the diagonal", none, {10, 8}, 'H');
    row("lower right edge", none, {16, 9}, 'S');
    row("lower bottom edge", none, {9, 16}, 'S');
    row("face", none, {3, 12}, 'F');
    row("up arrow tip", none, {5, 3}, 'G');
    row("up arrow white is transparent", none, {3, 3}, 'F');
    row("up arrow widest row", none, {3, 5}, 'G');
    row("down arrow widest row", none, {9, 12}, 'G');
    row("down arrow tip", none, {11, 14}, 'G');
    row("upper pressed: top edge", SpinHalf::Up, {5, 1}, 'S');
    row("upper pressed: along the diagonal", SpinHalf::Up, {8, 8}, 'H');
    row("upper pressed: lower half unchanged", SpinHalf::Up, {16, 9}, 'S');
    row("upper pressed: arrow tip moved", SpinHalf::Up, {6, 4}, 'G');
    row("upper pressed: old tip is face", SpinHalf::Up, {5, 3}, 'F');
    row("upper pressed: down arrow stays", SpinHalf::Up, {9, 12}, 'G');
    row("lower pressed: along the diagonal", SpinHalf::Down, {10, 8}, 'S');
    row("lower pressed: right edge", SpinHalf::Down, {16, 9}, 'H');
    row("lower pressed: upper half unchanged", SpinHalf::Down, {5, 1}, 'H');
    row("lower pressed: down arrow stays", SpinHalf::Down, {9, 12}, 'G');
    row("lower pressed: up arrow stays", SpinHalf::Down, {5, 3}, 'G');
  }
  void face_pixels() {
    QFETCH(SpinHalf, pressed);
    QFETCH(QPoint, pixel);
    QFETCH(QChar, role);
    const vx::SpinFaceColours colours{QColor(192, 192, 192), QColor(Qt::black), QColor(Qt::white),
                                      QColor(128, 128, 128), QColor(Qt::blue)};
    const QHash<QChar, QColor> byRole = {{u'F', colours.face},
                                         {u'K', colours.frame},
                                         {u'H', colours.highlight},
                                         {u'S', colours.shadow},
                                         {u'G', colours.glyph}};
    const QImage face =
        vx::paintSpinFace(18, pressed, {vx::spinUpGlyph(), vx::spinDownGlyph()}, colours);
    QCOMPARE(face.size(), QSize(18, 18));
    QCOMPARE(QColor(face.pixel(pixel)), byRole.value(role));
  }

  // The buttons of one look share one set of faces: each the very face
  // painted for that look, and a new look gets faces of its own.
  void shared_faces_are_the_painted_ones_data() { face_at_ratio_data(); }
  void shared_faces_are_the_painted_ones() {
    QFETCH(qreal, ratio);
    const vx::SpinFaceColours light{QColor(192, 192, 192), QColor(Qt::black), QColor(Qt::white),
                                    QColor(128, 128, 128), QColor(Qt::blue)};
    const vx::SpinFaceColours dark{QColor(53, 53, 53), QColor(Qt::white), QColor(90, 90, 90),
                                   QColor(20, 20, 20), QColor(Qt::white)};
    for (const auto &colours : {light, dark})
      for (const SpinHalf pressed : {SpinHalf::None, SpinHalf::Up, SpinHalf::Down}) {
        const QImage shared = vx::sharedSpinFace(18, pressed, colours, ratio);
        const QImage painted = vx::paintSpinFace(
            18, pressed, {vx::spinUpGlyph(), vx::spinDownGlyph()}, colours, ratio);
        QCOMPARE(shared, painted);
        QCOMPARE(shared.devicePixelRatio(), painted.devicePixelRatio());
        QCOMPARE(vx::sharedSpinFace(18, pressed, colours, ratio).cacheKey(), shared.cacheKey());
      }
    QVERIFY(vx::sharedSpinFace(18, SpinHalf::None, light, ratio) !=
            vx::sharedSpinFace(18, SpinHalf::None, dark, ratio));
    QVERIFY(vx::sharedSpinFace(18, SpinHalf::None, light, ratio).size() !=
            vx::sharedSpinFace(20, SpinHalf::None, light, ratio).size());
  }

  // At a device pixel ratio the face has that many device pixels per pixel,
  // its lines one device pixel thin, and its arrows enlarged by the whole
  // part of the ratio only: every arrow pixel an even block, also at 1.5.
  void face_at_ratio_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("factor");
    QTest::newRow("1") << 1.0 << 18 << 1;
    QTest::newRow("1.25") << 1.25 << 23 << 1;
    QTest::newRow("1.5") << 1.5 << 27 << 1;
    QTest::newRow("2") << 2.0 << 36 << 2;
    QTest::newRow("2 from arithmetic") << 1.9999999 << 36 << 2;
    QTest::newRow("3") << 3.0 << 54 << 3;
  }
  void face_at_ratio() {
    QFETCH(qreal, ratio);
    QFETCH(int, side);
    QFETCH(int, factor);
    const vx::SpinFaceColours colours{QColor(192, 192, 192), QColor(Qt::black), QColor(Qt::white),
                                      QColor(128, 128, 128), QColor(Qt::blue)};
    for (const SpinHalf pressed : {SpinHalf::None, SpinHalf::Up, SpinHalf::Down}) {
      const QImage face =
          vx::paintSpinFace(18, pressed, {vx::spinUpGlyph(), vx::spinDownGlyph()}, colours, ratio);
      QCOMPARE(face.size(), QSize(side, side));
      QCOMPARE(face.devicePixelRatio(), ratio);
      QCOMPARE(vx::spinGlyphFactor(ratio), factor);
      const QRgb frame = colours.frame.rgb(), glyph = colours.glyph.rgb();
      // The outline and the diagonal: one device pixel, then the bevel.
      const int mid = side / 2;
      QCOMPARE(face.pixel(0, mid), frame);
      QVERIFY(face.pixel(1, mid) != frame);
      QCOMPARE(face.pixel(side - 1, mid), frame);
      QVERIFY(face.pixel(side - 2, mid) != frame);
      QCOMPARE(face.pixel(mid, side - 1 - mid), frame);
      QVERIFY(face.pixel(mid, side - 2 - mid) != frame);
      QVERIFY(face.pixel(mid, side - mid) != frame);
      // Two arrows of 18 pixels each, every pixel of them factor x factor
      // device pixels.
      int ink = 0;
      QRect inked;
      for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
          if (face.pixel(x, y) == glyph) {
            ++ink;
            inked |= QRect(x, y, 1, 1);
          }
      QCOMPARE(ink, 2 * 18 * factor * factor);
      QVERIFY(inked.width() > 6 * factor && inked.height() > 6 * factor);
    }
  }
};

QTEST_GUILESS_MAIN(TestSpinButtonGeometry)
#include "tst_spin_button_geometry.moc"
