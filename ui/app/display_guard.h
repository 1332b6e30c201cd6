#pragma once

#include <QString>

// What the process environment says about the display Qt will look for.
struct DisplayEnvironment {
  QString platform;     // QT_QPA_PLATFORM: plugin names separated by ';'
  QString x11Display;   // DISPLAY
  QString wayland;      // WAYLAND_DISPLAY
  QString sessionType;  // XDG_SESSION_TYPE, which puts Wayland first when it says so

  static DisplayEnvironment current();
};

// The line printed when Qt could start none of the platforms it tried: what
// was missing, as far as the environment tells.
QString missingDisplayMessage(const DisplayEnvironment &env);

// Where Qt finds no display to open (no DISPLAY and no WAYLAND_DISPLAY, an X
// server that does not answer, no Wayland compositor), QGuiApplication's
// constructor ends the process with abort() and a core dump, after several
// lines that advise reinstalling. There is no way to ask Qt beforehand
// whether its platform will come up short of repeating the work of each
// plugin (an X connection with its authorisation, a Wayland handshake), so
// the guard lets Qt try and stands in for the abort instead: while it lives,
// Qt's messages are held back, and a fatal one prints missingDisplayMessage()
// as the only line on standard error and ends the process with status 1.
// When the application object has been built, the guard's end passes the
// held messages on as they would have been printed.
class DisplayGuard {
public:
  DisplayGuard();
  ~DisplayGuard();
  DisplayGuard(const DisplayGuard &) = delete;
  DisplayGuard &operator=(const DisplayGuard &) = delete;
};
