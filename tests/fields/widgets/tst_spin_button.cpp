// The spin button as the user meets it: a click steps once, a hold repeats on
// a 400 ms then 100 ms rhythm, dragging pauses and resumes, and the presses
// it must ignore. Time is a hand-driven clock, so nothing here waits.
#include <QtTest>

#include <QDialog>
#include <optional>

#include "fields/rules/regional_settings.h"
#include "fields/widgets/entry/rx_spin_edit.h"
#include "fields/widgets/spin/spin_button.h"
#include "fields/widgets/spin/spin_geometry.h"

using enum vx::TValueType;

using std::chrono::milliseconds;
using vx::SpinHalf;

Q_DECLARE_METATYPE(SpinHalf)

namespace {

// A repeat clock that only moves when told to.
class ManualClock final : public vx::RepeatTimer {
public:
  void start(milliseconds interval) override {
    m_interval = interval;
    m_due = m_now + interval;
  }
  void stop() override { m_due.reset(); }

  bool isActive() const { return m_due.has_value(); }
  milliseconds interval() const { return m_interval; }

  // Moves time on to `t` ms after the start, ticking at each due time on the way.
  void advanceTo(int t) {
    const milliseconds until(t);
    while (m_due && *m_due <= until) {
      m_now = *m_due;
      m_due = m_now + m_interval;
      tick();
    }
    m_now = until;
  }

private:
  milliseconds m_now{0};
  milliseconds m_interval{0};
  std::optional<milliseconds> m_due;
};

const QPoint kUpper(4, 4);
const QPoint kLower(14, 14);

// A whole-number field at 0 with increment 1: its value counts the steps.
struct Rig {
  vx::RegionalSettings regional{u'.', u','};
  QWidget window;
  vx::TRxSpinEdit *field = new vx::TRxSpinEdit(regional, &window);
  QLineEdit *other = new QLineEdit(&window);
  ManualClock *clock = new ManualClock;

  Rig() {
    window.resize(220, 80);
    other->setGeometry(8, 8, 185, 21);
    field->setGeometry(8, 40, 185, 21);
    field->spinButton()->setRepeatTimer(std::unique_ptr<vx::RepeatTimer>(clock));
    // A hidden field is laid out, button and all, only when it is shown.
    window.show();
  }
  bool shown() { return QTest::qWaitForWindowExposed(&window); }
  vx::SpinButton *button() const { return field->spinButton(); }
  int steps() const { return field->text().toInt(); }
};

}  // namespace

class TestSpinButton : public QObject {
  Q_OBJECT

private slots:
  void click_steps_once_no_repeat_after_release() {
    Rig rig;
    QVERIFY(rig.shown());
    rig.field->setValueType(vtFloat);
    rig.field->setIncrement(0.1L);
    rig.field->setText(QStringLiteral("12.5"));
    QTest::mousePress(rig.button(), Qt::LeftButton, {}, kUpper);
    QCOMPARE(rig.field->text(), QStringLiteral("12.60"));
    QCOMPARE(rig.button()->pressedHalf(), SpinHalf::Up);
    rig.clock->advanceTo(399);
    QTest::mouseRelease(rig.button(), Qt::LeftButton, {}, kUpper);
    QCOMPARE(rig.button()->pressedHalf(), SpinHalf::None);
    QVERIFY(!rig.clock->isActive());
    rig.clock->advanceTo(2000);
    QCOMPARE(rig.field->text(), QStringLiteral("12.60"));
  }

