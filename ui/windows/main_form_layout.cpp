// The hand-placed controls of the main window. Positions are pixels within
// the parent, designed at 96 dpi; nothing here is laid out automatically.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "core/co2_calculation.h"
#include "fields/widgets/result/currency_edit.h"
#include "fields/widgets/entry/rx_spin_edit.h"
#include "ui/windows/MainForm.h"
#include "ui/windows/form_controls.h"
#include "ui/controls/picture_control.h"
#include "ui/artwork/shape_pictures.h"

using enum vx::TValueType;

namespace {

// Sides and heights in cm are typed to a tenth; counts and whole degrees
// are plain integers.
EntrySettings realEntry(std::optional<long double> value) {
  return {.decimal = {}, .increment = 0.1L, .valueType = vtFloat, .value = value};
}

EntrySettings integerEntry(std::optional<long double> value) {
  return {.decimal = {}, .increment = {}, .valueType = {}, .value = value};
}

}  // namespace

void TMainFrm::buildTankGroup() {
  QGroupBox *const GroupBox1 =
      makeGroupBox(this, "GroupBox1", QStringLiteral("Аквариум"), {8, 8, 217, 553});

  AquaImage = makeShapePicture(GroupBox1, "AquaImage");
  AquaImage->setPicture(shapePicture(0), [] { return shapePicture(0, 2); });
  AquaImage->setToolTip(QStringLiteral("Выбор типа аквариума"));
  // The picture takes no focus; a keyboard user needs to hear the key.
  AquaImage->setAccessibleDescription(QStringLiteral("Клавиша F4"));

  QGroupBox *const GroupBox2 =
      makeGroupBox(GroupBox1, "GroupBox2", QStringLiteral("A, см"), {8, 128, 97, 49});
  ValueA = makeEntryBox(m_regional, GroupBox2, "ValueA", 81, realEntry(100));
  QGroupBox *const GroupBox3 =
      makeGroupBox(GroupBox1, "GroupBox3", QStringLiteral("B, см"), {112, 128, 97, 49});
  ValueB = makeEntryBox(m_regional, GroupBox3, "ValueB", 81, realEntry(40));
  QGroupBox *const GroupBox4 =
      makeGroupBox(GroupBox1, "GroupBox4", QStringLiteral("C, см"), {8, 184, 97, 49});
  ValueC = makeEntryBox(m_regional, GroupBox4, "ValueC", 81, realEntry({}));
  QGroupBox *const GroupBox5 =
      makeGroupBox(GroupBox1, "GroupBox5", QStringLiteral("D, см"), {112, 184, 97, 49});
  ValueD = makeEntryBox(m_regional, GroupBox5, "ValueD", 81, realEntry({}));

  QGroupBox *const GroupBox10 = makeGroupBox(
      GroupBox1, "GroupBox10", QStringLiteral("Толщина стекла, мм"), {8, 240, 201, 49});
  TstBox = makeEntryBox(m_regional, GroupBox10, "TstBox", 185, integerEntry(5));
  QGroupBox *const GroupBox6 = makeGroupBox(
      GroupBox1, "GroupBox6", QStringLiteral("Высота столба воды, см"), {8, 296, 201, 49});
  HwaterBox = makeEntryBox(m_regional, GroupBox6, "HwaterBox", 185, realEntry(50));
  QGroupBox *const GroupBox7 = makeGroupBox(
      GroupBox1, "GroupBox7", QStringLiteral("Толщина слоя грунта, см"), {8, 352, 201, 49});
  HgrBox = makeEntryBox(m_regional, GroupBox7, "HgrBox", 185, realEntry(6));

  QGroupBox *const VWaterBox =
      makeGroupBox(GroupBox1, "VWaterBox", QStringLiteral("Объем воды"), {8, 408, 201, 49});
  VAquaBox = makeResultBox(m_regional, VWaterBox, "VAquaBox", 185, 2, QStringLiteral("0.00 л"));
  QGroupBox *const GroupBox9 =
      makeGroupBox(GroupBox1, "GroupBox9", QStringLiteral("Вес грунта"), {8, 464, 201, 49});
  VGrBox = makeResultBox(m_regional, GroupBox9, "VGrBox", 185, 2, QStringLiteral("0.00 кг"));

  VolumeCalcBtn = makeCalcButton(GroupBox1, "VolumeCalcBtn", {8, 520});
}

void TMainFrm::buildLightingGroup() {
  QGroupBox *const GroupBox8 =
      makeGroupBox(this, "GroupBox8", QStringLiteral("Расчет освещения"), {232, 8, 217, 273});

  QGroupBox *const GroupBox11 = makeGroupBox(
      GroupBox8, "GroupBox11", QStringLiteral("Требуемый уровень на дне, Lx"), {8, 16, 201, 49});
  DnoLightBox = makeEntryBox(m_regional, GroupBox11, "DnoLightBox", 185, integerEntry(1000));
  QGroupBox *const GroupBox12 = makeGroupBox(
      GroupBox8, "GroupBox12", QStringLiteral("Расстояние от ламп до воды, см"), {8, 72, 201, 49});
  LampHBox = makeEntryBox(m_regional, GroupBox12, "LampHBox", 185, realEntry(10));

  QGroupBox *const GroupBox13 =
      makeGroupBox(GroupBox8, "GroupBox13", QStringLiteral("Тип отражателя"), {8, 128, 201, 49});
  RefBox = new QComboBox(GroupBox13);
  RefBox->setObjectName(QStringLiteral("RefBox"));
  RefBox->setEditable(true);
  // Enter in the text line must not grow the list: the calculation knows
  // exactly these four reflectors.
  RefBox->setInsertPolicy(QComboBox::NoInsert);
  RefBox->addItems({QStringLiteral("Нет"), QStringLiteral("Трапеция"), QStringLiteral("Парабола"),
                    QStringLiteral("Kvib")});
  RefBox->setCurrentIndex(0);
  RefBox->setGeometry(8, 16, 185, 21);

  QGroupBox *const GroupBox14 = makeGroupBox(
      GroupBox8, "GroupBox14", QStringLiteral("Необходимая мощность"), {8, 184, 201, 49});
  BugerBox = makeResultBox(m_regional, GroupBox14, "BugerBox", 185, 2, QStringLiteral("0 Lm"));

  LightCalcBtn = makeCalcButton(GroupBox8, "LightCalcBtn", {8, 240});
}

