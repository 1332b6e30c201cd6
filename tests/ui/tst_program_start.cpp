// The program as a shell starts it. Where there is no display to open, it
// says what is missing in one line and ends with status 1, without a core;
// options meant for Qt change nothing. The built program runs as a child
// process for that; this suite's own application object is also given Qt's
// options, the way the program builds its own.

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QProcess>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <array>

#include "fields/rules/regional_settings.h"
#include "fields/widgets/result/currency_edit.h"
#include "support/find_control.h"
#include "support/recording_alerts.h"
#include "ui/windows/MainForm.h"
#include "ui/app/application_windows.h"
#include "ui/app/display_guard.h"
#include "ui/app/startup.h"
#include "ui/app/vembrix_application.h"

namespace {

// A style sheet this suite's application object is offered through
// -stylesheet, written before that object exists.
QString offeredStyleSheet() { return QDir::tempPath() + QStringLiteral("/tst_program_start.qss"); }

// A display number no X server here serves.
QString unservedDisplay() {
  for (int n = 7100; n < 8000; ++n)
    if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) &&
        !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
      return QStringLiteral(":%1").arg(n);
  return QStringLiteral(":7999");
}

struct Run {
  bool finished = false;
  QProcess::ExitStatus status = QProcess::CrashExit;
  int code = -1;
  QString out, err;
};

