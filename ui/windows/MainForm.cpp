#include "ui/windows/MainForm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

#include "core/co2_calculation.h"
#include "core/hardness_calculation.h"
#include "core/heater_calculation.h"
#include "core/lighting_calculation.h"
#include "core/tank_shapes.h"
#include "core/volume_calculation.h"
#include "fields/widgets/result/currency_edit.h"
#include "fields/widgets/entry/rx_spin_edit.h"
#include "ui/windows/AquaTypeForm.h"
#include "ui/alerts/alerts.h"
#include "ui/accessibility/announcer.h"
#include "ui/windows/form_controls.h"
#include "ui/desktop/frame_placer.h"
#include "ui/desktop/scrolling_contents.h"
#include "ui/alerts/guarded.h"
#include "ui/controls/picture_control.h"
#include "ui/accessibility/spoken_text.h"

TMainFrm *MainFrm = nullptr;

namespace {

constexpr int kStatusBarHeight = 19;

struct Co2Look {
  QColor colour;
  QString caption;
};

Co2Look co2Look(vx::Co2Rating rating) {
  switch (rating) {
    case vx::Co2Rating::Deficiency: return {QColor(0, 255, 255), QStringLiteral("Недостаток")};
    case vx::Co2Rating::Normal: return {QColor(0, 255, 0), QStringLiteral("Норма")};
    case vx::Co2Rating::Excess: break;
  }
  return {QColor(255, 255, 0), QStringLiteral("Избыток")};
}

}  // namespace

TMainFrm::TMainFrm(const vx::RegionalSettings &regional, Alerts &alerts, QWidget *parent)
    : QWidget(parent), m_regional(regional), m_alerts(alerts) {
  setObjectName(QStringLiteral("MainFrm"));
  setWindowTitle(QStringLiteral("Vembrix"));

  setUpFormFace(this);

  setFixedSize(682, 588);
  // The designed place; a screen too small for it gets the nearest place
  // that shows the whole window (see showEvent).
  move(469, 232);
  m_placer = new FramePlacer(this);
  // A screen too small for the whole frame gets a window as large as the
  // screen allows, whose controls scroll.
  m_placer->shrinkToFit(size());
  new ScrollingContents(this, size());

  StatusBar = new QStatusBar(this);
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setSizeGripEnabled(false);  // the window cannot be resized
  // Along the foot of the window, its full width.
  StatusBar->setGeometry(0, height() - kStatusBarHeight, width(), kStatusBarHeight);

  buildTankGroup();
  buildLightingGroup();
  buildCo2Group();
  buildHeaterGroup();
  buildHardnessGroup();
  chainTabOrder();
  wireHandlers();
}

TMainFrm::~TMainFrm() = default;

void TMainFrm::wireHandlers() {
  runAndAnnounce(VolumeCalcBtn, &TMainFrm::VolumeCalc, {VAquaBox, VGrBox});
  runAndAnnounce(LightCalcBtn, &TMainFrm::LightCalc, {BugerBox});
  runAndAnnounce(Co2CalcBtn, &TMainFrm::Co2Calc, {Co2Box, Co2Panel});
  runAndAnnounce(TempCalcBtn, &TMainFrm::TempCalc, {TempWBox});
  runAndAnnounce(GhCalcBtn, &TMainFrm::GhCalc, {PodVBox});
  connectGuarded(AquaImage, &PictureControl::clicked, this, m_alerts,
                 [this] { AquaTypeShow(AquaImage); });
}

void TMainFrm::runAndAnnounce(QPushButton *button, void (TMainFrm::*calculation)(QObject *),
                              const QList<const QWidget *> &results) {
  // Only here, at a press: Init's calculations run before anyone listens. A
  // fault ends the handler before the sentence; a box has already spoken.
  connectGuarded(button, &QPushButton::clicked, this, m_alerts,
                 [this, button, calculation, results] {
                   const int boxes = m_alerts.shown();
                   (this->*calculation)(button);
                   if (m_alerts.shown() == boxes)
                     Announcer::instance().announce(this, spokenResults(results));
                 });
}

void TMainFrm::keyPressEvent(QKeyEvent *event) {
  if (event->key() != Qt::Key_F4 || event->modifiers() != Qt::NoModifier)
    return QWidget::keyPressEvent(event);
  event->accept();
  runGuarded(m_alerts, [this] { AquaTypeShow(this); });
}