void TMainFrm::buildCo2Group() {
  QGroupBox *const GroupBox15 =
      makeGroupBox(this, "GroupBox15", QStringLiteral("Расчет СО2"), {232, 288, 217, 273});

  QGroupBox *const GroupBox16 =
      makeGroupBox(GroupBox15, "GroupBox16", QStringLiteral("pH"), {8, 16, 201, 49});
  PhBox = makeEntryBox(m_regional, GroupBox16, "PhBox", 185, realEntry(7));
  QGroupBox *const GroupBox17 =
      makeGroupBox(GroupBox15, "GroupBox17", QStringLiteral("kH, нем. грд"), {8, 72, 201, 49});
  // Degrees of hardness are whole, but the field still takes a typed fraction.
  KhBox = makeEntryBox(m_regional, GroupBox17, "KhBox", 185,
                       {.decimal = 0, .increment = {}, .valueType = vtFloat, .value = 10});

  QGroupBox *const Gr =
      makeGroupBox(GroupBox15, "Gr", QStringLiteral("Содержание СО2"), {8, 131, 201, 46});
  Co2Box = makeResultBox(m_regional, Gr, "Co2Box", 177, 0, QStringLiteral("0 мг/л"));

  Co2Panel = makePanel(GroupBox15, "Co2Panel", {8, 184, 201, 49});
  // Until the first calculation, the panel shows the normal band.
  showCo2Rating(vx::Co2Rating::Normal);

  Co2CalcBtn = makeCalcButton(GroupBox15, "Co2CalcBtn", {8, 240});
}

void TMainFrm::buildHeaterGroup() {
  QGroupBox *const GroupBox18 =
      makeGroupBox(this, "GroupBox18", QStringLiteral("Расчет обогревателя"), {456, 8, 217, 217});

  QGroupBox *const GroupBox19 = makeGroupBox(
      GroupBox18, "GroupBox19", QStringLiteral("Температура в помещении"), {8, 16, 201, 49});
  TempKBox = makeEntryBox(m_regional, GroupBox19, "TempKBox", 185, integerEntry(22));
  QGroupBox *const GroupBox20 = makeGroupBox(
      GroupBox18, "GroupBox20", QStringLiteral("Температура в аквариуме"), {8, 72, 201, 49});
  TempAquaBox = makeEntryBox(m_regional, GroupBox20, "TempAquaBox", 185,
                             {.decimal = 0, .increment = {}, .valueType = {}, .value = 25});

  QGroupBox *const GroupBox21 = makeGroupBox(
      GroupBox18, "GroupBox21", QStringLiteral("Необходимая мощность"), {8, 131, 201, 46});
  TempWBox = makeResultBox(m_regional, GroupBox21, "TempWBox", 177, 0, QStringLiteral("0 W"));

  TempCalcBtn = makeCalcButton(GroupBox18, "TempCalcBtn", {8, 184});
}

void TMainFrm::buildHardnessGroup() {
  QGroupBox *const GroupBox22 = makeGroupBox(
      this, "GroupBox22", QStringLiteral("Пересчет жесткости при подменах"), {456, 280, 217, 281});

  QGroupBox *const GroupBox23 = makeGroupBox(
      GroupBox22, "GroupBox23", QStringLiteral("Начальная жескость"), {8, 24, 201, 49});
  BeginGWBox = makeEntryBox(m_regional, GroupBox23, "BeginGWBox", 185, integerEntry(14));
  QGroupBox *const GroupBox24 = makeGroupBox(
      GroupBox22, "GroupBox24", QStringLiteral("Требуемая жесткость"), {8, 80, 201, 49});
  EndGWBox = makeEntryBox(m_regional, GroupBox24, "EndGWBox", 185, integerEntry(5));
  QGroupBox *const GroupBox25 = makeGroupBox(
      GroupBox22, "GroupBox25", QStringLiteral("Жесткость \"подменной\" воды"), {8, 136, 201, 49});
  PodGWBox = makeEntryBox(m_regional, GroupBox25, "PodGWBox", 185, integerEntry({}));

  QGroupBox *const GroupBox26 =
      makeGroupBox(GroupBox22, "GroupBox26", QStringLiteral("Объем подмены"), {8, 195, 201, 46});
  PodVBox = makeResultBox(m_regional, GroupBox26, "PodVBox", 177, 0, QStringLiteral("0 %"));

  GhCalcBtn = makeCalcButton(GroupBox22, "GhCalcBtn", {8, 248});
}

void TMainFrm::chainTabOrder() {
  // Group by group, left to right; the glass thickness comes last in the tank
  // group although it stands above the water height.
  QWidget *const chain[] = {
      ValueA,     ValueB,        ValueC,      ValueD,    HwaterBox,   HgrBox,
      TstBox,     VolumeCalcBtn, DnoLightBox, LampHBox,  RefBox,      LightCalcBtn,
      PhBox,      KhBox,         Co2CalcBtn,  TempKBox,  TempAquaBox, TempCalcBtn,
      BeginGWBox, EndGWBox,      PodGWBox,    GhCalcBtn,
  };
  for (std::size_t i = 1; i < std::size(chain); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}
