// How trouble reaches the user: the full stop of the fault report, the guard
// that keeps a failing handler from taking the program down, and the two
// real message boxes, opened and closed the way a user would.

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <stdexcept>

#include "core/calculation_ports.h"
#include "core/float_fault.h"
#include "support/modal_watchdog.h"
#include "support/recording_alerts.h"
#include "ui/alerts/fault_report.h"
#include "ui/alerts/guarded.h"
#include "ui/alerts/message_box_alerts.h"
#include "ui/app/startup.h"

namespace {

enum class CloseWith { Escape, Enter, CloseBox };

struct SeenBox {
  bool found = false;
  QString caption, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  bool okIsDefaultAndEscape = false;
  Qt::WindowModality modality = Qt::NonModal;
  QPoint centre, screenCentre;
  const QWindow *transientParent = nullptr;
  Qt::WindowFlags flags;
  int okCentreX = 0, boxCentreX = 0;
  bool okHasIcon = true;
  bool cameBackFromMinimised = false;
};

// Waits for the box to open, notes what it shows and closes it. Polling
// rather than a single zero timer: the box must be on screen, not just built.
void inspectAndClose(SeenBox &seen, CloseWith closeWith) {
  auto *timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, timer, [&seen, closeWith, timer] {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    seen.found = true;
    seen.caption = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    for (QAbstractButton *b : box->buttons()) seen.buttons << b->text();
    seen.okIsDefaultAndEscape = box->buttons().size() == 1 &&
                                box->defaultButton() == box->buttons().first() &&
                                box->escapeButton() == box->buttons().first();
    seen.modality = box->windowModality();
    seen.centre = box->frameGeometry().center();
    seen.screenCentre = box->screen()->availableGeometry().center();
    seen.transientParent = box->windowHandle()->transientParent();
    seen.flags = box->windowFlags();
    if (QAbstractButton *ok = box->buttons().value(0)) {
      seen.okCentreX = ok->mapTo(box, ok->rect().center()).x();
      seen.okHasIcon = !ok->icon().isNull();
    }
    seen.boxCentreX = box->rect().center().x();
    // A window manager that offers minimise anyway: the box must come back.
    box->setWindowState(Qt::WindowMinimized);
    seen.cameBackFromMinimised =
        QTest::qWaitFor([box] { return !(box->windowState() & Qt::WindowMinimized); }, 1000);
    switch (closeWith) {
      case CloseWith::Escape: QTest::keyClick(box, Qt::Key_Escape); break;
      case CloseWith::Enter: QTest::keyClick(box, Qt::Key_Return); break;
      case CloseWith::CloseBox: box->close(); break;
    }
  });
  timer->start();
}

}  // namespace

Q_DECLARE_METATYPE(CloseWith)

