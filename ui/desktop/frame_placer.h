#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QSize>

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

  // From here on a frame that cannot fit the screen's available area at the
  // designed client size shrinks the window to that area (see
  // clientSizeFitting); its contents must scroll then. Without this call the
  // window keeps its size.
  void shrinkToFit(QSize designedClientSize);

  // Call from the window's showEvent, after the base class: the window's
  // size is final then.
  void placeAtShowing(Rule rule);

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  // The client size for the frame known now: the designed one, or less where
  // the frame does not fit the screen.
  QSize targetSize() const;
  // Where the rule puts the frame's top-left corner with the frame known now
  // around a client area of that size.
  QPoint target(QSize clientSize) const;
  void placeAt(QSize clientSize, QPoint topLeft);
  // Places the window again once its frame is known, until it stands where
  // the rule puts it.
  void settle();
  QMargins frameMargins() const;
  // Where the frame's top-left corner stands now.
  QPoint framePosition() const;
  QScreen *targetScreen() const;

  QWidget *m_window;
  Rule m_rule = Rule::KeepInside;
  QPoint m_wanted;
  QSize m_designed;  // invalid: the window keeps its size
  int m_corrections = 0;
  bool m_awaitingFrame = false;
  bool m_moving = false;
};
