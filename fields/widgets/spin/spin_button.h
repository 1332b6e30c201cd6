#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <chrono>
#include <memory>

#include "fields/widgets/spin/repeat_timer.h"
#include "fields/widgets/spin/spin_geometry.h"

namespace vx {

// The small square button at the right end of an entry field, split by its
// diagonal into an upper half that steps the field up and a lower half that
// steps it down. Holding a half repeats the step: once at the press, again
// after kFirstDelay, then every kRepeatInterval. Dragging off the pressed
// half pauses the repeats and dragging back resumes them; the other half is
// never pressed by dragging.
//
// The button is a child of its field and only asks for steps; the field does
// the arithmetic.
class SpinButton : public QWidget {
  Q_OBJECT

public:
  static constexpr std::chrono::milliseconds kFirstDelay{400};
  static constexpr std::chrono::milliseconds kRepeatInterval{100};

  explicit SpinButton(QWidget *field);
  ~SpinButton() override;

  // The half drawn pressed: None when released, also while the pointer has
  // been dragged off the half it pressed.
  vx::SpinHalf pressedHalf() const { return m_drawnPressed ? m_held : vx::SpinHalf::None; }
  // A left press is in progress: the button has the mouse.
  bool isHeld() const { return m_held != vx::SpinHalf::None; }

  // Replaces the clock of the repeats, ending any press in progress.
  void setRepeatTimer(std::unique_ptr<RepeatTimer> timer);

  QSize sizeHint() const override;

signals:
  // One step of the field: +1 up, -1 down.
  void stepRequested(int direction);

protected:
  bool event(QEvent *event) override;
  void changeEvent(QEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void hideEvent(QHideEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;

private:
  void onRepeatTick();
  void endPress();
  void setDrawnPressed(bool pressed);
  vx::SpinHalf halfAt(const QMouseEvent *event) const;
  const QImage &face(vx::SpinHalf pressed);

  std::unique_ptr<RepeatTimer> m_timer;
  vx::SpinHalf m_held = vx::SpinHalf::None;  // the half the current press began on
  std::chrono::milliseconds m_interval{0};   // of the running timer
  bool m_drawnPressed = false;
  // Released, upper half pressed, lower half pressed; taken from the shared
  // faces on first paint after the size, the palette or the enabled state
  // changed.
  std::array<QImage, 3> m_faces;
  bool m_facesValid = false;
  qreal m_faceRatio = 1.0;  // the device pixel ratio m_faces are made for
};

}  // namespace vx