void TMainFrm::showEvent(QShowEvent *event) {
  QWidget::showEvent(event);
  m_placer->placeAtShowing(FramePlacer::Rule::KeepInside);
  // Only the first showing: a window restored from the task bar is shown
  // again, and must not recompute what the user has been looking at.
  if (m_initDone) return;
  m_initDone = true;
  runGuarded(m_alerts, [this] { Init(this); });
}

void TMainFrm::Init(QObject * /*Sender*/) {
  // Each press sees what the earlier ones left: lighting and heater read the
  // tank the volume calculation has just filled.
  VolumeCalc(VolumeCalcBtn);
  LightCalc(LightCalcBtn);
  Co2Calc(Co2CalcBtn);
  TempCalc(TempCalcBtn);
  GhCalc(GhCalcBtn);
}

void TMainFrm::VolumeCalc(QObject * /*Sender*/) {
  vx::calculateVolume(
      TankState,
      {*ValueA, *ValueB, *ValueC, *ValueD, *TstBox, *HwaterBox, *HgrBox, *VAquaBox, *VGrBox},
      m_alerts);
}

std::optional<int> TMainFrm::chosenReflector() const {
  // The list's current index trails the typed text in an editable box, so the
  // text decides; one that names no reflector has no factor at all.
  const int index = RefBox->findText(RefBox->currentText(), Qt::MatchFixedString);
  if (index < 0) return std::nullopt;
  return index;
}

void TMainFrm::LightCalc(QObject * /*Sender*/) {
  vx::calculateLighting(TankState, {*DnoLightBox, *LampHBox, chosenReflector(), *BugerBox},
                        m_alerts);
}

void TMainFrm::showCo2Rating(vx::Co2Rating rating) {
  const Co2Look look = co2Look(rating);
  setPanelColour(Co2Panel, look.colour);
  Co2Panel->setText(look.caption);
}

void TMainFrm::Co2Calc(QObject * /*Sender*/) {
  if (const auto rating = vx::calculateCo2({*PhBox, *KhBox, *Co2Box}, m_alerts))
    showCo2Rating(*rating);
}

void TMainFrm::TempCalc(QObject * /*Sender*/) {
  vx::calculateHeater(TankState, {*TempAquaBox, *TempKBox, *TempWBox}, m_alerts);
}

void TMainFrm::GhCalc(QObject * /*Sender*/) {
  vx::calculateHardness({*BeginGWBox, *EndGWBox, *PodGWBox, *PodVBox}, m_alerts);
}

void TMainFrm::applyShape(int shapeCode) {
  TankState.AquaType = shapeCode;

  // Let go of the old bitmap before the new one is made: a pick replaces the
  // picture every time, also with the same drawing, and must not pile them up.
  AquaImage->clearPicture();
  AquaImage->setPicture(AquaList.onWhite(shapeCode),
                        [this, shapeCode] { return AquaList.onWhite(shapeCode, 2); });
  // At once, not at the next turn of the event loop: the user sees the pick
  // land before the fields change state.
  AquaImage->repaint();

  // On the fields themselves, not their boxes: a field the shape does not use
  // keeps its text, and the volume calculation still reads it. No picture
  // carries a code outside the table; should one ever, every input stays
  // usable rather than lock the user out of a field.
  const vx::TankShapeRow *shape = vx::tankShape(shapeCode);
  const vx::SidesRead sides = shape ? shape->sides : vx::SidesRead{true, true, true, true};
  ValueA->setEnabled(sides.A);
  ValueB->setEnabled(sides.B);
  ValueC->setEnabled(sides.C);
  ValueD->setEnabled(sides.D);
  LightCalcBtn->setEnabled(!shape || shape->lightsRectangle);

  // What changed, for a screen reader: nothing shows it but the greyed
  // fields, which Tab now passes by.
  QStringList unused;
  for (vx::TRxSpinEdit *side : {ValueA, ValueB, ValueC, ValueD})
    if (!side->isEnabled())
      if (auto *box = qobject_cast<QGroupBox *>(side->parentWidget()))
        unused << box->title().section(u',', 0, 0);
  Announcer::instance().announce(
      this, spokenShapeChoice(
                shape ? QString::fromUtf8(shape->caption.data(), qsizetype(shape->caption.size()))
                      : QString(),
                unused, LightCalcBtn->isEnabled()));
}

void TMainFrm::AquaTypeShow(QObject *Sender) {
  if (!AquaTypeFrm) return;
  // The one picker, shown modelessly, or only brought to the front when it is
  // already up. The window itself is the sender of the F4 key.
  AquaTypeFrm->showFor(TankState.AquaType, Sender == this);
}
