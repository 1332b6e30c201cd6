// The shape picker as the user works it: opened from the main window's
// picture, one click on a drawing, and what that click changes (and leaves
// alone) in the main window.

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <memory>

#include "fields/result/currency_edit.h"
#include "fields/number/regional_settings.h"
#include "fields/entry/rx_spin_edit.h"
#include "support/modal_watchdog.h"
#include "support/recording_alerts.h"
#include "support/resident_memory.h"
#include "ui/AquaTypeForm.h"
#include "ui/MainForm.h"
#include "ui/application_windows.h"
#include "ui/pictures/picture_control.h"
#include "ui/pictures/shape_pictures.h"
#include "ui/startup.h"

namespace {

const QPoint kInside(100, 50);

// Everything a pick must leave as it was, taken as the user would read it.
struct Untouched {
  QStringList texts;
  double tank[8];

  explicit Untouched(const TMainFrm &w)
      : texts{w.ValueA->text(),   w.ValueB->text(),  w.ValueC->text(),   w.ValueD->text(),
              w.VAquaBox->text(), w.VGrBox->text(),  w.BugerBox->text(), w.Co2Box->text(),
              w.TempWBox->text(), w.PodVBox->text(), w.Co2Panel->text()},
        tank{w.TankState.DimA,   w.TankState.DimB,     w.TankState.DimC,     w.TankState.DimD,
             w.TankState.WaterH, w.TankState.BaseArea, w.TankState.LightLen, w.TankState.LightWid} {
  }

  bool operator==(const Untouched &other) const {
    return texts == other.texts && std::equal(std::begin(tank), std::end(tank), other.tank);
  }
};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

}  // namespace

class TestShapePicker : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void init();
  void cleanup();

  void window_frame();
  void control_is_placed_data();
  void control_is_placed();
  void first_showing_centred_then_comes_back_where_left();
  void second_open_brings_the_one_picker_to_front();
  void close_box_changes_nothing();

  void pick_applies_shape_data();
  void pick_applies_shape();
  void picked_drawing_lands_one_pixel_lower_right_data();
  void picked_drawing_lands_one_pixel_lower_right();
  void same_shape_again_redoes_everything();
  void volume_after_pick_uses_new_shape();
  void replaced_picture_is_released();
  void many_picks_keep_memory_flat();

private:
  TMainFrm &main() { return m_windows->mainForm(); }
  TAquaTypeFrm &picker() { return m_windows->picker(); }
  PictureControl *shapeButton(int shape);
  void openPicker();
  void pick(int shape);

  vx::RegionalSettings m_regional{u'.', u','};
  RecordingAlerts m_alerts;
  std::unique_ptr<ModalWatchdog> m_watchdog;
  std::unique_ptr<ApplicationWindows> m_windows;
};

void TestShapePicker::initTestCase() { setUpApplication(); }

void TestShapePicker::init() {
  m_watchdog = std::make_unique<ModalWatchdog>();
  m_windows = std::make_unique<ApplicationWindows>(m_regional, m_alerts);
  main().show();
  QVERIFY(QTest::qWaitForWindowExposed(&main()));
}

void TestShapePicker::cleanup() {
  m_windows.reset();
  QVERIFY(m_alerts.errors.isEmpty());
  QVERIFY(m_alerts.reports.isEmpty());
  m_alerts.clear();
  m_watchdog->check();
}

PictureControl *TestShapePicker::shapeButton(int shape) {
  return picker().shapePictures().at(shape);
}

void TestShapePicker::openPicker() {
  QTest::mouseClick(main().AquaImage, Qt::LeftButton, {}, kInside);
  QVERIFY(QTest::qWaitForWindowExposed(&picker()));
}

void TestShapePicker::pick(int shape) {
  openPicker();
  QTest::mouseClick(shapeButton(shape), Qt::LeftButton, {}, kInside);
}

