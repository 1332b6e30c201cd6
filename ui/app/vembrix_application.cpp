#include "ui/app/vembrix_application.h"

#include "ui/app/designed_default_font.h"
#include "ui/alerts/fault_report.h"
#include "ui/alerts/message_box_alerts.h"

namespace {

// What Qt is given in place of the command line: the program's name alone.
// QApplication keeps a reference to the count and reads the vector for as
// long as it lives, hence static storage.
int qtArgumentCount = 1;
char fallbackName[] = "vembrix";
char *qtArguments[] = {fallbackName, nullptr};

char **programNameOnly(int argc, char **argv) {
  if (argc > 0 && argv && argv[0]) qtArguments[0] = argv[0];
  return qtArguments;
}

}  // namespace

VembrixApplication::VembrixApplication(int &argc, char **argv)
    : QApplication(qtArgumentCount, programNameOnly(argc, argv)),
      m_ownAlerts(std::make_unique<MessageBoxAlerts>()),
      m_alerts(m_ownAlerts.get()) {}

VembrixApplication::~VembrixApplication() = default;

void VembrixApplication::setAlerts(Alerts *alerts) {
  m_alerts = alerts ? alerts : m_ownAlerts.get();
}

bool VembrixApplication::notify(QObject *receiver, QEvent *event) {
  // Qt sends a change of the desktop's settings to every window.
  if (event->type() == QEvent::ThemeChange) followDesktopFont();
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
