// The shape picker as the user works it: opened from the main window's
// picture, one click on a drawing, and what that click changes (and leaves
// alone) in the main window.

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <memory>

#include "core/tank_shapes.h"
#include "fields/widgets/result/currency_edit.h"
#include "fields/rules/regional_settings.h"
#include "fields/widgets/entry/rx_spin_edit.h"
#include "support/find_control.h"
#include "support/memory_probe.h"
#include "support/modal_watchdog.h"
#include "support/shown_windows.h"
#include "support/recording_alerts.h"
#include "ui/windows/AquaTypeForm.h"
#include "ui/windows/MainForm.h"
#include "ui/accessibility/announcer.h"
#include "ui/app/application_windows.h"
#include "ui/controls/picture_control.h"
#include "ui/artwork/shape_pictures.h"
#include "ui/app/startup.h"

namespace {

const QPoint kInside(100, 50);

// Everything a pick must leave as it was, taken as the user would read it.
struct Untouched {
  QStringList texts;
  QList<double> tank;

  explicit Untouched(const TMainFrm &w) {
    for (const char *name : {"ValueA", "ValueB", "ValueC", "ValueD", "VAquaBox", "VGrBox",
                             "BugerBox", "Co2Box", "TempWBox", "PodVBox"})
      texts << controlOf<QLineEdit>(w, name)->text();
    texts << controlOf<QLabel>(w, "Co2Panel")->text();
    const vx::TankState &t = w.tankState();
    tank = {t.DimA, t.DimB, t.DimC, t.DimD, t.WaterH, t.BaseArea, t.LightLen, t.LightWid};
  }
  bool operator==(const Untouched &) const = default;
};

}  // namespace