void TestShapePicker::window_frame() {
  TAquaTypeFrm &w = picker();
  QVERIFY(!w.isVisible());
  QCOMPARE(w.windowTitle(), QStringLiteral("AquaTypeFrm"));
  QCOMPARE(w.minimumSize(), QSize(681, 281));
  QCOMPARE(w.maximumSize(), QSize(681, 281));
  QCOMPARE(w.parentWidget(), nullptr);
  QCOMPARE(w.windowType(), Qt::Window);
  QVERIFY(w.windowFlags().testFlag(Qt::WindowCloseButtonHint));
  QVERIFY(!w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  QVERIFY(!w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  QCOMPARE(QFontInfo(w.font()).family(), QStringLiteral("Liberation Sans"));
  QCOMPARE(QFontInfo(w.font()).pixelSize(), 11);
  QCOMPARE(w.palette().color(QPalette::Window), w.palette().color(QPalette::Button));

  for (QWidget *child : w.findChildren<QWidget *>()) {
    QCOMPARE(child->focusPolicy(), Qt::NoFocus);
    QVERIFY2(child->toolTip().isEmpty(), qPrintable(child->objectName()));
  }

  openPicker();
  QVERIFY(!w.isModal());
  QCOMPARE(w.windowHandle()->transientParent(), nullptr);
}

void TestShapePicker::control_is_placed_data() {
  QTest::addColumn<QString>("parent");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<int>("tag");

  const auto box = [](const char *name, QPoint at, const char *caption) {
    QTest::newRow(name) << "AquaTypeFrm" << QRect(at, QSize(217, 129)) << QString::fromUtf8(caption)
                        << -1;
  };
  box("GroupBox1", {8, 8}, "Прямоугольный");
  box("GroupBox2", {232, 8}, "Прямоугольный со скосами");
  box("GroupBox3", {456, 8}, "Прямоугольный \"Vision\"");
  box("GroupBox4", {8, 144}, "Треугольный");
  box("GroupBox5", {232, 144}, "Треугольный \"Vision\"");
  box("GroupBox6", {456, 144}, "Шестиугольный");

  const char *const pictures[] = {"AquaImage", "Image1", "Image2", "Image3", "Image4", "Image5"};
  for (int tag = 0; tag < 6; ++tag)
    QTest::newRow(pictures[tag]) << QStringLiteral("GroupBox%1").arg(tag + 1)
                                 << QRect(8, 16, 200, 100) << QString() << tag;
}

void TestShapePicker::control_is_placed() {
  QFETCH(QString, parent);
  QFETCH(QRect, geometry);
  QFETCH(QString, caption);
  QFETCH(int, tag);

  auto *w = picker().findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
  QVERIFY(w);
  QCOMPARE(w->parentWidget()->objectName(), parent);
  QCOMPARE(w->geometry(), geometry);
  if (auto *box = qobject_cast<QGroupBox *>(w)) {
    QCOMPARE(box->title(), caption);
    return;
  }
  auto *picture = qobject_cast<PictureControl *>(w);
  QVERIFY(picture);
  QCOMPARE(picture->tag(), tag);
  // The drawings are loaded when the picker is first shown.
  openPicker();
  QCOMPARE(picture->picture(), shapePicture(tag));
  QVERIFY(picture->autoSize() && picture->center() && picture->proportional() &&
          picture->transparent());
}

void TestShapePicker::first_showing_centred_then_comes_back_where_left() {
  openPicker();
  const QPoint screenCentre = picker().screen()->availableGeometry().center();
  QVERIFY2((picker().frameGeometry().center() - screenCentre).manhattanLength() <= 2,
           qPrintable(QStringLiteral("%1,%2").arg(picker().x()).arg(picker().y())));

  picker().move(40, 50);
  QTRY_COMPARE(picker().pos(), QPoint(40, 50));
  picker().close();
  openPicker();
  QCOMPARE(picker().pos(), QPoint(40, 50));
}

void TestShapePicker::second_open_brings_the_one_picker_to_front() {
  openPicker();
  main().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&main()));

  openPicker();
  QTRY_COMPARE(QApplication::activeWindow(), &picker());
  int pickers = 0;
  for (QWidget *w : QApplication::topLevelWidgets())
    pickers += qobject_cast<TAquaTypeFrm *>(w) != nullptr;
  QCOMPARE(pickers, 1);
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void TestShapePicker::close_box_changes_nothing() {
  pick(5);
  const Untouched before(main());
  const qint64 shown = main().AquaImage->picture().cacheKey();

  openPicker();
  QVERIFY(picker().close());
  QVERIFY(!picker().isVisible());
  QVERIFY(main().isVisible());
  QCOMPARE(main().TankState.AquaType, 5);
  QCOMPARE(main().AquaImage->picture().cacheKey(), shown);
  QVERIFY(!main().ValueB->isEnabled());
  QVERIFY(!main().LightCalcBtn->isEnabled());
  QVERIFY(Untouched(main()) == before);
}

void TestShapePicker::pick_applies_shape_data() {
  QTest::addColumn<int>("shape");
  QTest::addColumn<bool>("a");
  QTest::addColumn<bool>("b");
  QTest::addColumn<bool>("c");
  QTest::addColumn<bool>("d");
  QTest::addColumn<bool>("lighting");

  QTest::newRow("rectangular") << 0 << true << true << false << false << true;
  QTest::newRow("bevelled") << 1 << true << true << true << true << true;
  QTest::newRow("rectangular vision") << 2 << true << true << true << false << true;
  QTest::newRow("triangular") << 3 << true << true << true << false << false;
  QTest::newRow("triangular vision") << 4 << true << true << false << false << false;
  QTest::newRow("hexagonal") << 5 << true << false << false << false << false;
}

void TestShapePicker::pick_applies_shape() {
  QFETCH(int, shape);
  QFETCH(bool, a);
  QFETCH(bool, b);
  QFETCH(bool, c);
  QFETCH(bool, d);
  QFETCH(bool, lighting);

  // Start from the opposite states, so that enabling is shown as well as
  // disabling.
  pick(shape == 5 ? 1 : 5);
  main().ValueC->setValue(50);
  main().ValueD->setValue(30.5L);
  const Untouched before(main());

  pick(shape);
  QCOMPARE(main().TankState.AquaType, shape);
  QCOMPARE(main().ValueA->isEnabled(), a);
  QCOMPARE(main().ValueB->isEnabled(), b);
  QCOMPARE(main().ValueC->isEnabled(), c);
  QCOMPARE(main().ValueD->isEnabled(), d);
  QCOMPARE(main().LightCalcBtn->isEnabled(), lighting);
  // The boxes around the fields stay as they are.
  for (const char *box : {"GroupBox2", "GroupBox3", "GroupBox4", "GroupBox5"})
    QVERIFY(main().findChild<QGroupBox *>(QLatin1String(box))->isEnabled());
  QVERIFY(Untouched(main()) == before);
  QVERIFY(!picker().isVisible());
}

void TestShapePicker::picked_drawing_lands_one_pixel_lower_right_data() {
  QTest::addColumn<int>("shape");
  for (int shape = 0; shape < 6; ++shape)
    QTest::newRow(qPrintable(QStringLiteral("shape %1").arg(shape))) << shape;
}

void TestShapePicker::picked_drawing_lands_one_pixel_lower_right() {
  QFETCH(int, shape);
  const QImage startUp = main().AquaImage->grab().toImage();
  openPicker();
  // The picker shows the same drawing with the same settings, on the same face.
  const QImage offered = shapeButton(shape)->grab().toImage();
  QTest::mouseClick(shapeButton(shape), Qt::LeftButton, {}, kInside);

  PictureControl *picture = main().AquaImage;
  QCOMPARE(picture->geometry(), QRect(8, 16, 202, 102));
  const QImage shown = picture->grab().toImage();
  const QColor face = picture->palette().color(QPalette::Window);
  QVERIFY(face != Qt::white);
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const QColor here = shown.pixelColor(x, y);
      QVERIFY2(here != Qt::white, qPrintable(QStringLiteral("white at %1,%2").arg(x).arg(y)));
      const bool margin = x == 0 || y == 0 || x == shown.width() - 1 || y == shown.height() - 1;
      const QColor expected = margin ? face : offered.pixelColor(x - 1, y - 1);
      QVERIFY2(here == expected, qPrintable(QStringLiteral("at %1,%2").arg(x).arg(y)));
      if (shape == 0 && !margin) QCOMPARE(here, startUp.pixelColor(x - 1, y - 1));
    }
  }
}

