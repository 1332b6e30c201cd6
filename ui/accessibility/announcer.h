#pragma once

#include <QObject>

class QString;
class QWidget;

// Tells a screen reader one sentence, once: what a calculation showed, what a
// shape pick changed. The sentence goes to the window's focused control, and
// waits until the window holds the focus again when it does not now (a pick
// hides the picker first), so it comes after what the reader says about the
// focus, not under it.
//
// Newer Qt has an event made for this (qt_differences.h sends it); older Qt
// has none, and there a notification appears for a moment instead.
class Announcer : public QObject {
  Q_OBJECT

public:
  static Announcer &instance();

  void announce(QWidget *window, const QString &sentence);

signals:
  // A sentence has gone to the focused control (also without a screen
  // reader, when it goes nowhere further).
  void said(QWidget *focus, const QString &sentence);

private:
  void tell(QWidget *focus, const QString &sentence);
};
