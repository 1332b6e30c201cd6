// The picture control as the windows use it: sizing, placement, the keyed-out
// background colour and the click.
#include <QtTest>

#include <QSignalSpy>

#include "core/tank_shapes.h"
#include "ui/artwork/image_list.h"
#include "ui/controls/picture_control.h"
#include "ui/artwork/shape_pictures.h"

namespace {

// The classic face colour; anything that is neither white nor black will do.
const QColor kFace(212, 208, 200);
constexpr QRgb kMarker = 0xff2040e0;

// A parent painted in the face colour, holding one control at (8, 16) as the
// windows place theirs.
struct Stage {
  QWidget face;
  PictureControl *control;

  Stage() : control(new PictureControl(&face)) {
    QPalette palette = face.palette();
    palette.setColor(QPalette::Window, kFace);
    face.setPalette(palette);
    face.setAutoFillBackground(true);
    face.resize(240, 140);
    control->setGeometry(8, 16, 200, 100);
    face.show();
  }

  QImage shot() { return face.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

QImage solid(QSize size, QRgb colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// Where kMarker pixels ended up, relative to the control.
QRect markerBounds(const QImage &shot, QPoint controlPos) {
  QRect bounds;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x)
      if (shot.pixel(x, y) == kMarker) bounds |= QRect(x, y, 1, 1);
  return bounds.translated(-controlPos);
}

void configureAsTheWindowsDo(PictureControl &control) {
  control.setAutoSize(true);
  control.setCenter(true);
  control.setProportional(true);
  control.setTransparent(true);
}

}  // namespace

class TestPictureControl : public QObject {
  Q_OBJECT

private slots:
  void auto_size_data() {
    QTest::addColumn<bool>("autoSize");
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("grows to a larger picture") << true << QSize(202, 102) << QSize(202, 102);
    QTest::newRow("shrinks to a smaller picture") << true << QSize(40, 30) << QSize(40, 30);
    QTest::newRow("off: keeps its size") << false << QSize(202, 102) << QSize(200, 100);
  }
  void auto_size() {
    QFETCH(bool, autoSize);
    QFETCH(QSize, pictureSize);
    QFETCH(QSize, expected);
    Stage stage;
    stage.control->setAutoSize(autoSize);
    stage.control->setPicture(solid(pictureSize, kMarker));
    QCOMPARE(stage.control->geometry(), QRect(QPoint(8, 16), expected));
  }

  void placement_data() {
    QTest::addColumn<bool>("center");
    QTest::addColumn<bool>("proportional");
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<QRect>("expected");  // within the 200 x 100 control
    QTest::newRow("smaller, top-left") << false << false << QSize(50, 20) << QRect(0, 0, 50, 20);
    QTest::newRow("smaller, centred") << true << false << QSize(50, 20) << QRect(75, 40, 50, 20);
    QTest::newRow("smaller is never scaled up")
        << true << true << QSize(50, 20) << QRect(75, 40, 50, 20);
    QTest::newRow("larger, scaled down keeping its shape")
        << false << true << QSize(400, 100) << QRect(0, 0, 200, 50);
    QTest::newRow("larger, scaled down and centred")
        << true << true << QSize(400, 100) << QRect(0, 25, 200, 50);
    QTest::newRow("taller, scaled down and centred")
        << true << true << QSize(100, 400) << QRect(87, 0, 25, 100);
    QTest::newRow("larger without proportional is cut off")
        << false << false << QSize(400, 300) << QRect(0, 0, 200, 100);
  }
  void placement() {
    QFETCH(bool, center);
    QFETCH(bool, proportional);
    QFETCH(QSize, pictureSize);
    QFETCH(QRect, expected);
    Stage stage;
    stage.control->setCenter(center);
    stage.control->setProportional(proportional);
    stage.control->setPicture(solid(pictureSize, kMarker));
    QCOMPARE(markerBounds(stage.shot(), stage.control->pos()), expected);
  }

  // On the face colour a shape shows no white at all, and its outline stays
  // black: the face shows wherever the picture was white.
  void shapes_show_the_face_instead_of_white_data() {
    QTest::addColumn<int>("shape");
    for (int code = 0; code < vx::kTankShapeCount; ++code) QTest::addRow("shape %d", code) << code;
  }
  void shapes_show_the_face_instead_of_white() {
    QFETCH(int, shape);
    Stage stage;
    configureAsTheWindowsDo(*stage.control);
    const QImage picture = shapePicture(shape);
    stage.control->setPicture(picture);
    const QImage shot = stage.shot();
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) {
        const QRgb expected =
            picture.pixel(x, y) == qRgb(255, 255, 255) ? kFace.rgb() : picture.pixel(x, y);
        QCOMPARE(shot.pixel(x + 8, y + 16), expected);
      }
  }

