#include "ui/app/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "ui/accessibility/accessibility.h"
#include "ui/artwork/window_icon.h"

void setUpApplication() {
  keepLargeBlocksMapped();
  // Only the name, not a display name: Qt would append a display name to
  // every other caption ("Error — Vembrix"), and the display name falls back
  // to this one wherever the title is asked for.
  QApplication::setApplicationName(QStringLiteral("Vembrix"));
  QGuiApplication::setDesktopFileName(QStringLiteral("vembrix"));
  QApplication::setWindowIcon(windowIcon());
  installRussianStandardTexts();
  installAccessibleInterfaces();
}

void keepLargeBlocksMapped() {
#if defined(__GLIBC__)
  // glibc maps a block of 128 kB or more on its own, but raises that bound to
  // the size of each such block freed, up to 32 MB. After the first long text
  // the copies and layouts of long texts then come from the heap, and the
  // holes they leave between smaller blocks stay resident: the process grew
  // by megabytes over a session of pastes. A fixed bound keeps every large
  // block in a mapping of its own, given back whole when it is freed.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
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
