#include "ui/designed_default_font.h"

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
  // Windows of Qt's own made meanwhile (a combo box's drop-down list) took
  // the designed face as their natural font; they resolve theirs again, as
  // QApplication::setFont would have them do. The forms set their font
  // themselves, and stay as they are.
  for (QWidget *window : QApplication::topLevelWidgets()) {
    if (window->testAttribute(Qt::WA_SetFont)) continue;
    QEvent change(QEvent::ApplicationFontChange);
    QCoreApplication::sendEvent(window, &change);
  }
}

void followDesktopFont() {
  const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  if (QGuiApplication::font() != desktop) QGuiApplication::setFont(desktop);
}
