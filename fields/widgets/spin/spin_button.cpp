#include "fields/widgets/spin/spin_button.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include "fields/widgets/spin/spin_face.h"

namespace vx {

namespace {

// The main window's fields are 21 pixels high.
constexpr QSize kDefaultSize(18, 18);

std::size_t faceIndex(vx::SpinHalf pressed) {
  switch (pressed) {
    case vx::SpinHalf::Up: return 1;
    case vx::SpinHalf::Down: return 2;
    case vx::SpinHalf::None: break;
  }
  return 0;
}

}  // namespace

SpinButton::SpinButton(QWidget *field) : QWidget(field) {
  // The field under it shows an I-beam; the button is no text.
  setCursor(Qt::ArrowCursor);
  // Never the focus: a click on the button focuses the field (see
  // mousePressEvent), and the keys go on stepping there.
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setRepeatTimer(std::make_unique<QtRepeatTimer>());
}

SpinButton::~SpinButton() = default;

void SpinButton::setRepeatTimer(std::unique_ptr<RepeatTimer> timer) {
  endPress();
  m_timer = std::move(timer);
  m_timer->setOnTick([this] { onRepeatTick(); });
}

QSize SpinButton::sizeHint() const {
  return parentWidget() ? vx::spinButtonRect(parentWidget()->size()).size() : kDefaultSize;
}

bool SpinButton::event(QEvent *event) {
  // A modal box opening takes the mouse without a release ever reaching the
  // button; a press that went on would step for as long as the box is up.
  if (event->type() == QEvent::WindowBlocked) endPress();
  return QWidget::event(event);
}

void SpinButton::changeEvent(QEvent *event) {
  switch (event->type()) {
    case QEvent::EnabledChange:
      if (!isEnabled()) endPress();
      m_facesValid = false;
      break;
    case QEvent::PaletteChange: m_facesValid = false; break;
    default: break;
  }
  QWidget::changeEvent(event);
}

void SpinButton::resizeEvent(QResizeEvent *event) {
  m_facesValid = false;
  QWidget::resizeEvent(event);
}

void SpinButton::hideEvent(QHideEvent *event) {
  endPress();
  QWidget::hideEvent(event);
}

const QImage &SpinButton::face(vx::SpinHalf pressed) {
  // A window moved to a screen of another pixel ratio needs new pictures.
  const qreal ratio = devicePixelRatioF();
  if (!m_facesValid || m_faceRatio != ratio) {
    const vx::SpinFaceColours colours = vx::spinFaceColours(palette());
    // The button is square by construction; a stray non-square size draws
    // the square that fits.
    const int side = qMin(width(), height());
    for (const vx::SpinHalf half : {vx::SpinHalf::None, vx::SpinHalf::Up, vx::SpinHalf::Down})
      m_faces[faceIndex(half)] = vx::sharedSpinFace(side, half, colours, ratio);
    m_facesValid = true;
    m_faceRatio = ratio;
  }
  return m_faces[faceIndex(pressed)];
}

void SpinButton::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.drawImage(0, 0, face(pressedHalf()));
}

vx::SpinHalf SpinButton::halfAt(const QMouseEvent *event) const {
  // The pixel under the pointer, also where a high-resolution pointer gives
  // a position between pixels.
  const QPointF pos = event->position();
  return vx::spinHalfAt(QPoint(qFloor(pos.x()), qFloor(pos.y())), size());
}

void SpinButton::mousePressEvent(QMouseEvent *event) {
  // The field already has the focus here if it can take it: the button takes
  // none itself, so QApplication gives a click's focus to the first
  // focusable widget above it, the field, before delivering the press.
  //
  // Every press is the button's: a middle click must not paste into the
  // field under it. Only a left press steps.
  event->accept();
  if (event->button() != Qt::LeftButton || isHeld()) return;
  const vx::SpinHalf half = halfAt(event);
  if (half == vx::SpinHalf::None) return;

  m_held = half;
  setDrawnPressed(true);
  // Armed before the step: whatever the step sets off may end the press,
  // and that must find the timer running so it can stop it.
  m_interval = kFirstDelay;
  m_timer->start(m_interval);
  emit stepRequested(vx::stepDirection(half));
}

void SpinButton::mouseMoveEvent(QMouseEvent *event) {
  event->accept();
  if (isHeld()) setDrawnPressed(halfAt(event) == m_held);
}

void SpinButton::mouseReleaseEvent(QMouseEvent *event) {
  event->accept();
  if (event->button() == Qt::LeftButton) endPress();
}

void SpinButton::contextMenuEvent(QContextMenuEvent *event) {
  // The field's menu belongs to its text, not to the button.
  event->accept();
}

void SpinButton::onRepeatTick() {
  if (!isHeld()) {
    m_timer->stop();
    return;
  }
  // Restarted only when the interval changes, so that the handler's own
  // latency does not pile up from tick to tick.
  if (m_interval != kRepeatInterval) {
    m_interval = kRepeatInterval;
    m_timer->start(m_interval);
  }
  if (m_drawnPressed) emit stepRequested(vx::stepDirection(m_held));
}

void SpinButton::endPress() {
  if (m_timer) m_timer->stop();
  m_held = vx::SpinHalf::None;
  setDrawnPressed(false);
}

void SpinButton::setDrawnPressed(bool pressed) {
  if (pressed == m_drawnPressed) return;
  m_drawnPressed = pressed;
  update();
}

}  // namespace vx
