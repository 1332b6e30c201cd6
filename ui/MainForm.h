#pragma once

#include <QWidget>
#include <optional>

#include "core/tank_state.h"
#include "ui/pictures/image_list.h"

class Alerts;
class FramePlacer;
class PictureControl;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QStatusBar;
class RegionalSettings;
class TCurrencyEdit;
class TRxSpinEdit;

// The main window: five calculators side by side. Its controls are public
// members under their own names because the shape picker writes into them
// through MainFrm. The handlers only collect the fields for a calculation in
// core/ and pass them on; they let faults propagate, and the wiring runs
// them guarded.
class TMainFrm : public QWidget {
  Q_OBJECT

public:
  TMainFrm(const RegionalSettings &regional, Alerts &alerts, QWidget *parent = nullptr);
  ~TMainFrm() override;

  // Presses the five "Расчет" buttons in order, enabled or not, so every
  // result starts out computed. A fault stops it where it happens.
  void Init(QObject *Sender);
  void VolumeCalc(QObject *Sender);
  double NotNull(double x);
  void LightCalc(QObject *Sender);
  void Co2Calc(QObject *Sender);
  void TempCalc(QObject *Sender);
  void GhCalc(QObject *Sender);
  void AquaTypeShow(QObject *Sender);

  vx::TankState TankState;
  ImageList AquaList;

  QStatusBar *StatusBar = nullptr;

  // Tank
  QGroupBox *GroupBox1 = nullptr;
  PictureControl *AquaImage = nullptr;
  QGroupBox *GroupBox2 = nullptr, *GroupBox3 = nullptr, *GroupBox4 = nullptr, *GroupBox5 = nullptr;
  TRxSpinEdit *ValueA = nullptr, *ValueB = nullptr, *ValueC = nullptr, *ValueD = nullptr;
  QGroupBox *GroupBox10 = nullptr;
  TRxSpinEdit *TstBox = nullptr;
  QGroupBox *GroupBox6 = nullptr;
  TRxSpinEdit *HwaterBox = nullptr;
  QGroupBox *GroupBox7 = nullptr;
  TRxSpinEdit *HgrBox = nullptr;
  QGroupBox *VWaterBox = nullptr;
  TCurrencyEdit *VAquaBox = nullptr;
  QGroupBox *GroupBox9 = nullptr;
  TCurrencyEdit *VGrBox = nullptr;
  QPushButton *VolumeCalcBtn = nullptr;

  // Lighting
  QGroupBox *GroupBox8 = nullptr;
  QGroupBox *GroupBox11 = nullptr;
  TRxSpinEdit *DnoLightBox = nullptr;
  QGroupBox *GroupBox12 = nullptr;
  TRxSpinEdit *LampHBox = nullptr;
  QGroupBox *GroupBox13 = nullptr;
  QComboBox *RefBox = nullptr;
  QGroupBox *GroupBox14 = nullptr;
  TCurrencyEdit *BugerBox = nullptr;
  QPushButton *LightCalcBtn = nullptr;

  // CO2
  QGroupBox *GroupBox15 = nullptr;
  QGroupBox *GroupBox16 = nullptr;
  TRxSpinEdit *PhBox = nullptr;
  QGroupBox *GroupBox17 = nullptr;
  TRxSpinEdit *KhBox = nullptr;
  QGroupBox *Gr = nullptr;
  TCurrencyEdit *Co2Box = nullptr;
  QLabel *Co2Panel = nullptr;
  QPushButton *Co2CalcBtn = nullptr;

  // Heater
  QGroupBox *GroupBox18 = nullptr;
  QGroupBox *GroupBox19 = nullptr;
  TRxSpinEdit *TempKBox = nullptr;
  QGroupBox *GroupBox20 = nullptr;
  TRxSpinEdit *TempAquaBox = nullptr;
  QGroupBox *GroupBox21 = nullptr;
  TCurrencyEdit *TempWBox = nullptr;
  QPushButton *TempCalcBtn = nullptr;

  // Water-change hardness
  QGroupBox *GroupBox22 = nullptr;
  QGroupBox *GroupBox23 = nullptr;
  TRxSpinEdit *BeginGWBox = nullptr;
  QGroupBox *GroupBox24 = nullptr;
  TRxSpinEdit *EndGWBox = nullptr;
  QGroupBox *GroupBox25 = nullptr;
  TRxSpinEdit *PodGWBox = nullptr;
  QGroupBox *GroupBox26 = nullptr;
  TCurrencyEdit *PodVBox = nullptr;
  QPushButton *GhCalcBtn = nullptr;

protected:
  // Every showing keeps the whole frame on the screen; the first one runs
  // Init before the window reaches the screen.
  void showEvent(QShowEvent *event) override;

private:
  // Defined in main_form_layout.cpp: the hand-placed controls.
  void buildTankGroup();
  void buildLightingGroup();
  void buildCo2Group();
  void buildHeaterGroup();
  void buildHardnessGroup();
  void chainTabOrder();
  void wireHandlers();

  // The reflector the edited text names, or nothing when it names none.
  std::optional<int> chosenReflector() const;

  const RegionalSettings &m_regional;
  Alerts &m_alerts;
  FramePlacer *m_placer = nullptr;
  bool m_initDone = false;
};

// The one main window, for the shape picker to write into.
extern TMainFrm *MainFrm;