// Runs the program with the environment changed as given ("NAME" alone
// removes a variable), and waits at most `waitMs` for it to end; one still
// running then is killed.
Run runProgram(const QStringList &changes, const QStringList &arguments, const QString &runtimeDir,
               int waitMs) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
  for (const QString &change : changes) {
    const qsizetype eq = change.indexOf(u'=');
    if (eq < 0)
      env.remove(change);
    else
      env.insert(change.left(eq), change.mid(eq + 1));
  }
  QProcess process;
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(VEMBRIX_PROGRAM), arguments);
  Run run;
  if (!process.waitForStarted(10'000)) return run;
  run.finished = process.waitForFinished(waitMs);
  if (!run.finished) {
    process.kill();
    process.waitForFinished(10'000);
  }
  run.status = process.exitStatus();
  run.code = process.exitCode();
  run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
  run.err = QString::fromLocal8Bit(process.readAllStandardError());
  return run;
}

}  // namespace

class TestProgramStart : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    QVERIFY(m_runtimeDir.isValid());
    QVERIFY(QFile::setPermissions(m_runtimeDir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  }

  void missing_display_message_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("x11");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("session");
    QTest::addColumn<QString>("reason");

    const auto row = [](const char *name, const char *platform, const char *x11,
                        const char *wayland, const char *session, const char *reason) {
      QTest::newRow(name) << platform << x11 << wayland << session << reason;
    };
    const char *const neither = "neither DISPLAY nor WAYLAND_DISPLAY is set";
    row("nothing set", "", "", "", "", neither);
    row("X display not answering", "", ":5", "", "x11",
        "the X display \":5\" (DISPLAY) cannot be opened");
    row("only Wayland named, X tried", "", "", "wayland-1", "", "DISPLAY is not set");
    row("Wayland session: Wayland, then X", "", "", "wayland-1", "wayland",
        "no Wayland compositor answers at \"wayland-1\" (WAYLAND_DISPLAY); DISPLAY is not set");
    row("Wayland asked for, none named", "wayland", ":0", "", "",
        "no Wayland compositor answers at \"wayland-0\" (WAYLAND_DISPLAY is not set)");
    row("Wayland asked for, nothing set", "wayland-egl", "", "", "", neither);
    row("list with options, said once", "wayland:nodecorations;wayland-egl;xcb", ":1", "w", "",
        "no Wayland compositor answers at \"w\" (WAYLAND_DISPLAY); "
        "the X display \":1\" (DISPLAY) cannot be opened");
    row("some other platform", "eglfs", "", "", "",
        "the platform \"eglfs\" (QT_QPA_PLATFORM) cannot be started");
  }
  void missing_display_message() {
    QFETCH(QString, platform);
    QFETCH(QString, x11);
    QFETCH(QString, wayland);
    QFETCH(QString, session);
    QFETCH(QString, reason);
    QCOMPARE(missingDisplayMessage({platform, x11, wayland, session}),
             QStringLiteral("vembrix: no display to show the window on: ") + reason);
  }

  void no_display_exits_with_one_line_data() {
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QString>("reason");

    const QStringList noDisplay = {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
                                   QStringLiteral("QT_QPA_PLATFORM"),
                                   QStringLiteral("XDG_SESSION_TYPE")};
    const QString x11 = unservedDisplay();
    QTest::newRow("no DISPLAY, no WAYLAND_DISPLAY")
        << noDisplay << "neither DISPLAY nor WAYLAND_DISPLAY is set";
    QTest::newRow("DISPLAY nobody serves")
        << noDisplay + QStringList{QStringLiteral("DISPLAY=") + x11}
        << QStringLiteral("the X display \"%1\" (DISPLAY) cannot be opened").arg(x11);
    QTest::newRow("Wayland without a compositor")
        << noDisplay + QStringList{QStringLiteral("QT_QPA_PLATFORM=wayland"),
                                   QStringLiteral("WAYLAND_DISPLAY=vembrix-no-compositor")}
        << "no Wayland compositor answers at \"vembrix-no-compositor\" (WAYLAND_DISPLAY)";
  }
  void no_display_exits_with_one_line() {
    QFETCH(QStringList, changes);
    QFETCH(QString, reason);

    const Run run = runProgram(changes, {}, m_runtimeDir.path(), 30'000);
    QVERIFY2(run.finished, "the program went on without a display");
    QCOMPARE(run.status, QProcess::NormalExit);  // no abort, no core
    QCOMPARE(run.code, 1);
    QCOMPARE(run.err,
             QStringLiteral("vembrix: no display to show the window on: ") + reason + u'\n');
    QCOMPARE(run.out, QString());
  }

  void program_ignores_qt_options() {
    // Obeyed, -platform would end the program at once for want of that
    // plugin, and -stylesheet would complain about the missing file.
    const QString missingFile = m_runtimeDir.filePath(QStringLiteral("missing.qss"));
    const Run run =
        runProgram({QStringLiteral("QT_QPA_PLATFORM=offscreen")},
                   {QStringLiteral("-platform"), QStringLiteral("vembrix-none"),
                    QStringLiteral("-stylesheet"), missingFile, QStringLiteral("-reverse")},
                   m_runtimeDir.path(), 3000);
    QVERIFY2(
        !run.finished,
        qPrintable(
            QStringLiteral("the program ended with status %1: %2").arg(run.code).arg(run.err)));
    QVERIFY2(!run.err.contains(missingFile), qPrintable(run.err));
  }

  void qt_options_change_nothing_here() {
    QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    QVERIFY(qApp->styleSheet().isEmpty());
    QVERIFY(QApplication::style()->name().compare(u"windows", Qt::CaseInsensitive) != 0);
    QCOMPARE(QCoreApplication::arguments().size(), 1);
  }

  void window_lays_out_left_to_right() {
    setUpApplication();
    vx::RegionalSettings regional(u'.', u',');
    RecordingAlerts alerts;
    ApplicationWindows windows(regional, alerts);
    TMainFrm &main = windows.mainForm();
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QCOMPARE(main.layoutDirection(), Qt::LeftToRight);
    QCOMPARE(controlOf<vx::TCurrencyEdit>(main, "VAquaBox")->layoutDirection(), Qt::LeftToRight);
    // The computed volume reads number first, unit last.
    const QString volume = controlOf<vx::TCurrencyEdit>(main, "VAquaBox")->displayText();
    QVERIFY2(volume.front().isDigit() && volume.endsWith(QStringLiteral(" л")), qPrintable(volume));
    // The tank group stays at the left, the heater group at the right.
    QVERIFY(main.findChild<QWidget *>(QStringLiteral("GroupBox1"))->geometry().right() <
            main.findChild<QWidget *>(QStringLiteral("GroupBox18"))->geometry().left());
    QVERIFY(alerts.errors.isEmpty() && alerts.reports.isEmpty());
  }

private:
  QTemporaryDir m_runtimeDir;
};

int main(int argc, char *argv[]) {
  // Qt's options, offered to the application object as a shell would offer
  // them to the program.
  QFile sheet(offeredStyleSheet());
  if (!sheet.open(QIODevice::WriteOnly) || sheet.write("* { color: red; }") < 0) return 2;
  sheet.close();
  const QByteArray sheetPath = QFile::encodeName(sheet.fileName());
  std::array<const char *, 7> offered = {argv[0],  "-reverse", "-stylesheet", sheetPath.constData(),
                                         "-style", "windows",  nullptr};
  int offeredCount = static_cast<int>(offered.size()) - 1;
  VembrixApplication app(offeredCount, const_cast<char **>(offered.data()));

  TestProgramStart test;
  const int result = QTest::qExec(&test, argc, argv);
  QFile::remove(offeredStyleSheet());
  return result;
}

#include "tst_program_start.moc"