class TestShapePicker : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { setUpApplication(); }

  void init() { m_shown.start(); }
  void cleanup() { m_shown.finish(); }

  void window_frame() {
    TAquaTypeFrm &w = picker();
    QVERIFY(!w.isVisible());
    QCOMPARE(w.minimumSize(), QSize(681, 281));
    QCOMPARE(w.maximumSize(), QSize(681, 281));
    QCOMPARE(w.parentWidget(), nullptr);
    QCOMPARE(w.windowType(), Qt::Window);
    QVERIFY(w.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.palette().color(QPalette::Window), w.palette().color(QPalette::Button));

    // Only the drawings take the focus, and only from the keyboard.
    for (QWidget *child : w.findChildren<QWidget *>()) {
      QCOMPARE(child->focusPolicy(),
               qobject_cast<PictureControl *>(child) ? Qt::TabFocus : Qt::NoFocus);
      QVERIFY2(child->toolTip().isEmpty(), qPrintable(child->objectName()));
    }

    openPicker();
    QVERIFY(!w.isModal());
    QCOMPARE(w.windowHandle()->transientParent(), nullptr);
  }

  void control_is_placed_data() {
    QTest::addColumn<int>("tag");
    for (const vx::TankShapeRow &shape : vx::kTankShapes)
      QTest::addRow("shape %d", shape.code) << shape.code;
  }
  // Each shape's box carries the shape table's caption above the picture that
  // picks it, and the boxes stand in the table's grid without overlapping.
  void control_is_placed() {
    QFETCH(int, tag);
    const vx::TankShapeRow &shape = vx::kTankShapes[static_cast<std::size_t>(tag)];
    PictureControl *picture = nullptr;
    for (PictureControl *p : picker().findChildren<PictureControl *>())
      if (p->tag() == tag) picture = p;
    QVERIFY(picture);
    auto *box = qobject_cast<QGroupBox *>(picture->parentWidget());
    QVERIFY(box);
    QCOMPARE(box->parentWidget(), &picker());
    QCOMPARE(box->title(),
             QString::fromUtf8(shape.caption.data(), static_cast<qsizetype>(shape.caption.size())));
    QVERIFY(box->rect()
                .adjusted(1, QFontInfo(box->font()).pixelSize(), -1, -1)
                .contains(picture->geometry()));
    QVERIFY(picker().rect().contains(box->geometry()));
    // The artwork is drawn for a 200 x 100 picture.
    QCOMPARE(picture->size(), QSize(200, 100));
    for (const vx::TankShapeRow &other : vx::kTankShapes) {
      if (other.code == tag) continue;
      QWidget *otherBox = nullptr;
      for (PictureControl *p : picker().findChildren<PictureControl *>())
        if (p->tag() == other.code) otherBox = p->parentWidget();
      QVERIFY(otherBox);
      QVERIFY(!box->geometry().intersects(otherBox->geometry()));
      // Same row of the grid, same top; same column, same left; and in order.
      QCOMPARE(box->y() == otherBox->y(), shape.place.row == other.place.row);
      QCOMPARE(box->x() == otherBox->x(), shape.place.column == other.place.column);
      QCOMPARE(box->x() < otherBox->x(), shape.place.column < other.place.column);
      QCOMPARE(box->y() < otherBox->y(), shape.place.row < other.place.row);
    }
    // The drawings are loaded when the picker is first shown.
    openPicker();
    QCOMPARE(picture->picture(), shapePicture(tag));
    QVERIFY(picture->autoSize() && picture->center() && picture->proportional() &&
            picture->transparent());
  }

  void first_showing_centred_then_comes_back_where_left() {
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

  void second_open_brings_the_one_picker_to_front() {
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

  void close_box_changes_nothing() {
    pick(5);
    const Untouched before(main());
    const qint64 shown = controlOf<PictureControl>(main(), "AquaImage")->picture().cacheKey();

    openPicker();
    QVERIFY(picker().close());
    QVERIFY(!picker().isVisible());
    QVERIFY(main().isVisible());
    QCOMPARE(main().tankState().AquaType, 5);
    QCOMPARE(controlOf<PictureControl>(main(), "AquaImage")->picture().cacheKey(), shown);
    QVERIFY(!controlOf<vx::TRxSpinEdit>(main(), "ValueB")->isEnabled());
    QVERIFY(!controlOf<QPushButton>(main(), "LightCalcBtn")->isEnabled());
    QVERIFY(Untouched(main()) == before);
  }

  void pick_applies_shape_data() {
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
  void pick_applies_shape() {
    QFETCH(int, shape);
    QFETCH(bool, a);
    QFETCH(bool, b);
    QFETCH(bool, c);
    QFETCH(bool, d);
    QFETCH(bool, lighting);

    // Start from the opposite states, so that enabling is shown as well as
    // disabling.
    pick(shape == 5 ? 1 : 5);
    controlOf<vx::TRxSpinEdit>(main(), "ValueC")->setValue(50);
    controlOf<vx::TRxSpinEdit>(main(), "ValueD")->setValue(30.5L);
    const Untouched before(main());

    pick(shape);
    QCOMPARE(main().tankState().AquaType, shape);
    QCOMPARE(controlOf<vx::TRxSpinEdit>(main(), "ValueA")->isEnabled(), a);
    QCOMPARE(controlOf<vx::TRxSpinEdit>(main(), "ValueB")->isEnabled(), b);
    QCOMPARE(controlOf<vx::TRxSpinEdit>(main(), "ValueC")->isEnabled(), c);
    QCOMPARE(controlOf<vx::TRxSpinEdit>(main(), "ValueD")->isEnabled(), d);
    QCOMPARE(controlOf<QPushButton>(main(), "LightCalcBtn")->isEnabled(), lighting);
    // The boxes around the fields stay as they are.
    for (const char *box : {"GroupBox2", "GroupBox3", "GroupBox4", "GroupBox5"})
      QVERIFY(main().findChild<QGroupBox *>(QLatin1String(box))->isEnabled());
    QVERIFY(Untouched(main()) == before);
    QVERIFY(!picker().isVisible());
  }

  void picked_drawing_lands_one_pixel_lower_right_data() {
    QTest::addColumn<int>("shape");
    for (int shape = 0; shape < 6; ++shape)
      QTest::newRow(qPrintable(QStringLiteral("shape %1").arg(shape))) << shape;
  }
  void picked_drawing_lands_one_pixel_lower_right() {
    QFETCH(int, shape);
    openPicker();
    // The picker shows the same drawing with the same settings, on the same face.
    const QImage offered = shapeButton(shape)->grab().toImage();
    QTest::mouseClick(shapeButton(shape), Qt::LeftButton, {}, kInside);

    PictureControl *picture = controlOf<PictureControl>(main(), "AquaImage");
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
      }
    }
  }

  void same_shape_again_redoes_everything() {
    pick(0);
    const QImage first = controlOf<PictureControl>(main(), "AquaImage")->picture();
    // Disturb what the pick set, as nothing in the program does.
    controlOf<PictureControl>(main(), "AquaImage")->clearPicture();
    controlOf<vx::TRxSpinEdit>(main(), "ValueC")->setEnabled(true);
    controlOf<QPushButton>(main(), "LightCalcBtn")->setEnabled(false);

    pick(0);
    QCOMPARE(controlOf<PictureControl>(main(), "AquaImage")->picture(), first);
    QVERIFY(!controlOf<vx::TRxSpinEdit>(main(), "ValueC")->isEnabled());
    QVERIFY(controlOf<QPushButton>(main(), "LightCalcBtn")->isEnabled());
    QVERIFY(!picker().isVisible());
  }

  void volume_after_pick_uses_new_shape() {
    const QString before = controlOf<vx::TCurrencyEdit>(main(), "VAquaBox")->text();
    pick(5);
    // Until the button says so, the volume stays; then it is the hexagon's.
    QCOMPARE(controlOf<vx::TCurrencyEdit>(main(), "VAquaBox")->text(), before);
    controlOf<vx::TRxSpinEdit>(main(), "ValueA")->setValue(40);
    QTest::mouseClick(controlOf<QPushButton>(main(), "VolumeCalcBtn"), Qt::LeftButton);
    QCOMPARE(controlOf<vx::TCurrencyEdit>(main(), "VAquaBox")->text(), QStringLiteral("197.58 л"));
  }

  void replaced_picture_is_released() {
    pick(3);
    QImage old = controlOf<PictureControl>(main(), "AquaImage")->picture();
    QVERIFY(!old.isDetached());  // shared with the control that shows it
    pick(3);
    QVERIFY(old.isDetached());  // the control let go of it
  }

  void many_picks_keep_memory_flat() {
    // The sanitizer holds freed memory back on purpose, and finds leaks itself.
    if (!kMemoryMeasured) QSKIP("resident size means nothing under AddressSanitizer");
    // Warm up caches and the allocator before taking the baseline.
    for (int i = 0; i < 200; ++i) picker().SetType(shapeButton(i % 6));
    const MemoryMark mark;
    for (int i = 0; i < 10000; ++i) picker().SetType(shapeButton(i % 6));
    // A kept bitmap would cost 80 kB a pick, 800 MB in all.
    const long grownKb = mark.growth().residentKb;
    QVERIFY2(grownKb < 16L * 1024, qPrintable(QString::number(grownKb)));
    QCOMPARE(controlOf<PictureControl>(main(), "AquaImage")->size(), QSize(202, 102));
  }

  void keyboard_picks_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("picked");  // -1: none, the picker hidden by Escape
    QTest::addColumn<QString>("sentence");
    // Pressed as soon as the picker is active, before the drawing has taken
    // the focus it waits a moment for.
    QTest::addColumn<bool>("atOnce");
    const auto row = [](const char *name, int from, const QList<int> &keys, int picked,
                        const char *sentence, bool atOnce = false) {
      QTest::newRow(name) << from << keys << picked << sentence << atOnce;
    };
    const int kp = int(Qt::KeypadModifier);
    row("Right, Enter", 0, {Qt::Key_Right, Qt::Key_Return}, 1,
        "Прямоугольный со скосами. Используются все стороны. Расчет освещения доступен.");
    row("Down, Space", 0, {Qt::Key_Down, Qt::Key_Space}, 3,
        "Треугольный. Не используется сторона D. Расчет освещения недоступен.");
    row("arrows stop at the edge", 0,
        {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return},
        5, "Шестиугольный. Не используются стороны B, C, D. Расчет освещения недоступен.");
    row("from the current shape, keypad Enter", 4, {Qt::Key_Up, Qt::Key_Enter | kp}, 1,
        "Прямоугольный со скосами. Используются все стороны. Расчет освещения доступен.");
    row("Tab, Tab, Enter", 0, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return}, 2,
        "Прямоугольный \"Vision\". Не используется сторона D. Расчет освещения доступен.");
    row("the same shape again", 5, {Qt::Key_Return}, 5,
        "Шестиугольный. Не используются стороны B, C, D. Расчет освещения недоступен.");
    row("Escape", 3, {Qt::Key_Left, Qt::Key_Escape}, -1, "");
    row("Right, Enter at once", 1, {Qt::Key_Right, Qt::Key_Return}, 2,
        "Прямоугольный \"Vision\". Не используется сторона D. Расчет освещения доступен.", true);
    row("Tab, Enter at once", 4, {Qt::Key_Tab, Qt::Key_Return}, 5,
        "Шестиугольный. Не используются стороны B, C, D. Расчет освещения недоступен.", true);
  }
  void keyboard_picks() {
    QFETCH(int, from);
    QFETCH(QList<int>, keys);
    QFETCH(int, picked);
    QFETCH(QString, sentence);
    QFETCH(bool, atOnce);

    main().applyShape(from);
    QVERIFY(QTest::qWaitForWindowActive(&main()));
    controlOf<vx::TRxSpinEdit>(main(), "HwaterBox")->setFocus(Qt::TabFocusReason);
    QSignalSpy said(&Announcer::instance(), &Announcer::said);
    const Untouched before(main());

    QTest::keyClick(controlOf<vx::TRxSpinEdit>(main(), "HwaterBox"), Qt::Key_F4);
    QVERIFY(QTest::qWaitForWindowActive(&picker()));
    if (!atOnce) {
      QTRY_COMPARE(QApplication::focusWidget(), shapeButton(from));
      // Opened by a key, the focus shows at once.
      QVERIFY(shapeButton(from)->focusFrameShown());
    }

    for (const int key : keys)
      QTest::keyClick(QApplication::focusWidget(), Qt::Key(key & ~Qt::KeyboardModifierMask),
                      Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));

    QVERIFY(!picker().isVisible());
    QCOMPARE(main().tankState().AquaType, picked < 0 ? from : picked);
    QVERIFY(Untouched(main()) == before);
    // The keyboard is back where it was, and then the choice is told.
    QVERIFY(QTest::qWaitForWindowActive(&main()));
    QTRY_COMPARE(QApplication::focusWidget(), controlOf<vx::TRxSpinEdit>(main(), "HwaterBox"));
    QTest::qWait(0);
    QStringList heard;
    for (const QList<QVariant> &args : said) heard << args.at(1).toString();
    QCOMPARE(heard, sentence.isEmpty() ? QStringList{} : QStringList{sentence});
  }

  void f4_opens_the_picker_except_in_the_reflector_list_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("opens");

    QTest::newRow("entry field") << "ValueA" << true;
    QTest::newRow("Расчет button") << "Co2CalcBtn" << true;
    QTest::newRow("reflector list") << "RefBox" << false;
  }
  void f4_opens_the_picker_except_in_the_reflector_list() {
    QFETCH(QString, focus);
    QFETCH(bool, opens);

    QVERIFY(QTest::qWaitForWindowActive(&main()));
    auto *target = main().findChild<QWidget *>(focus);
    target->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    QCOMPARE(picker().isVisible(), opens);
    QCOMPARE(controlOf<QComboBox>(main(), "RefBox")->view()->isVisible(), !opens);
    controlOf<QComboBox>(main(), "RefBox")->hidePopup();
    picker().close();
  }

  void mouse_path_shows_no_focus_frame() {
    openPicker();
    QVERIFY(QTest::qWaitForWindowActive(&picker()));
    PictureControl *focused = shapeButton(0);
    QTRY_COMPARE(QApplication::focusWidget(), focused);
    for (PictureControl *p : picker().shapePictures()) QVERIFY(!p->focusFrameShown());
    // The focus draws nothing: the picker looks as it did before it had any.
    const QImage withFocus = picker().grab().toImage();
    focused->clearFocus();
    QCOMPARE(picker().grab().toImage(), withFocus);

    // A key shows where the focus is.
    focused->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(focused, Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), shapeButton(1));
    QVERIFY(shapeButton(1)->focusFrameShown());
    QVERIFY(picker().grab().toImage() != withFocus);
  }

private:
  TMainFrm &main() { return m_shown.main(); }
  TAquaTypeFrm &picker() { return m_shown.picker(); }

  PictureControl *shapeButton(int shape) { return picker().shapePictures().at(shape); }

  void openPicker() {
    QTest::mouseClick(controlOf<PictureControl>(main(), "AquaImage"), Qt::LeftButton, {}, kInside);
    QVERIFY(QTest::qWaitForWindowExposed(&picker()));
  }

  void pick(int shape) {
    openPicker();
    QTest::mouseClick(shapeButton(shape), Qt::LeftButton, {}, kInside);
  }

  ShownWindows m_shown;
};

QTEST_MAIN(TestShapePicker)
#include "tst_shape_picker.moc"