class TestErrorReport : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    QApplication::setApplicationName(QStringLiteral("Vembrix"));
    // The frame texts must stay English with Qt's Russian texts installed.
    installRussianStandardTexts();
    // Leaves the box tests time to close their own boxes first.
    m_watchdog = new ModalWatchdog(2000, this);
  }

  void cleanup() {
    m_alerts.clear();
    m_alerts.whileReporting = nullptr;
    m_watchdog->check();
  }

  void full_stop_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char *name, const char *message, const char *shown) {
      QTest::newRow(name) << message << shown;
    };
    row("ends in a letter", "Floating point overflow", "Floating point overflow.");
    row("ends in a digit", "Error 42", "Error 42.");
    row("ends in a Cyrillic letter", "Ошибка", "Ошибка.");
    row("ends in '/', just above '.'", "a/", "a/.");
    row("already ends in '.'", "Done.", "Done.");
    row("ends in '!'", "Неверные входные данные !", "Неверные входные данные !");
    row("ends in ')'", "failed (twice)", "failed (twice)");
    row("ends in '-', just below '.'", "a-", "a-");
    row("ends in a blank", "trailing ", "trailing ");
    row("empty", "", "");
  }
  void full_stop() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(withFullStop(message), shown);
  }

  void guard_reports_what_escapes_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");

    QTest::newRow("division by zero") << 0 << "Floating point division by zero.";
    QTest::newRow("overflow") << 1 << "Floating point overflow.";
    QTest::newRow("other std exception") << 2 << "vector too long.";
    QTest::newRow("not a std exception") << 3 << "Unknown exception.";
  }
  void guard_reports_what_escapes() {
    QFETCH(int, kind);
    QFETCH(QString, text);

    bool after = false;
    runGuarded(m_alerts, [kind, &after] {
      switch (kind) {
        case 0: throw vx::FloatFaultError(vx::FloatFault::DivisionByZero);
        case 1: throw vx::FloatFaultError(vx::FloatFault::Overflow);
        case 2: throw std::length_error("vector too long");
        default: throw 42;
      }
      after = true;
    });
    QVERIFY(!after);
    QCOMPARE(m_alerts.reports.size(), 1);
    QCOMPARE(m_alerts.reports[0].caption, QStringLiteral("Vembrix"));
    QCOMPARE(m_alerts.reports[0].text, text);
  }

  void report_cancels_mouse_grab() {
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.grabMouse();
    QCOMPARE(QWidget::mouseGrabber(), &window);

    QWidget *grabberDuringReport = &window;
    m_alerts.whileReporting = [&] { grabberDuringReport = QWidget::mouseGrabber(); };
    runGuarded(m_alerts, [] { throw vx::FloatFaultError(vx::FloatFault::Overflow); });
    QCOMPARE(grabberDuringReport, nullptr);
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
  }

  void report_restores_focus() {
    QWidget window;
    auto *first = new QLineEdit(&window);
    auto *second = new QLineEdit(&window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    second->setFocus();
    QCOMPARE(QApplication::focusWidget(), second);

    // A box on screen takes the focus; closing it must hand it back.
    m_alerts.whileReporting = [first] { first->setFocus(); };
    runGuarded(m_alerts, [] { throw std::runtime_error("boom"); });
    QCOMPARE(QApplication::focusWidget(), second);
    QCOMPARE(QApplication::activeWindow(), &window);
  }

  // The error box closes every way a user closes a box; the fault report
  // is the same box under the program's name.
  void box_shows_and_closes_data() {
    QTest::addColumn<CloseWith>("closeWith");
    QTest::addColumn<bool>("faultReport");
    QTest::newRow("error box, Escape") << CloseWith::Escape << false;
    QTest::newRow("error box, Enter") << CloseWith::Enter << false;
    QTest::newRow("error box, close box") << CloseWith::CloseBox << false;
    QTest::newRow("fault report, Enter") << CloseWith::Enter << true;
  }
  void box_shows_and_closes() {
    QFETCH(CloseWith, closeWith);
    QFETCH(bool, faultReport);

    SeenBox seen;
    inspectAndClose(seen, closeWith);
    MessageBoxAlerts alerts;  // returns only once the box is closed
    if (faultReport)
      runGuarded(alerts, [] { throw vx::FloatFaultError(vx::FloatFault::DivisionByZero); });
    else
      alerts.showError(vx::kBadInputMessage);

    QVERIFY(seen.found);
    QCOMPARE(seen.caption, faultReport ? QStringLiteral("Vembrix") : QStringLiteral("Error"));
    QCOMPARE(seen.text, faultReport ? QStringLiteral("Floating point division by zero.")
                                    : QStringLiteral("Неверные входные данные !"));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});
    QVERIFY(seen.okIsDefaultAndEscape);
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    QVERIFY2((seen.centre - seen.screenCentre).manhattanLength() <= 2,
             qPrintable(
                 QStringLiteral("box centred at %1,%2").arg(seen.centre.x()).arg(seen.centre.y())));
  }

  void boxes_belong_to_the_active_window_data() {
    QTest::addColumn<bool>("faultReport");
    QTest::newRow("error box") << false;
    QTest::newRow("fault report") << true;
  }
  void boxes_belong_to_the_active_window() {
    QFETCH(bool, faultReport);

    QWidget window;
    window.resize(300, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    SeenBox seen;
    inspectAndClose(seen, CloseWith::Enter);
    MessageBoxAlerts alerts;
    if (faultReport)
      runGuarded(alerts, [] { throw std::runtime_error("boom"); });
    else
      alerts.showError(vx::kBadInputMessage);

    QVERIFY(seen.found);
    // Kept with the window it stands for, not with Qt's hidden group leader.
    QCOMPARE(seen.transientParent, window.windowHandle());
    QVERIFY(!seen.flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!seen.flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(seen.flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(seen.cameBackFromMinimised);
    QVERIFY2(qAbs(seen.okCentreX - seen.boxCentreX) <= 1,
             qPrintable(QStringLiteral("OK centred at %1 in a box centred at %2")
                            .arg(seen.okCentreX)
                            .arg(seen.boxCentreX)));
    QVERIFY(!seen.okHasIcon);
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});
    if (faultReport) QTRY_COMPARE(QApplication::activeWindow(), &window);
  }

private:
  ModalWatchdog *m_watchdog = nullptr;
  RecordingAlerts m_alerts;
};

QTEST_MAIN(TestErrorReport)
#include "tst_error_report.moc"
