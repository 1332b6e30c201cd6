#include "ui/AquaTypeForm.h"

#include <QPushButton>

#include "fields/rx_spin_edit.h"
#include "ui/MainForm.h"
#include "ui/form_controls.h"
#include "ui/frame_placer.h"
#include "ui/guarded.h"
#include "ui/pictures/picture_control.h"
#include "ui/shape_choice.h"

TAquaTypeFrm *AquaTypeFrm = nullptr;

namespace {

// A window of its own with a title and a close box only. Not Qt::Dialog: on
// X11 a dialog without a parent is made transient for the whole program and
// would stay stuck above the main window, where the user should be able to
// bring the main window to the front.
constexpr Qt::WindowFlags kPickerFrame = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

}  // namespace

TAquaTypeFrm::TAquaTypeFrm(Alerts &alerts) : QWidget(nullptr, kPickerFrame), m_alerts(alerts) {
  setObjectName(QStringLiteral("AquaTypeFrm"));
  setWindowTitle(QStringLiteral("AquaTypeFrm"));
  // Closing the picker only hides it; and an open picker must not keep the
  // program running once the main window is closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  setFocusPolicy(Qt::NoFocus);

  setUpFormFace(this);

  setFixedSize(681, 281);
  m_placer = new FramePlacer(this);

  buildLayout();
  wireHandlers();
}

TAquaTypeFrm::~TAquaTypeFrm() = default;

void TAquaTypeFrm::wireHandlers() {
  for (PictureControl *picture : {AquaImage, Image1, Image2, Image3, Image4, Image5})
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
  m_placer->placeAtShowing(first ? FramePlacer::Rule::Centre : FramePlacer::Rule::KeepInside);
}

void TAquaTypeFrm::SetType(QObject *Sender) {
  auto *picture = qobject_cast<PictureControl *>(Sender);
  if (!picture || !MainFrm)
    return;
  TMainFrm &main = *MainFrm;

  main.TankState.AquaType = picture->tag();
  const int shape = main.TankState.AquaType;

  // Let go of the old bitmap before the new one is made: a pick replaces the
  // picture every time, also with the same drawing, and must not pile them up.
  main.AquaImage->clearPicture();
  const ImageList &list = main.AquaList;
  main.AquaImage->setPicture(pickedShapePicture(list, shape),
                             [&list, shape] { return pickedShapePicture(list, shape, 2); });
  // At once, not at the next turn of the event loop: the user sees the pick
  // land before the fields change state.
  main.AquaImage->repaint();

  // On the fields themselves, not their boxes: a field the shape does not use
  // keeps its text, and the volume calculation still reads it.
  const ShapeInputs inputs = shapeInputs(shape);
  main.ValueA->setEnabled(inputs.sideA);
  main.ValueB->setEnabled(inputs.sideB);
  main.ValueC->setEnabled(inputs.sideC);
  main.ValueD->setEnabled(inputs.sideD);
  main.LightCalcBtn->setEnabled(inputs.lighting);

  close();
}
