#include "ui/windows/form_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "fields/widgets/result/currency_edit.h"
#include "ui/controls/calc_button.h"
#include "ui/controls/classic_group_box.h"
#include "ui/app/designed_default_font.h"
#include "ui/controls/picture_control.h"

namespace {

// Every field of a group box stands at the same place, one line high.
constexpr int kFieldLeft = 8;
constexpr int kFieldTop = 16;
constexpr int kFieldHeight = 21;

void makeBold(QWidget *w) {
  QFont font = w->font();
  font.setBold(true);
  w->setFont(font);
}

}  // namespace

void setUpFormFace(QWidget *form) {
  form->setFont(designedFace());
  QPalette face = form->palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  form->setPalette(face);
  form->setAutoFillBackground(true);
}

QGroupBox *makeGroupBox(QWidget *parent, const char *name, const QString &caption,
                        const QRect &geometry) {
  auto *box = new ClassicGroupBox(caption, parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(geometry);
  return box;
}

vx::TRxSpinEdit *makeEntryBox(const vx::RegionalSettings &regional, QGroupBox *group,
                              const char *name, int width, const EntrySettings &settings) {
  auto *field = new vx::TRxSpinEdit(regional, settings, group);
  field->setObjectName(QString::fromLatin1(name));
  field->setGeometry(kFieldLeft, kFieldTop, width, kFieldHeight);
  return field;
}

vx::TCurrencyEdit *makeResultBox(const vx::RegionalSettings &regional, QGroupBox *group,
                                 const char *name, int width, int decimalPlaces,
                                 const QString &displayFormat) {
  auto *field = new vx::TCurrencyEdit(regional, decimalPlaces, displayFormat, group);
  field->setObjectName(QString::fromLatin1(name));
  // The field keeps the height it is given, whatever its bold font would ask.
  field->setGeometry(kFieldLeft, kFieldTop, width, kFieldHeight);
  // A screen reader hears the result under its caption, the only label it has.
  field->setAccessibleName(group->title());
  return field;
}

PictureControl *makeShapePicture(QGroupBox *group, const char *name) {
  auto *picture = new PictureControl(group);
  picture->setObjectName(QString::fromLatin1(name));
  picture->setGeometry(kFieldLeft, kFieldTop, 200, 100);
  picture->setAutoSize(true);
  picture->setCenter(true);
  picture->setProportional(true);
  picture->setTransparent(true);
  return picture;
}

QPushButton *makeCalcButton(QWidget *parent, const char *name, QPoint topLeft) {
  // Green only while enabled: a disabled button (the lighting one for shapes
  // without a lit rectangle) must still look disabled.
  auto *button = new CalcButton(QStringLiteral("Расчет"), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(QRect(topLeft, QSize(201, 25)));
  button->setAutoDefault(false);
  makeBold(button);
  return button;
}

QLabel *makePanel(QWidget *parent, const char *name, const QRect &geometry) {
  auto *panel = new QLabel(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setGeometry(geometry);
  panel->setAlignment(Qt::AlignCenter);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setAutoFillBackground(true);
  makeBold(panel);
  return panel;
}

void setPanelColour(QLabel *panel, const QColor &colour) {
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, colour);
  // The panel's colours are all light (lime, aqua, yellow): a dark theme's
  // light caption colour would vanish on them.
  palette.setColor(QPalette::WindowText, Qt::black);
  panel->setPalette(palette);
}
