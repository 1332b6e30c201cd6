#pragma once

#include <QFont>

// While the windows are built, Qt's default font is the face they are drawn
// with. Every line edit lays its text out once in the default font before
// it takes its widget's font; with the desktop's font as the default, that
// one layout loads a second face (through a substitution that sorts all the
// system's fonts), which is a good part of the start-up work.
//
// The desktop's font comes back when the scope ends, and Qt's own boxes,
// menus and tips made later take it as before. Qt stops following the
// desktop's font once a program has set one, so followDesktopFont() does
// that in Qt's place: the application calls it at every theme change. Unlike
// Qt's own following, setting the font tells the open windows, so they take
// the new desktop font at once rather than only the windows opened later.
class DesignedDefaultFont {
public:
  DesignedDefaultFont();
  ~DesignedDefaultFont();
  DesignedDefaultFont(const DesignedDefaultFont &) = delete;
  DesignedDefaultFont &operator=(const DesignedDefaultFont &) = delete;

private:
  QFont m_desktopFont;
};

// The face the windows are laid out for.
QFont designedFace();

// Makes Qt's default font the desktop's font again, as Qt would on a change
// of the desktop's settings.
void followDesktopFont();
