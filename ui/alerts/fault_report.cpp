#include "ui/alerts/fault_report.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <exception>

#include "ui/alerts/alerts.h"

QString withFullStop(const QString &message) {
  if (!message.isEmpty() && message.back().unicode() > u'.') return message + u'.';
  return message;
}

void showFaultReport(Alerts &alerts, const QString &message) {
  if (QWidget *grabber = QWidget::mouseGrabber()) grabber->releaseMouse();

  // Either may be gone by the time the box closes.
  QPointer<QWidget> active = QApplication::activeWindow();
  QPointer<QWidget> focus = active ? active->focusWidget() : nullptr;

  alerts.reportFault(QGuiApplication::applicationDisplayName(), withFullStop(message));

  if (active) {
    active->activateWindow();
    if (focus) focus->setFocus(Qt::OtherFocusReason);
  }
}

void reportCurrentException(Alerts &alerts) {
  QString message;
  try {
    throw;
  } catch (const std::exception &e) {
    message = QString::fromUtf8(e.what());
  } catch (...) {
    message = QStringLiteral("Unknown exception");
  }
  showFaultReport(alerts, message);
}
