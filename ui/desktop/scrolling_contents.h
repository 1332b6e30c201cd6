#pragma once

#include <QObject>
#include <QSize>

class QScrollArea;
class QWidget;

// Keeps every control of a window of hand-placed controls within reach when
// the window is smaller than its layout (on a screen too small for it): the
// window's children then move into a scroll area that fills the window, and
// the view follows the keyboard focus. A window at its designed size keeps
// its children as they are, pixel for pixel.
class ScrollingContents : public QObject {
public:
  ScrollingContents(QWidget *window, QSize designedSize);

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void moveIntoScrollArea();

  QWidget *m_window;
  QSize m_designed;
  QScrollArea *m_area = nullptr;
};
