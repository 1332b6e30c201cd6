#include "ui/windows/AquaTypeForm.h"

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

}  // namespace

TAquaTypeFrm::TAquaTypeFrm(Alerts &alerts) : QWidget(nullptr, kPickerFrame), m_alerts(alerts) {
  setObjectName(QStringLiteral("AquaTypeFrm"));
  setWindowTitle(QStringLiteral("AquaTypeFrm"));
  // Closing the picker only hides it; and an open picker must not keep the
  // program running once the main window is closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  setFocusPolicy(Qt::NoFocus);

  setUpFormFace(this);

  m_placer = new FramePlacer(this);

  buildLayout();
  wireHandlers();
}

TAquaTypeFrm::~TAquaTypeFrm() = default;

void TAquaTypeFrm::wireHandlers() {
  for (PictureControl *picture : m_pictures)
    connectGuarded(picture, &PictureControl::clicked, this, m_alerts,
                   [this, picture] { SetType(picture); });
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
  close();
}
