#include "ui/frame_placer.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "ui/frame_placement.h"

FramePlacer::FramePlacer(QWidget *window) : QObject(window), m_window(window) {
  window->installEventFilter(this);
}

void FramePlacer::placeAtShowing(Rule rule) {
  m_rule = rule;
  // The place asked for, kept for the second pass: by then the window may
  // already stand where the first pass put it.
  m_wanted = m_window->pos();
  m_awaitingFrame = true;
  place();
}

bool FramePlacer::eventFilter(QObject *watched, QEvent *event) {
  if (watched == m_window && m_awaitingFrame) {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::WindowActivate:
        // The window manager has just framed, moved or focused the window:
        // the frame is known now if it ever will be.
        if (frameMargins() != m_placedWith)
          place();
        break;
      case QEvent::Hide:
        m_awaitingFrame = false;
        break;
      default:
        break;
    }
  }
  return QObject::eventFilter(watched, event);
}

void FramePlacer::place() {
  QScreen *screen = targetScreen();
  if (!screen)
    return;
  const QMargins frame = frameMargins();
  const QRect available = screen->availableGeometry();
  const QPoint topLeft = m_rule == Rule::Centre
                             ? frameCentredIn(m_window->size(), frame, available)
                             : frameKeptInside(m_window->size(), frame, m_wanted, available);
  m_placedWith = frame;
  // A frame once known stays put: from here on only the user moves it.
  if (!frame.isNull())
    m_awaitingFrame = false;
  if (m_window->pos() != topLeft)
    m_window->move(topLeft);
}

QMargins FramePlacer::frameMargins() const {
  const QWindow *handle = m_window->windowHandle();
  return handle ? handle->frameMargins() : QMargins();
}

QScreen *FramePlacer::targetScreen() const {
  if (m_rule == Rule::Centre) {
    // A box belongs on the screen of the window it stands for.
    const QWindow *handle = m_window->windowHandle();
    if (handle && handle->transientParent() && handle->transientParent()->screen())
      return handle->transientParent()->screen();
  } else {
    // A place on a screen that has since gone is pulled onto the window's
    // own (Qt moves it to the primary screen then).
    const QRect wantedFrame(m_wanted, m_window->frameGeometry().size());
    if (QScreen *screen = QGuiApplication::screenAt(wantedFrame.center()))
      return screen;
  }
  if (QScreen *screen = m_window->screen())
    return screen;
  return QGuiApplication::primaryScreen();
}
