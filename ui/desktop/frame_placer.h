#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>

class QScreen;
class QWidget;

// Places a top-level window on its screen by a rule of frame_placement.h
// each time it is shown. Until the window manager has put its frame around
// the window, the frame is not known and the client area alone is placed;
// the place is worked out again once the frame turns up, so the whole
// window, title bar included, ends where the rule puts it.
class FramePlacer : public QObject {
public:
  enum class Rule {
    KeepInside,  // where it is, or the least distance away so the frame fits
    Centre,      // the frame centred on the screen
  };

  explicit FramePlacer(QWidget *window);

  // Call from the window's showEvent, after the base class: the window's
  // size is final then.
  void placeAtShowing(Rule rule);

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  // Where the rule puts the frame's top-left corner with the frame known now.
  QPoint target() const;
  void moveTo(QPoint topLeft);
  // Places the window again once its frame is known, until it stands where
  // the rule puts it.
  void settle();
  QMargins frameMargins() const;
  QScreen *targetScreen() const;

  QWidget *m_window;
  Rule m_rule = Rule::KeepInside;
  QPoint m_wanted;
  int m_corrections = 0;
  bool m_awaitingFrame = false;
  bool m_moving = false;
};
