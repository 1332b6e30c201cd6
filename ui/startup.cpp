#include "ui/startup.h"

#include <QApplication>
#include <QFont>

#include "ui/accessibility.h"
#include "ui/pictures/window_icon.h"

void setUpApplication() {
  // Only the name, not a display name: Qt would append a display name to
  // every other caption ("Error — Vembrix"), and the display name falls back
  // to this one wherever the title is asked for.
  QApplication::setApplicationName(QStringLiteral("Vembrix"));
  QGuiApplication::setDesktopFileName(QStringLiteral("vembrix"));
  QApplication::setWindowIcon(windowIcon());
  // The windows are drawn for this bitmap face; Liberation Sans has the
  // metrics closest to it of the fonts a Linux desktop reliably has.
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
  installAccessibleInterfaces();
}
