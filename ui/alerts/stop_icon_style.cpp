#include "ui/alerts/stop_icon_style.h"

#include <QApplication>

// A style of the application style's own kind: a box draws and lays itself
// out as it would without it.
StopIconStyle::StopIconStyle(QStyle *applicationStyle)
    : QProxyStyle(applicationStyle->name()), m_applicationStyle(applicationStyle) {
  setParent(qApp);
}

QStyle *StopIconStyle::forApplicationStyle() {
  static QPointer<StopIconStyle> current;
  QStyle *applicationStyle = QApplication::style();
  if (!current || current->m_applicationStyle != applicationStyle) {
    // A box still open keeps the old one until it closes.
    if (current) current->deleteLater();
    current = new StopIconStyle(applicationStyle);
  }
  return current;
}

QIcon StopIconStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                  const QWidget *widget) const {
  if (standardIcon != SP_MessageBoxCritical || !m_applicationStyle)
    return QProxyStyle::standardIcon(standardIcon, option, widget);
  // The application style's own stop icon, as the box would show it.
  if (m_stop.isNull()) m_stop = m_applicationStyle->standardIcon(standardIcon, option, widget);
  return m_stop;
}