  // Steps at 0, 400, 500, 600 ... ms, with the pixels on both sides of the
  // diagonal as the pressed point.
  void hold_repeats_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("direction");
    QTest::newRow("upper half") << kUpper << 1;
    QTest::newRow("lower half") << kLower << -1;
    QTest::newRow("on the diagonal") << QPoint(9, 9) << 1;
    QTest::newRow("just below the diagonal") << QPoint(10, 9) << -1;
  }
  void hold_repeats() {
    QFETCH(QPoint, at);
    QFETCH(int, direction);
    Rig rig;
    QVERIFY(rig.shown());
    QTest::mousePress(rig.button(), Qt::LeftButton, {}, at);
    const auto expectSteps = [&](int t, int count, milliseconds interval) {
      rig.clock->advanceTo(t);
      QCOMPARE(rig.steps(), direction * count);
      QCOMPARE(rig.clock->interval(), interval);
    };
    expectSteps(0, 1, milliseconds(400));
    expectSteps(399, 1, milliseconds(400));
    expectSteps(400, 2, milliseconds(100));
    expectSteps(499, 2, milliseconds(100));
    expectSteps(500, 3, milliseconds(100));
    expectSteps(600, 4, milliseconds(100));
    expectSteps(1000, 8, milliseconds(100));
    QTest::mouseRelease(rig.button(), Qt::LeftButton, {}, at);
    expectSteps(2000, 8, milliseconds(100));
    QVERIFY(!rig.clock->isActive());
  }

  void drag_off_pauses_drag_back_resumes_data() {
    QTest::addColumn<QPoint>("off");
    QTest::newRow("onto the other half") << kLower;
    QTest::newRow("out of the button") << QPoint(30, 4);
    QTest::newRow("over the text") << QPoint(-40, 8);
  }
  void drag_off_pauses_drag_back_resumes() {
    QFETCH(QPoint, off);
    Rig rig;
    QVERIFY(rig.shown());
    QTest::mousePress(rig.button(), Qt::LeftButton, {}, kUpper);
    rig.clock->advanceTo(400);
    QCOMPARE(rig.steps(), 2);
    QTest::mouseMove(rig.button(), off);
    QCOMPARE(rig.button()->pressedHalf(), SpinHalf::None);
    rig.clock->advanceTo(750);
    QCOMPARE(rig.steps(), 2);  // paused; the other half never steps
    QTest::mouseMove(rig.button(), kUpper + QPoint(1, 0));
    QCOMPARE(rig.button()->pressedHalf(), SpinHalf::Up);
    rig.clock->advanceTo(800);
    QCOMPARE(rig.steps(), 3);
    QTest::mouseRelease(rig.button(), Qt::LeftButton, {}, kUpper);
  }

  void release_off_the_button_ends_the_press() {
    Rig rig;
    QVERIFY(rig.shown());
    QTest::mousePress(rig.button(), Qt::LeftButton, {}, kLower);
    QTest::mouseMove(rig.button(), QPoint(-40, 8));
    QTest::mouseRelease(rig.button(), Qt::LeftButton, {}, QPoint(-40, 8));
    QVERIFY(!rig.button()->isHeld());
    QVERIFY(!rig.clock->isActive());
    QTest::mouseMove(rig.button(), kLower);  // a later hover presses nothing
    QCOMPARE(rig.button()->pressedHalf(), SpinHalf::None);
    QCOMPARE(rig.steps(), -1);
  }

  void ignored_presses_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("right button") << int(Qt::RightButton) << true;
    QTest::newRow("middle button") << int(Qt::MiddleButton) << true;
    QTest::newRow("left on a disabled field") << int(Qt::LeftButton) << false;
  }
  void ignored_presses() {
    QFETCH(int, button);
    QFETCH(bool, enabled);
    Rig rig;
    QVERIFY(rig.shown());
    rig.field->setEnabled(enabled);
    const auto mouseButton = Qt::MouseButton(button);
    QTest::mousePress(rig.button(), mouseButton, {}, kUpper);
    QCOMPARE(rig.button()->pressedHalf(), SpinHalf::None);
    QVERIFY(!rig.clock->isActive());
    QTest::mouseRelease(rig.button(), mouseButton, {}, kUpper);
    QCOMPARE(rig.field->text(), QStringLiteral("0"));
  }

  void disabled_button_looks_normal() {
    Rig rig;
    QVERIFY(rig.shown());
    const QImage enabled = rig.button()->grab().toImage();
    rig.field->setEnabled(false);
    QCOMPARE(rig.button()->grab().toImage(), enabled);
  }

  void press_focuses_the_field() {
    Rig rig;
    QVERIFY(rig.shown());
    rig.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&rig.window));
    rig.other->setFocus();
    QTRY_VERIFY(rig.other->hasFocus());
    QTest::mousePress(rig.button(), Qt::LeftButton, {}, kUpper);
    QTRY_VERIFY(rig.field->hasFocus());
    QVERIFY(!rig.field->hasSelectedText());  // a click, not a Tab
    QTest::mouseRelease(rig.button(), Qt::LeftButton, {}, kUpper);
  }

  // A modal box takes the mouse; its release never reaches the button.
  void modal_box_ends_the_press() {
    Rig rig;
    QVERIFY(rig.shown());
    QTest::mousePress(rig.button(), Qt::LeftButton, {}, kUpper);
    QDialog box(&rig.window);
    box.setModal(true);
    box.show();
    QVERIFY(!rig.button()->isHeld());
    QCOMPARE(rig.button()->pressedHalf(), SpinHalf::None);
    rig.clock->advanceTo(1000);
    QCOMPARE(rig.steps(), 1);
    box.hide();
    QTest::mouseRelease(rig.button(), Qt::LeftButton, {}, kUpper);
  }

  // Where the button goes is spin_geometry's rule (tst_spin_button_geometry
  // pins its pixels); the field must follow it at every size.
  void placed_in_the_field_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("wide") << 185;
    QTest::newRow("narrow") << 81;
  }
  void placed_in_the_field() {
    QFETCH(int, width);
    Rig rig;
    QVERIFY(rig.shown());
    rig.field->resize(width, 21);
    QCOMPARE(rig.button()->geometry(), vx::spinButtonRect(rig.field->size()));
    // A text far too long for the field scrolls to its end, and yet leaves
    // the columns between the text's end and the button blank.
    rig.field->setText(QString(40, u'8'));
    const QImage shot = rig.field->grab().toImage();
    const QRgb base = rig.field->palette().color(QPalette::Base).rgb();
    const int buttonLeft = rig.button()->geometry().left();
    QVERIFY(vx::spinTextEnd(rig.field->size()) < buttonLeft);
    for (int x = vx::spinTextEnd(rig.field->size()); x < buttonLeft; ++x)
      for (int y = 3; y < 18; ++y) QCOMPARE(shot.pixel(x, y), base);
    rig.field->resize(width + 20, 21);  // follows a resize
    QTRY_COMPARE(rig.button()->geometry(), vx::spinButtonRect(rig.field->size()));
  }
};

QTEST_MAIN(TestSpinButton)
#include "tst_spin_button.moc"
