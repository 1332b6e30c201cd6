#include "ui/app/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>

#include "ui/accessibility/accessibility.h"
#include "ui/artwork/window_icon.h"

void setUpApplication() {
  // Only the name, not a display name: Qt would append a display name to
  // every other caption ("Error — Vembrix"), and the display name falls back
  // to this one wherever the title is asked for.
  QApplication::setApplicationName(QStringLiteral("Vembrix"));
  QGuiApplication::setDesktopFileName(QStringLiteral("vembrix"));
  QApplication::setWindowIcon(windowIcon());
  installRussianStandardTexts();
  installAccessibleInterfaces();
}

void showMainWindow(QWidget &window) {
  // Qt gives a window that has an icon when it is created the whole icon,
  // every size of it, twice over: as it makes the X window and again just
  // after. Made while the program has no icon, the window gets it once, from
  // the program's, before it is mapped. This holds for the first window
  // only: setting the program's icon hands it again to every window that
  // already has an X window.
  const QIcon icon = QApplication::windowIcon();
  QApplication::setWindowIcon(QIcon());
  window.winId();
  QApplication::setWindowIcon(icon);
  window.show();
}

bool installRussianStandardTexts() {
  // Qt's own texts (the entry fields' context menu and the like) in the
  // windows' language, whatever the user's locale: the windows are Russian.
  // Without the translation installed they stay English, which is no fault.
  const QString name = QStringLiteral("qtbase_ru");
  if (QCoreApplication::instance()->findChild<QTranslator *>(name)) return true;
  auto *translator = new QTranslator(QCoreApplication::instance());
  translator->setObjectName(name);
  if (translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(translator))
    return true;
  delete translator;
  return false;
}
