#include "ui/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/accessibility.h"
#include "ui/pictures/window_icon.h"

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
