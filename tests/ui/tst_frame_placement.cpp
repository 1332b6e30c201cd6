// Where the windows land on screens of every size: the whole frame, title
// bar included, stays on the screen's available area, and a window that fits
// keeps the place it asks for.

#include <QApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScrollArea>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <memory>

#include "fields/rules/regional_settings.h"
#include "support/find_control.h"
#include "support/modal_watchdog.h"
#include "support/recording_alerts.h"
#include "ui/windows/AquaTypeForm.h"
#include "ui/windows/MainForm.h"
#include "ui/app/application_windows.h"
#include "ui/desktop/frame_placement.h"
#include "ui/app/startup.h"

namespace {

const QSize kMainClient(682, 588);
const QSize kPickerClient(681, 281);
// A title bar of 20 pixels and one-pixel borders, as a common window manager
// draws them.
const QMargins kFrame(1, 20, 1, 1);

}  // namespace

class TestFramePlacement : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { setUpApplication(); }

  void cleanup() { m_watchdog.check(); }

  void kept_inside_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QPoint>("wanted");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("placed");

    const auto row = [](const char *name, QSize client, QMargins frame, QPoint wanted,
                        QRect available, QPoint placed) {
      QTest::newRow(name) << client << frame << wanted << available << placed;
    };
    const QPoint designed(469, 232);
    const auto main = [&](const char *name, QMargins frame, QRect available, QPoint placed) {
      row(name, kMainClient, frame, designed, available, placed);
    };
    // The frame is 684 x 609: 841 would be its bottom at the designed place.
    main("main, 1920 x 1080: designed place", kFrame, QRect(0, 0, 1920, 1080), designed);
    main("main, 1366 x 768: up by 73", kFrame, QRect(0, 0, 1366, 768), QPoint(469, 159));
    main("main, 1280 x 800: up by 41", kFrame, QRect(0, 0, 1280, 800), QPoint(469, 191));
    main("main, 1366 x 768 less a bottom panel", kFrame, QRect(0, 0, 1366, 740), QPoint(469, 131));
    main("main, 1024 x 768: left and up", kFrame, QRect(0, 0, 1024, 768), QPoint(340, 159));
    main("main, exactly fits at its place", kFrame, QRect(0, 0, 1153, 841), designed);
    main("main, screen smaller than the frame: title bar stays", kFrame, QRect(0, 0, 640, 480),
         QPoint(0, 0));
    main("main, no frame known yet", QMargins(), QRect(0, 0, 1366, 768), QPoint(469, 180));
    row("main, top panel on a second screen", kMainClient, kFrame, QPoint(1920 + 469, 232),
        QRect(1920, 28, 1280, 772), QPoint(1920 + 469, 191));
    row("picker left where it fits", kPickerClient, kFrame, QPoint(40, 50), QRect(0, 0, 1366, 768),
        QPoint(40, 50));
    row("picker hanging off the bottom right", kPickerClient, kFrame, QPoint(1200, 700),
        QRect(0, 0, 1366, 768), QPoint(683, 466));
    row("picker on a screen that has gone", kPickerClient, kFrame, QPoint(2200, 300),
        QRect(0, 0, 1366, 768), QPoint(683, 300));
    row("picker above and left of the screen", kPickerClient, kFrame, QPoint(-300, -15),
        QRect(0, 0, 1366, 768), QPoint(0, 0));
  }

  void kept_inside() {
    QFETCH(QSize, client);
    QFETCH(QMargins, frame);
    QFETCH(QPoint, wanted);
    QFETCH(QRect, available);
    QFETCH(QPoint, placed);

    const QPoint topLeft = frameKeptInside(client, frame, wanted, available);
    QCOMPARE(topLeft, placed);
    const QRect outer(topLeft, client.grownBy(frame));
    if (outer.width() <= available.width() && outer.height() <= available.height())
      QVERIFY(available.contains(outer));
  }

  void centred_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("placed");

    // The frame, not the client area, is centred: the title bar counts.
    QTest::newRow("box, 1920 x 1080")
        << QSize(257, 84) << kFrame << QRect(0, 0, 1920, 1080) << QPoint(830, 487);
    QTest::newRow("box, second screen")
        << QSize(257, 84) << kFrame << QRect(1920, 28, 1280, 772) << QPoint(2430, 361);
    QTest::newRow("picker, 1366 x 768")
        << kPickerClient << kFrame << QRect(0, 0, 1366, 768) << QPoint(341, 233);
    QTest::newRow("main, screen too small")
        << kMainClient << kFrame << QRect(0, 0, 640, 480) << QPoint(0, 0);
  }
  void centred() {
    QFETCH(QSize, client);
    QFETCH(QMargins, frame);
    QFETCH(QRect, available);
    QFETCH(QPoint, placed);
    QCOMPARE(frameCentredIn(client, frame, available), placed);
  }

  void fitted_client_size_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("client");

    // With a scroll bar 14 pixels wide; the frame needs 2 x 21 around the client.
    QTest::newRow("1920 x 1080: as designed") << QRect(0, 0, 1920, 1080) << kMainClient;
    QTest::newRow("exactly fits") << QRect(0, 0, 684, 609) << kMainClient;
    QTest::newRow("960 x 540: lower, wider by the bar")
        << QRect(0, 0, 960, 540) << QSize(682 + 14, 540 - 21);
    QTest::newRow("1024 x 600 less a top panel")
        << QRect(0, 28, 1024, 572) << QSize(682 + 14, 572 - 21);
    QTest::newRow("one pixel too low") << QRect(0, 0, 1024, 608) << QSize(682 + 14, 608 - 21);
    QTest::newRow("narrow: higher by the bar") << QRect(0, 0, 600, 1000) << QSize(598, 588 + 14);
    QTest::newRow("narrow, no room for the bar below")
        << QRect(0, 0, 600, 610) << QSize(598, 610 - 21);
    QTest::newRow("low, no room for the bar beside")
        << QRect(0, 0, 690, 540) << QSize(688, 540 - 21);
    QTest::newRow("640 x 480: both cut") << QRect(0, 0, 640, 480) << QSize(638, 459);
  }
  void fitted_client_size() {
    QFETCH(QRect, available);
    QFETCH(QSize, client);
    QCOMPARE(clientSizeFitting(kMainClient, kFrame, available, 14), client);
  }

  void main_window_shown_on_a_small_screen() {
    vx::RegionalSettings regional(u'.', u',');
    TMainFrm window(regional, m_alerts);
    QCOMPARE(window.pos(), QPoint(469, 232));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QRect available = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    if (available.contains(QRect(QPoint(469, 232), frame.size())))
      QSKIP("the test screen is large enough for the designed place");
    QVERIFY2(available.contains(frame),
             qPrintable(QStringLiteral("frame at %1,%2").arg(frame.x()).arg(frame.y())));
    QCOMPARE(window.pos(), frameKeptInside(window.size(), window.windowHandle()->frameMargins(),
                                           QPoint(469, 232), available));
  }

  // Cut to a 960 x 540 screen, the window scrolls; Tab still visits every
  // control in the designed order, and each one it reaches is in view.
  void cut_main_window_scrolls_to_the_focus() {
    vx::RegionalSettings regional(u'.', u',');
    TMainFrm window(regional, m_alerts);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(!window.findChild<QScrollArea *>());  // fits: left as designed

    const auto tabChain = [&window] {
      QList<QWidget *> chain;
      for (QWidget *w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus) chain << w;
      return chain;
    };
    const QList<QWidget *> designedChain = tabChain();
    window.setFixedSize(682 + 14, 540 - 21);  // what the placer does there
    auto *area = window.findChild<QScrollArea *>();
    QVERIFY(area);
    QCOMPARE(tabChain(), designedChain);

    controlOf<QPushButton>(window, "VolumeCalcBtn")->setFocus(Qt::OtherFocusReason);
    QList<QWidget *> buttonsReached;
    for (int presses = 0; presses < designedChain.size(); ++presses) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget *focus = QApplication::focusWidget();
      if (!qobject_cast<QPushButton *>(focus)) continue;
      buttonsReached << focus;
      const QRect shown(focus->mapTo(area->viewport(), QPoint(0, 0)), focus->size());
      QVERIFY2(area->viewport()->rect().contains(shown), qPrintable(focus->objectName()));
    }
    QCOMPARE(buttonsReached, (QList<QWidget *>{controlOf<QPushButton>(window, "LightCalcBtn"),
                                               controlOf<QPushButton>(window, "Co2CalcBtn"),
                                               controlOf<QPushButton>(window, "TempCalcBtn"),
                                               controlOf<QPushButton>(window, "GhCalcBtn"),
                                               controlOf<QPushButton>(window, "VolumeCalcBtn")}));
  }

  void picker_pulled_back_from_where_it_was_left() {
    vx::RegionalSettings regional(u'.', u',');
    ApplicationWindows windows(regional, m_alerts);
    TAquaTypeFrm &picker = windows.picker();
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));

    // Left half off the screen, as after a move to a screen since removed.
    const QRect available = picker.screen()->availableGeometry();
    const QPoint offScreen = available.bottomRight() - QPoint(100, 100);
    picker.move(offScreen);
    QTRY_COMPARE(picker.pos(), offScreen);
    picker.close();

    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QTRY_VERIFY2(available.contains(picker.frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2").arg(picker.x()).arg(picker.y())));
    // Pulled in only as far as needed: against the bottom right corner.
    QCOMPARE(picker.frameGeometry().bottomRight(), available.bottomRight());
  }

private:
  ModalWatchdog m_watchdog;
  RecordingAlerts m_alerts;
};

QTEST_MAIN(TestFramePlacement)
#include "tst_frame_placement.moc"
