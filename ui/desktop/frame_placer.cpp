#include "ui/desktop/frame_placer.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include "ui/desktop/frame_placement.h"

FramePlacer::FramePlacer(QWidget *window) : QObject(window), m_window(window) {
  window->installEventFilter(this);
}

namespace {
// Window managers answer a move with a configure event or two; a place still
// wrong after this many corrections is left to the window manager.
constexpr int kMaxCorrections = 3;
}  // namespace

void FramePlacer::shrinkToFit(QSize designedClientSize) { m_designed = designedClientSize; }

void FramePlacer::placeAtShowing(Rule rule) {
  m_rule = rule;
  // The place asked for, kept for the later passes: by then the window may
  // already stand where the first pass put it.
  m_wanted = m_window->pos();
  m_corrections = 0;
  m_awaitingFrame = true;
  const QSize size = targetSize();
  placeAt(size, target(size));
}

bool FramePlacer::eventFilter(QObject *watched, QEvent *event) {
  if (watched == m_window && m_awaitingFrame && !m_moving) {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::WindowActivate:
        // The window manager has just framed, moved or focused the window.
        settle();
        break;
      case QEvent::Hide: m_awaitingFrame = false; break;
      default: break;
    }
  }
  return QObject::eventFilter(watched, event);
}

void FramePlacer::settle() {
  // Until the frame is known, a move places the client area, not the frame
  // (and without a window manager it never will be known).
  if (frameMargins().isNull()) return;
  const QSize size = targetSize();
  const QPoint wanted = target(size);
  if ((m_window->size() == size && framePosition() == wanted) ||
      ++m_corrections > kMaxCorrections) {
    m_awaitingFrame = false;  // from here on only the user moves it
    return;
  }
  placeAt(size, wanted);
}

QSize FramePlacer::targetSize() const {
  const QScreen *screen = targetScreen();
  if (!m_designed.isValid() || !screen) return m_window->size();
  const int scrollBar =
      m_window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_window);
  return clientSizeFitting(m_designed, frameMargins(), screen->availableGeometry(), scrollBar);
}

QPoint FramePlacer::target(QSize clientSize) const {
  const QScreen *screen = targetScreen();
  if (!screen) return m_window->pos();
  const QMargins frame = frameMargins();
  const QRect available = screen->availableGeometry();
  return m_rule == Rule::Centre ? frameCentredIn(clientSize, frame, available)
                                : frameKeptInside(clientSize, frame, m_wanted, available);
}

void FramePlacer::placeAt(QSize clientSize, QPoint topLeft) {
  // The move and resize events Qt sends back at once tell nothing yet: only
  // the window manager's answer shows where the window really is.
  m_moving = true;
  if (m_window->size() != clientSize) m_window->setFixedSize(clientSize);
  if (framePosition() != topLeft) {
    // The frame's corner itself, which the window manager puts in place
    // whatever frame it draws. QWidget::move() would place the client area
    // at the corner plus the frame the widget knew of at its last move: a
    // manager that shows the window first and frames it a moment later,
    // without moving it (as a busy one may), leaves that frame empty, and
    // the window landed a title bar's height too high for good.
    if (QWindow *handle = m_window->windowHandle())
      handle->setFramePosition(topLeft);
    else
      m_window->move(topLeft);
  }
  m_moving = false;
}

QPoint FramePlacer::framePosition() const {
  // The client area's place and the frame around it as the window system
  // reports them now, not as the widget last heard of them.
  const QWindow *handle = m_window->windowHandle();
  return handle ? handle->framePosition() : m_window->pos();
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
    if (QScreen *screen = QGuiApplication::screenAt(wantedFrame.center())) return screen;
  }
  if (QScreen *screen = m_window->screen()) return screen;
  return QGuiApplication::primaryScreen();
}
