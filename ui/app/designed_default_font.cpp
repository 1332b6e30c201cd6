#include "ui/app/designed_default_font.h"

#include <QFontDatabase>
#include <QApplication>
#include <QWidget>

QFont designedFace() {
  // The windows are laid out for an 11-pixel sans face; Liberation Sans has
  // the closest metrics of the fonts a Linux desktop reliably has. Asking for
  // it by its own name finds it at the first try, where an alias would make
  // every first use of the font in a script sort all the system's fonts.
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(11);
  return font;
}

// QGuiApplication's own setter, not QApplication's: that one would also drop
// the per-class fonts (menus, tips) that the desktop's theme gave.
DesignedDefaultFont::DesignedDefaultFont() : m_desktopFont(QGuiApplication::font()) {
  QGuiApplication::setFont(designedFace());
}

DesignedDefaultFont::~DesignedDefaultFont() {
  QGuiApplication::setFont(m_desktopFont);
  // Qt posts every window a font change for that, handled on the next turn
  // of the event loop; the windows take it now, before any is shown, so
  // that none is first laid out with the designed face's attributes where
  // the desktop's font sets others (Qt's own windows made meanwhile, as a
  // combo box's drop-down list, take the desktop's font back whole).
  for (QWidget *window : QApplication::topLevelWidgets()) {
    QEvent change(QEvent::ApplicationFontChange);
    QCoreApplication::sendEvent(window, &change);
  }
}

void followDesktopFont() {
  const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  if (QGuiApplication::font() != desktop) QGuiApplication::setFont(desktop);
}
