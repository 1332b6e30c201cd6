#pragma once

#include <QTest>
#include <memory>

#include "fields/rules/regional_settings.h"
#include "support/modal_watchdog.h"
#include "support/recording_alerts.h"
#include "ui/app/application_windows.h"
#include "ui/windows/AquaTypeForm.h"
#include "ui/windows/MainForm.h"

// The program's two windows on a point desktop, the main one shown, with
// alerts that record and a watchdog for modal boxes nobody asked for: what a
// suite of the windows starts each test with. Call start() from init() and
// finish() from cleanup(); finish() fails the test on any box it left.
class ShownWindows {
public:
  void start() {
    m_watchdog = std::make_unique<ModalWatchdog>();
    m_windows = std::make_unique<ApplicationWindows>(m_regional, alerts);
    main().show();
    QVERIFY(QTest::qWaitForWindowExposed(&main()));
  }

  void finish() {
    m_windows.reset();
    QVERIFY(alerts.errors.isEmpty());
    QVERIFY(alerts.reports.isEmpty());
    alerts.clear();
    m_watchdog->check();
  }

  TMainFrm &main() { return m_windows->mainForm(); }
  TAquaTypeFrm &picker() { return m_windows->picker(); }

  RecordingAlerts alerts;

private:
  vx::RegionalSettings m_regional{u'.', u','};
  std::unique_ptr<ModalWatchdog> m_watchdog;
  std::unique_ptr<ApplicationWindows> m_windows;
};
