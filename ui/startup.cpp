#include "ui/startup.h"

#include <QApplication>
#include <QFont>

#include "ui/pictures/window_icon.h"

void setUpApplication() {
  // Only the name, not a display name: Qt would append a display name to
  // every other caption ("Error — Vembrix"), and the display name falls back
  // to this one wherever the title is asked for.
  QApplication::setApplicationName(QStringLiteral("Vembrix"));
  QGuiApplication::setDesktopFileName(QStringLiteral("vembrix"));
  QApplication::setWindowIcon(windowIcon());
}