  // A sharper picture is made only for a device of more than one pixel per
  // pixel, once, and shown there in the place and size of the picture.
  void sharper_picture_on_sharp_devices_only_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("sharp");
    QTest::newRow("ratio 1") << 1.0 << false;
    QTest::newRow("ratio 1.5") << 1.5 << true;
    QTest::newRow("ratio 2") << 2.0 << true;
  }
  void sharper_picture_on_sharp_devices_only() {
    QFETCH(qreal, ratio);
    QFETCH(bool, sharp);
    Stage stage;
    configureAsTheWindowsDo(*stage.control);
    constexpr QRgb kPlain = 0xff808080;
    int made = 0;
    QImage picture = solid({200, 100}, kPlain);
    picture.setPixel(0, 99, qRgb(255, 255, 255));  // the key
    stage.control->setPicture(picture, [&made] {
      ++made;
      QImage sharper = solid({400, 200}, kMarker);
      sharper.setDevicePixelRatio(2);
      return sharper;
    });
    QCOMPARE(stage.control->size(), QSize(200, 100));
    for (int round = 0; round < 2; ++round) {
      QImage device((stage.face.size() * ratio), QImage::Format_RGB32);
      device.setDevicePixelRatio(ratio);
      stage.face.render(&device);
      const QRect shown = markerBounds(device, QPoint(0, 0));
      if (sharp) {
        const QRect expected(QPoint(qRound(8 * ratio), qRound(16 * ratio)),
                             QSize(200, 100) * ratio);
        QVERIFY2(qAbs(shown.left() - expected.left()) <= 1 &&
                     qAbs(shown.right() - expected.right()) <= 1 &&
                     qAbs(shown.top() - expected.top()) <= 1 &&
                     qAbs(shown.bottom() - expected.bottom()) <= 1,
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(shown.x())
                                .arg(shown.y())
                                .arg(shown.width())
                                .arg(shown.height())));
      } else {
        QVERIFY(shown.isEmpty());
        QCOMPARE(device.pixel(8 + 100, 16 + 50), kPlain);
      }
    }
    QCOMPARE(made, sharp ? 1 : 0);
    stage.control->setPicture(picture);  // a new picture drops the old sharper one
    QVERIFY(stage.control->sharperPicture().isNull());
  }

  // The key is the bottom-left pixel's colour, not white as such.
  void key_is_the_bottom_left_colour_data() {
    QTest::addColumn<bool>("transparent");
    QTest::newRow("transparent") << true;
    QTest::newRow("opaque") << false;
  }
  void key_is_the_bottom_left_colour() {
    QFETCH(bool, transparent);
    Stage stage;
    stage.control->setTransparent(transparent);
    QImage picture = solid({200, 100}, qRgb(255, 255, 255));
    picture.setPixel(0, 99, kMarker);
    picture.setPixel(150, 20, kMarker);
    stage.control->setPicture(picture);
    const QImage shot = stage.shot();
    QCOMPARE(shot.pixel(8 + 150, 16 + 20), transparent ? kFace.rgb() : kMarker);
    QCOMPARE(shot.pixel(8 + 0, 16 + 99), transparent ? kFace.rgb() : kMarker);
    QCOMPARE(shot.pixel(8 + 100, 16 + 50), qRgb(255, 255, 255));
  }

  // What a pick puts into the main window's picture: the cell on a white
  // 202 x 102 bitmap. The control grows and the same drawing stands one pixel
  // right of and one pixel below where the start-up picture stood.
  void picked_cell_shifts_the_drawing_by_one_pixel() {
    Stage before;
    configureAsTheWindowsDo(*before.control);
    before.control->setPicture(shapePicture(0));
    const QImage startUp = before.shot();

    Stage after;
    configureAsTheWindowsDo(*after.control);
    after.control->setPicture(shapePicture(0));
    const ImageList list;
    after.control->clearPicture();
    after.control->setPicture(list.onWhite(0));
    QCOMPARE(after.control->geometry(), QRect(8, 16, 202, 102));
    const QImage picked = after.shot();
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x)
        QCOMPARE(picked.pixel(9 + x, 17 + y), startUp.pixel(8 + x, 16 + y));
    for (int x = 0; x < 202; ++x) QCOMPARE(picked.pixel(8 + x, 16), kFace.rgb());  // the margin
  }

  void clicks_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("clicks");
    QTest::newRow("left") << Qt::LeftButton << 1;
    QTest::newRow("right") << Qt::RightButton << 0;
    QTest::newRow("middle") << Qt::MiddleButton << 0;
  }
  void clicks() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, clicks);
    Stage stage;
    QSignalSpy spy(stage.control, &PictureControl::clicked);
    QTest::mouseClick(stage.control, button, {}, QPoint(50, 50));
    QCOMPARE(spy.count(), clicks);
    if (clicks) QCOMPARE(spy.at(0).at(0).value<PictureControl *>(), stage.control);
  }
};

QTEST_MAIN(TestPictureControl)
#include "tst_picture_control.moc"