void TestShapePicker::same_shape_again_redoes_everything() {
  pick(0);
  const QImage first = main().AquaImage->picture();
  // Disturb what the pick set, as nothing in the program does.
  main().AquaImage->clearPicture();
  main().ValueC->setEnabled(true);
  main().LightCalcBtn->setEnabled(false);

  pick(0);
  QCOMPARE(main().AquaImage->picture(), first);
  QVERIFY(!main().ValueC->isEnabled());
  QVERIFY(main().LightCalcBtn->isEnabled());
  QVERIFY(!picker().isVisible());
}

void TestShapePicker::volume_after_pick_uses_new_shape() {
  pick(5);
  QCOMPARE(main().VAquaBox->text(), QStringLiteral("193.05 л"));  // until the button says so
  main().ValueA->setValue(40);
  QTest::mouseClick(main().VolumeCalcBtn, Qt::LeftButton);
  QCOMPARE(main().VAquaBox->text(), QStringLiteral("197.58 л"));
  QCOMPARE(main().VGrBox->text(), QStringLiteral("41.49 кг"));
}

void TestShapePicker::replaced_picture_is_released() {
  pick(3);
  QImage old = main().AquaImage->picture();
  QVERIFY(!old.isDetached());  // shared with the control that shows it
  pick(3);
  QVERIFY(old.isDetached());  // the control let go of it
}

void TestShapePicker::many_picks_keep_memory_flat() {
  // The sanitizer holds freed memory back on purpose, and finds leaks itself.
  if (kAddressSanitizer) QSKIP("resident size means nothing under AddressSanitizer");
  if (residentKb() < 0) QSKIP("no /proc/self/status here");
  // Warm up caches and the allocator before taking the baseline.
  for (int i = 0; i < 200; ++i) picker().SetType(shapeButton(i % 6));
  const long before = residentKb();
  for (int i = 0; i < 10000; ++i) picker().SetType(shapeButton(i % 6));
  const long grownKb = residentKb() - before;
  // A kept bitmap would cost 80 kB a pick, 800 MB in all.
  QVERIFY2(grownKb < 16L * 1024, qPrintable(QString::number(grownKb)));
  QCOMPARE(main().AquaImage->size(), QSize(202, 102));
}

QTEST_MAIN(TestShapePicker)
#include "tst_shape_picker.moc"
