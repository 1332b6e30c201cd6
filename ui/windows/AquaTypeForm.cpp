#include "ui/windows/AquaTypeForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "core/tank_shapes.h"
#include "ui/windows/MainForm.h"
#include "ui/desktop/close_box_only.h"
#include "ui/windows/form_controls.h"
#include "ui/desktop/frame_placer.h"
#include "ui/alerts/guarded.h"
#include "ui/controls/picture_control.h"

TAquaTypeFrm *AquaTypeFrm = nullptr;

namespace {

// A window of its own with a title and a close box only. Not Qt::Dialog: on
// X11 a dialog without a parent is made transient for the whole program and
// would stay stuck above the main window, where the user should be able to
// bring the main window to the front.
constexpr Qt::WindowFlags kPickerFrame =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// How long the drawing waits for the focus after the picker has become
// active: long enough for a screen reader, which hears the key that opened
// the picker at the same time as this program, to have asked which window is
// now active; short enough that no one sees the focus frame come late.
constexpr int kDrawingFocusDelayMs = 250;

}  // namespace

TAquaTypeFrm::TAquaTypeFrm(Alerts &alerts) : QWidget(nullptr, kPickerFrame), m_alerts(alerts) {
  setObjectName(QStringLiteral("AquaTypeFrm"));
  setWindowTitle(QStringLiteral("AquaTypeFrm"));
  // The caption is a class name; a screen reader should say what it is for.
  setAccessibleName(QStringLiteral("Выбор типа аквариума"));
  // Closing the picker only hides it; and an open picker must not keep the
  // program running once the main window is closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  setFocusPolicy(Qt::NoFocus);

  setUpFormFace(this);

  m_placer = new FramePlacer(this);
  m_drawingFocusTimer = new QTimer(this);
  m_drawingFocusTimer->setSingleShot(true);
  m_drawingFocusTimer->setInterval(kDrawingFocusDelayMs);
  connect(m_drawingFocusTimer, &QTimer::timeout, this, &TAquaTypeFrm::focusPendingDrawing);

  buildLayout();
  wireHandlers();
}

TAquaTypeFrm::~TAquaTypeFrm() = default;

void TAquaTypeFrm::wireHandlers() {
  for (PictureControl *picture : m_pictures) {
    connectGuarded(picture, &PictureControl::clicked, this, m_alerts,
                   [this, picture] { SetType(picture); });
    picture->installEventFilter(this);
  }
}

void TAquaTypeFrm::showFor(int currentShape, bool byKeyboard) {
  // Minimised meanwhile by the window manager, it comes back as it was.
  setWindowState(windowState() & ~Qt::WindowMinimized);
  if (!isVisible())
    showFocusFrames(byKeyboard);
  else if (byKeyboard)
    showFocusFrames(true);
  show();
  raise();
  activateWindow();
  PictureControl *current =
      currentShape >= 0 && currentShape < m_pictures.size() ? m_pictures[currentShape] : nullptr;
  if (isActiveWindow()) {
    m_pendingFocus = nullptr;
    if (current) current->setFocus(Qt::OtherFocusReason);
    return;
  }
  // Not active yet: the drawing takes the focus a moment after the picker
  // has become active, and the picker itself holds it until then. A screen
  // reader that learns of the new window while handling the key that opened
  // it (Orca 48 does, when the program answers it only after the window is
  // up, as at the first showing) takes the window as its focus and quietly
  // adopts whatever control inside is focused by then; a drawing focused
  // with the activation would never be spoken, since its focus event then
  // tells the reader nothing new. Focused later, it is a change it speaks.
  m_pendingFocus = current;
  m_drawingFocusTimer->stop();
  setFocus(Qt::OtherFocusReason);
}

void TAquaTypeFrm::focusPendingDrawing() {
  PictureControl *target = m_pendingFocus;
  m_pendingFocus = nullptr;
  m_drawingFocusTimer->stop();
  // Unless the user has put the focus somewhere else meanwhile.
  if (target && isVisible() && QApplication::focusWidget() == this)
    target->setFocus(Qt::OtherFocusReason);
}

void TAquaTypeFrm::changeEvent(QEvent *event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_pendingFocus)
    m_drawingFocusTimer->start();
}

void TAquaTypeFrm::keyPressEvent(QKeyEvent *event) {
  // A key quicker than the wait is meant for the drawing all the same.
  if (m_pendingFocus) {
    PictureControl *target = m_pendingFocus;
    focusPendingDrawing();
    if (target->hasFocus()) {
      QApplication::sendEvent(target, event);
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

bool TAquaTypeFrm::focusNextPrevChild(bool next) {
  // Tab, too, goes on from that drawing, not from the picker.
  if (m_pendingFocus) focusPendingDrawing();
  return QWidget::focusNextPrevChild(next);
}

void TAquaTypeFrm::showFocusFrames(bool on) {
  for (PictureControl *picture : m_pictures) picture->setFocusFrameShown(on);
}

PictureControl *TAquaTypeFrm::neighbour(const PictureControl *from, int key) const {
  const vx::TankShapeRow *shape = vx::tankShape(from->tag());
  if (!shape) return nullptr;
  vx::PickerCell cell = shape->place;
  switch (key) {
    case Qt::Key_Left: --cell.column; break;
    case Qt::Key_Right: ++cell.column; break;
    case Qt::Key_Up: --cell.row; break;
    case Qt::Key_Down: ++cell.row; break;
    default: return nullptr;
  }
  for (PictureControl *picture : m_pictures)
    if (const vx::TankShapeRow *other = vx::tankShape(picture->tag());
        other && other->place.column == cell.column && other->place.row == cell.row)
      return picture;
  return nullptr;
}

bool TAquaTypeFrm::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto *picture = static_cast<PictureControl *>(watched);
  auto *key = static_cast<QKeyEvent *>(event);
  showFocusFrames(true);
  if (key->modifiers() & ~Qt::KeypadModifier) return false;
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (!key->isAutoRepeat()) emit picture->clicked(picture);
      return true;
    case Qt::Key_Escape: closeToMainWindow(); return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (PictureControl *next = neighbour(picture, key->key())) next->setFocus(Qt::TabFocusReason);
      return true;
    default: return false;
  }
}

void TAquaTypeFrm::closeToMainWindow() {
  m_pendingFocus = nullptr;
  m_drawingFocusTimer->stop();
  close();
  if (MainFrm && MainFrm->isVisible()) MainFrm->activateWindow();
}

void TAquaTypeFrm::showEvent(QShowEvent *event) {
  const bool first = !m_placed;
  if (first) {
    m_placed = true;
    loadPictures();
  }
  QWidget::showEvent(event);
  close_box_only::applyBeforeMap(this, close_box_only::Group::Leave);
  m_placer->placeAtShowing(first ? FramePlacer::Rule::Centre : FramePlacer::Rule::KeepInside);
}

void TAquaTypeFrm::SetType(QObject *Sender) {
  auto *picture = qobject_cast<PictureControl *>(Sender);
  if (!picture || !MainFrm) return;
  MainFrm->applyShape(picture->tag());
  closeToMainWindow();
}
