// The program as a whole: its title and font, the two windows it creates,
// how it ends, and the backstop that keeps an escaped exception from ending
// it.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <stdexcept>

#include "core/float_fault.h"
#include "fields/rules/regional_settings.h"
#include "support/find_control.h"
#include "support/modal_watchdog.h"
#include "support/recording_alerts.h"
#include "ui/windows/AquaTypeForm.h"
#include "ui/windows/MainForm.h"
#include "ui/app/application_windows.h"
#include "ui/app/designed_default_font.h"
#include "ui/controls/picture_control.h"
#include "ui/app/startup.h"
#include "ui/app/vembrix_application.h"

namespace {

// Throws from inside event delivery, where no handler guard is in place.
class Thrower : public QObject {
public:
  int kind = 0;

protected:
  bool event(QEvent *e) override {
    if (e->type() != QEvent::User) return QObject::event(e);
    switch (kind) {
      case 0: throw vx::FloatFaultError(vx::FloatFault::InvalidOperation);
      case 1: throw std::runtime_error("Disk full");
      default: throw 1;
    }
  }
};

// Runs the event loop as the program does, but never for longer than a test
// may take.
int runEventLoop(int limitMs = 5000) {
  QTimer::singleShot(limitMs, qApp, [] { QCoreApplication::exit(99); });
  return QCoreApplication::exec();
}

}  // namespace

