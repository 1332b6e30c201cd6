#include "ui/vembrix_application.h"

#include "ui/fault_report.h"
#include "ui/message_box_alerts.h"

VembrixApplication::VembrixApplication(int &argc, char **argv)
    : QApplication(argc, argv),
      m_ownAlerts(std::make_unique<MessageBoxAlerts>()),
      m_alerts(m_ownAlerts.get()) {}

VembrixApplication::~VembrixApplication() = default;

void VembrixApplication::setAlerts(Alerts *alerts) {
  m_alerts = alerts ? alerts : m_ownAlerts.get();
}

bool VembrixApplication::notify(QObject *receiver, QEvent *event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    try {
      reportCurrentException(*m_alerts);
    } catch (...) {
      // See runGuarded: a failing report must not unwind into the event loop.
    }
    return false;
  }
}
