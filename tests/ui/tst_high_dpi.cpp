// The main window on a screen of two device pixels per pixel, as with
// QT_SCALE_FACTOR=2 or a 192 dpi desktop: the shape drawings, the spin
// buttons and the icon must be drawn for that resolution, not be the
// ordinary pictures smeared or doubled over four times the pixels.
#include <QApplication>
#include <QTemporaryFile>
#include <QTest>

#include <memory>

#include "fields/rules/regional_settings.h"
#include "fields/widgets/entry/rx_spin_edit.h"
#include "fields/widgets/spin/spin_button.h"
#include "fields/widgets/spin/spin_face.h"
#include "support/find_control.h"
#include "support/modal_watchdog.h"
#include "support/recording_alerts.h"
#include "ui/windows/AquaTypeForm.h"
#include "ui/windows/MainForm.h"
#include "ui/app/application_windows.h"
#include "ui/controls/picture_control.h"
#include "ui/artwork/shape_pictures.h"
#include "ui/artwork/window_icon.h"
#include "ui/app/startup.h"

namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr int kRatio = 2;

// Aligned 2 x 2 blocks of more than one colour: none in a picture that is a
// small one enlarged.
int mixedBlocks(const QImage &image) {
  int n = 0;
  for (int y = 0; y + 1 < image.height(); y += 2)
    for (int x = 0; x + 1 < image.width(); x += 2) {
      const QRgb c = image.pixel(x, y);
      n += c != image.pixel(x + 1, y) || c != image.pixel(x, y + 1) ||
           c != image.pixel(x + 1, y + 1);
    }
  return n;
}

}  // namespace

class TestHighDpi : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    setUpApplication();
    m_watchdog = std::make_unique<ModalWatchdog>();
    m_regional = std::make_unique<vx::RegionalSettings>(u'.', u',');
    m_windows = std::make_unique<ApplicationWindows>(*m_regional, m_alerts);
    m_windows->mainForm().show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_windows->mainForm()));
  }

  void cleanupTestCase() {
    m_windows.reset();
    m_watchdog->check();
  }

  void window_has_two_device_pixels_per_pixel() {
    TMainFrm &main = m_windows->mainForm();
    QCOMPARE(main.devicePixelRatioF(), qreal(kRatio));
    QCOMPARE(main.size(), QSize(682, 588));
    QCOMPARE(screenImage().size(), main.size() * kRatio);
  }

  void tank_picture_is_drawn_at_device_resolution_data() {
    QTest::addColumn<int>("pick");  // the shape picked in the picker; -1 for none
    QTest::newRow("start-up picture") << -1;
    QTest::newRow("picked: bevelled") << 1;
    QTest::newRow("picked: corner vision") << 4;
    QTest::newRow("picked: rectangular again") << 0;
  }
  // Exactly the sharp drawing's pixels where it is not white, the face colour
  // where it is: nothing is smoothed, the drawing is not doubled, and every
  // edge of the outline is one device pixel sharp.
  void tank_picture_is_drawn_at_device_resolution() {
    QFETCH(int, pick);
    TMainFrm &main = m_windows->mainForm();
    QImage expected = shapePicture(0, kRatio);
    if (pick >= 0) {
      PictureControl *const picture = m_windows->picker().shapePictures()[pick];
      emit picture->clicked(picture);
      expected = ImageList().onWhite(pick, kRatio);
    }
    const PictureControl *picture = controlOf<PictureControl>(main, "AquaImage");
    QCOMPARE(picture->size(), expected.deviceIndependentSize().toSize());
    const QImage shown = screenImage().copy(
        devicePixels(QRect(picture->mapTo(&main, QPoint(0, 0)), picture->size())));
    const QRgb face = picture->parentWidget()->palette().color(QPalette::Window).rgb();
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x) {
        const QRgb want = expected.pixel(x, y) == kWhite ? face : expected.pixel(x, y);
        if (shown.pixel(x, y) != want)
          QFAIL(qPrintable(QStringLiteral("device pixel %1,%2 is %3, not %4")
                               .arg(x)
                               .arg(y)
                               .arg(shown.pixel(x, y), 8, 16)
                               .arg(want, 8, 16)));
      }
    QVERIFY2(mixedBlocks(shown) > 20, qPrintable(QString::number(mixedBlocks(shown))));
  }

  // The outline and the diagonal one device pixel, the arrows enlarged by the
  // whole factor 2.
  void spin_button_lines_are_one_device_pixel_thin() {
    TMainFrm &main = m_windows->mainForm();
    vx::SpinButton *button = controlOf<vx::TRxSpinEdit>(main, "ValueA")->spinButton();
    QVERIFY(button);
    // Arrows of their own colour, to tell them from the lines.
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, QColor(0, 0, 255));
    button->setPalette(palette);
    const QRect area = devicePixels(QRect(button->mapTo(&main, QPoint(0, 0)), button->size()));
    const QImage shown = screenImage().copy(area);
    const int side = shown.width();
    QCOMPARE(side, 18 * kRatio);
    const vx::SpinFaceColours colours = vx::spinFaceColours(button->palette());
    const QRgb frame = colours.frame.rgb();
    QCOMPARE(shown.pixel(0, side / 2), frame);
    QVERIFY(shown.pixel(1, side / 2) != frame);
    QCOMPARE(shown.pixel(side / 2, side / 2 - 1), frame);  // on the diagonal x + y = side - 1
    QVERIFY(shown.pixel(side / 2 - 1, side / 2 - 1) != frame);
    int ink = 0;
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) ink += shown.pixel(x, y) == colours.glyph.rgb();
    QCOMPARE(ink, 2 * 18 * kRatio * kRatio);
  }

  // A 32-pixel icon on this screen takes the 64-pixel picture, which is the
  // 32-pixel one with every pixel a 2 x 2 block.
  void window_icon_is_drawn_for_the_size() {
    const QImage icon = QApplication::windowIcon()
                            .pixmap(QSize(32, 32), kRatio)
                            .toImage()
                            .convertToFormat(QImage::Format_RGB32);
    QCOMPARE(icon.size(), QSize(64, 64));
    const QImage base = windowIconImage();
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) QCOMPARE(icon.pixel(x, y), base.pixel(x / 2, y / 2));
  }

private:
  // The main window as the screen shows it, in device pixels.
  QImage screenImage() const {
    return m_windows->mainForm().grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  // rect, in the window's pixels, as device pixels of screenImage().
  static QRect devicePixels(const QRect &rect) {
    return {rect.topLeft() * kRatio, rect.size() * kRatio};
  }

  std::unique_ptr<vx::RegionalSettings> m_regional;
  RecordingAlerts m_alerts;
  std::unique_ptr<ApplicationWindows> m_windows;
  std::unique_ptr<ModalWatchdog> m_watchdog;
};

int main(int argc, char *argv[]) {
  // Before the application exists: Qt reads the factor once, at start.
  qputenv("QT_SCALE_FACTOR", QByteArray::number(kRatio));
  // A screen with room for the whole window at twice its size: on the
  // offscreen platform's own, smaller one the window would be cut to fit.
  QTemporaryFile screens;
  if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && screens.open()) {
    screens.write(R"({"screens": [{"name": "large", "x": 0, "y": 0, "width": 1920,
                     "height": 1440, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
  }
  QApplication app(argc, argv);
  TestHighDpi test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_high_dpi.moc"