class TestStartup : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    setUpApplication();
    app()->setAlerts(&m_alerts);
    m_watchdog = new ModalWatchdog(0, this);
  }

  void cleanup() {
    m_alerts.clear();
    m_watchdog->check();
  }

  void application_title() {
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Vembrix"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Vembrix"));
    QVERIFY(!QApplication::windowIcon().isNull());
  }

  // The windows' face is their own: building them must change neither the
  // desktop's default font nor the per-class fonts that Qt's own boxes, menus
  // and tips take, so those still look and follow the desktop as in any program.
  void windows_draw_their_own_face_and_leave_qt_fonts_alone() {
    const char *qtClasses[] = {nullptr, "QMessageBox", "QMenu", "QTipLabel", "QLineEdit"};
    QList<QFont> before;
    for (const char *name : qtClasses) before << QApplication::font(name);

    ApplicationWindows windows(m_regional, m_alerts);
    for (QWidget *w :
         {static_cast<QWidget *>(&windows.mainForm()), static_cast<QWidget *>(&windows.picker())}) {
      const QFontInfo drawn(w->font());
      QCOMPARE(drawn.family(), QStringLiteral("Liberation Sans"));
      QCOMPARE(drawn.pixelSize(), 11);
    }
    for (qsizetype i = 0; i < before.size(); ++i)
      QCOMPARE(QApplication::font(qtClasses[i]), before[i]);
    // Qt's own windows made while the forms were built, and after.
    QWidget form;
    form.setFont(designedFace());
    auto *plain = new QComboBox(&form);
    plain->setEditable(true);
    auto *reflectors = windows.mainForm().findChild<QComboBox *>(QStringLiteral("RefBox"));
    QVERIFY(reflectors);
    QCOMPARE(reflectors->view()->window()->font(), plain->view()->window()->font());
    QMessageBox box;
    QCOMPARE(box.font(), before[1]);
    std::unique_ptr<QMenu> menu(
        windows.mainForm().findChild<QLineEdit *>()->createStandardContextMenu());
    QCOMPARE(menu->font(), QApplication::font("QMenu"));
    // A window of Qt's own made while the designed face was the default.
    std::unique_ptr<QWidget> madeMeanwhile;
    {
      const DesignedDefaultFont building;
      madeMeanwhile = std::make_unique<QWidget>();
      QCOMPARE(madeMeanwhile->font(), designedFace());
    }
    QCOMPARE(madeMeanwhile->font(), before[0]);
  }

  // Whatever the desktop's font, every control of the windows has, as soon as
  // they are built, the font it has when the windows are built with the
  // desktop's font as the default throughout.
  void controls_keep_their_fonts_under_any_desktop_font() {
    const QFont desktop = QGuiApplication::font();
    const auto restore = qScopeGuard([&] { QGuiApplication::setFont(desktop); });
    QFont unusual = desktop;
    unusual.setItalic(true);
    unusual.setWeight(QFont::DemiBold);
    unusual.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    QGuiApplication::setFont(unusual);

    ApplicationWindows windows(m_regional, m_alerts);
    TMainFrm plain(m_regional, m_alerts);  // before Qt's posted font changes arrive
    QCOMPARE(windows.mainForm().font(), plain.font());
    const QList<QWidget *> controls = plain.findChildren<QWidget *>();
    QVERIFY(controls.size() > 50);
    for (QWidget *control : controls) {
      if (control->objectName().isEmpty()) continue;
      auto *built = windows.mainForm().findChild<QWidget *>(control->objectName());
      QVERIFY2(built, qPrintable(control->objectName()));
      QVERIFY2(built->font() == control->font(), qPrintable(control->objectName()));
    }
  }

  // Qt leaves the default font alone on a change of the desktop's settings once
  // a program has set one, as the windows' building does for a moment; the
  // application then brings back the desktop's font in Qt's place.
  void default_font_follows_the_desktop() {
    const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    QCOMPARE(QGuiApplication::font(), desktop);
    { ApplicationWindows windows(m_regional, m_alerts); }
    QCOMPARE(QGuiApplication::font(), desktop);
    QFont stale(QStringLiteral("Liberation Mono"));
    stale.setPixelSize(17);
    QGuiApplication::setFont(stale);
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QEvent themeChange(QEvent::ThemeChange);
    QCoreApplication::sendEvent(window.windowHandle(), &themeChange);
    QCOMPARE(QGuiApplication::font(), desktop);
  }

  void standard_texts_are_russian() {
    QVERIFY2(installRussianStandardTexts(), "qt6-translations-l10n is not installed");
    QLineEdit field;
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
      if (!action->isSeparator()) texts << action->text();
    QVERIFY(!texts.isEmpty());
    for (const QString &text : texts)
      QVERIFY2(std::any_of(text.begin(), text.end(),
                           [](QChar c) { return c.script() == QChar::Script_Cyrillic; }),
               qPrintable(text));
  }

  void windows_are_published_while_they_live() {
    {
      ApplicationWindows windows(m_regional, m_alerts);
      QCOMPARE(MainFrm, &windows.mainForm());
      QCOMPARE(AquaTypeFrm, &windows.picker());
      QVERIFY(!AquaTypeFrm->isVisible());
      QCOMPARE(AquaTypeFrm->windowTitle(), QStringLiteral("AquaTypeFrm"));
      QVERIFY(!AquaTypeFrm->testAttribute(Qt::WA_QuitOnClose));
    }
    QCOMPARE(MainFrm, nullptr);
    QCOMPARE(AquaTypeFrm, nullptr);
  }

  // Closing the main window ends the program, the picker open or not; closing
  // the picker leaves it running.
  void closing_a_window_data() {
    QTest::addColumn<bool>("closeMain");
    QTest::newRow("main window, picker open") << true;
    QTest::newRow("picker") << false;
  }
  void closing_a_window() {
    QFETCH(bool, closeMain);
    ApplicationWindows windows(m_regional, m_alerts);
    windows.mainForm().show();
    QTest::mouseClick(controlOf<PictureControl>(windows.mainForm(), "AquaImage"), Qt::LeftButton,
                      {}, QPoint(100, 50));
    QVERIFY(QTest::qWaitForWindowExposed(&windows.picker()));

    QWidget *closed = closeMain ? static_cast<QWidget *>(&windows.mainForm()) : &windows.picker();
    QTimer::singleShot(0, closed, &QWidget::close);
    QTimer stillRunning;  // gone with the test, whichever way the loop ends
    stillRunning.callOnTimeout(qApp, [] { QCoreApplication::exit(7); });
    stillRunning.start(200);
    QCOMPARE(runEventLoop(), closeMain ? 0 : 7);
    QCOMPARE(windows.mainForm().isVisible(), !closeMain);
  }

  void escaped_exception_is_reported_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("posted");
    QTest::addColumn<QString>("text");

    QTest::newRow("fault, sent") << 0 << false << "Invalid floating point operation.";
    QTest::newRow("fault, posted") << 0 << true << "Invalid floating point operation.";
    QTest::newRow("std exception, posted") << 1 << true << "Disk full.";
    QTest::newRow("anything else, sent") << 2 << false << "Unknown exception.";
  }
  void escaped_exception_is_reported() {
    QFETCH(int, kind);
    QFETCH(bool, posted);
    QFETCH(QString, text);

    Thrower thrower;
    thrower.kind = kind;
    if (posted) {
      QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
      QCoreApplication::processEvents();
    } else {
      QEvent event(QEvent::User);
      QVERIFY(!QCoreApplication::sendEvent(&thrower, &event));
    }
    QCOMPARE(m_alerts.reports.size(), 1);
    QCOMPARE(m_alerts.reports[0].caption, QStringLiteral("Vembrix"));
    QCOMPARE(m_alerts.reports[0].text, text);

    // Event delivery goes on as before.
    QEvent harmless(QEvent::None);
    QCoreApplication::sendEvent(&thrower, &harmless);
    QCOMPARE(m_alerts.reports.size(), 1);
  }

private:
  VembrixApplication *app() { return static_cast<VembrixApplication *>(qApp); }

  vx::RegionalSettings m_regional{u'.', u','};
  RecordingAlerts m_alerts;
  ModalWatchdog *m_watchdog = nullptr;
};

int main(int argc, char *argv[]) {
  // The backstop lives in the application object, so this suite runs under
  // the program's own one.
  VembrixApplication app(argc, argv);
  TestStartup test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
