#pragma once

#include <QWidget>
#include <optional>

#include "core/tank_state.h"
#include "ui/alerts/noted_alerts.h"
#include "ui/artwork/image_list.h"

namespace vx {
enum class Co2Rating;
class TRxSpinEdit;
class TCurrencyEdit;
class RegionalSettings;
}  // namespace vx

class Alerts;
class FramePlacer;
class PictureControl;
class QComboBox;
class QLabel;
class QPushButton;
class QStatusBar;

// The main window: five calculators side by side. Outside, only the shape
// picker reaches it, through applyShape; tests find its controls by their
// object names, as a screen reader does. The handlers only collect the
// fields for a calculation in core/ and pass them on; they let faults
// propagate, and the wiring runs them guarded.
class TMainFrm : public QWidget {
  Q_OBJECT

public:
  TMainFrm(const vx::RegionalSettings &regional, Alerts &alerts, QWidget *parent = nullptr);
  ~TMainFrm() override;

  // What a pick in the shape picker does here: stores the shape code, puts
  // the shape's cell of AquaList into AquaImage, and enables exactly the side
  // fields the shape's formula reads and, for a shape that leaves a lit
  // rectangle, the lighting button. Recalculates nothing.
  void applyShape(int shapeCode);

  // The tank the calculations read, as the last pick and press left it.
  const vx::TankState &tankState() const { return TankState; }

protected:
  // Every showing keeps the whole frame on the screen; the first one runs
  // Init before the window reaches the screen.
  void showEvent(QShowEvent *event) override;
  // F4 opens the shape picker from anywhere in the window, as a click on the
  // picture does; a control that has a use of its own for F4 (the reflector
  // list opens) keeps it.
  void keyPressEvent(QKeyEvent *event) override;

private:
  // Presses the five "Расчет" buttons in order, enabled or not, so every
  // result starts out computed. A fault stops it where it happens.
  void Init(QObject *Sender);
  void VolumeCalc(QObject *Sender);
  void LightCalc(QObject *Sender);
  void Co2Calc(QObject *Sender);
  void TempCalc(QObject *Sender);
  void GhCalc(QObject *Sender);
  void AquaTypeShow(QObject *Sender);

  vx::TankState TankState;

  // The controls the handlers read and write, under their object names.
  QStatusBar *StatusBar = nullptr;

  // Tank
  PictureControl *AquaImage = nullptr;
  vx::TRxSpinEdit *ValueA = nullptr, *ValueB = nullptr, *ValueC = nullptr, *ValueD = nullptr;
  vx::TRxSpinEdit *TstBox = nullptr;
  vx::TRxSpinEdit *HwaterBox = nullptr;
  vx::TRxSpinEdit *HgrBox = nullptr;
  vx::TCurrencyEdit *VAquaBox = nullptr;
  vx::TCurrencyEdit *VGrBox = nullptr;
  QPushButton *VolumeCalcBtn = nullptr;

  // Lighting
  vx::TRxSpinEdit *DnoLightBox = nullptr;
  vx::TRxSpinEdit *LampHBox = nullptr;
  QComboBox *RefBox = nullptr;
  vx::TCurrencyEdit *BugerBox = nullptr;
  QPushButton *LightCalcBtn = nullptr;

  // CO2
  vx::TRxSpinEdit *PhBox = nullptr;
  vx::TRxSpinEdit *KhBox = nullptr;
  vx::TCurrencyEdit *Co2Box = nullptr;
  QLabel *Co2Panel = nullptr;
  QPushButton *Co2CalcBtn = nullptr;

  // Heater
  vx::TRxSpinEdit *TempKBox = nullptr;
  vx::TRxSpinEdit *TempAquaBox = nullptr;
  vx::TCurrencyEdit *TempWBox = nullptr;
  QPushButton *TempCalcBtn = nullptr;

  // Water-change hardness
  vx::TRxSpinEdit *BeginGWBox = nullptr;
  vx::TRxSpinEdit *EndGWBox = nullptr;
  vx::TRxSpinEdit *PodGWBox = nullptr;
  vx::TCurrencyEdit *PodVBox = nullptr;
  QPushButton *GhCalcBtn = nullptr;

  // The shape cells a pick puts into AquaImage.
  ImageList AquaList;

  // Defined in main_form_layout.cpp: the hand-placed controls.
  void buildTankGroup();
  void buildLightingGroup();
  void buildCo2Group();
  void buildHeaterGroup();
  void buildHardnessGroup();
  void chainTabOrder();
  void wireHandlers();
  // Runs a calculation the user started and, when it ran through without a
  // box, tells a screen reader the results it shows.
  void runAndAnnounce(QPushButton *button, void (TMainFrm::*calculation)(QObject *),
                      const QList<const QWidget *> &results);

  // The reflector the edited text names, or nothing when it names none.
  std::optional<int> chosenReflector() const;
  // The panel's colour and caption for a rating, from the start on.
  void showCo2Rating(vx::Co2Rating rating);

  const vx::RegionalSettings &m_regional;
  NotedAlerts m_alerts;
  FramePlacer *m_placer = nullptr;
  bool m_initDone = false;
};

// The one main window, for the shape picker to write into.
extern TMainFrm *MainFrm;
