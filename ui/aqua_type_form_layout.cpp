// The hand-placed controls of the shape picker. Positions are pixels within
// the parent, designed at 96 dpi, as in the main window.

#include <QGroupBox>

#include "ui/AquaTypeForm.h"
#include "ui/form_controls.h"
#include "ui/pictures/picture_control.h"
#include "ui/pictures/shape_pictures.h"

namespace {

// The picture stands where a field would, at (8, 16) in its box, with the
// same display settings as the main window's picture so a drawing looks the
// same in both windows. The Tag is the shape code a click picks.
PictureControl *makeShapeButton(QGroupBox *box, const char *name, int shapeCode) {
  PictureControl *picture = makeShapePicture(box, name);
  picture->setTag(shapeCode);
  picture->setFocusPolicy(Qt::NoFocus);
  return picture;
}

QGroupBox *makeShapeBox(QWidget *parent, const char *name, const QString &caption, QPoint topLeft) {
  QGroupBox *box = makeGroupBox(parent, name, caption, QRect(topLeft, QSize(217, 129)));
  // The picker is worked with the mouse alone.
  box->setFocusPolicy(Qt::NoFocus);
  return box;
}

}  // namespace

void TAquaTypeFrm::loadPictures() {
  for (PictureControl *picture : {AquaImage, Image1, Image2, Image3, Image4, Image5})
    picture->setPicture(shapePicture(picture->tag()), [shape = picture->tag()] { return shapePicture(shape, 2); });
}

void TAquaTypeFrm::buildLayout() {
  GroupBox1 = makeShapeBox(this, "GroupBox1", QStringLiteral("Прямоугольный"), {8, 8});
  AquaImage = makeShapeButton(GroupBox1, "AquaImage", 0);
  GroupBox2 = makeShapeBox(this, "GroupBox2", QStringLiteral("Прямоугольный со скосами"), {232, 8});
  Image1 = makeShapeButton(GroupBox2, "Image1", 1);
  GroupBox3 = makeShapeBox(this, "GroupBox3", QStringLiteral("Прямоугольный \"Vision\""), {456, 8});
  Image2 = makeShapeButton(GroupBox3, "Image2", 2);

  GroupBox4 = makeShapeBox(this, "GroupBox4", QStringLiteral("Треугольный"), {8, 144});
  Image3 = makeShapeButton(GroupBox4, "Image3", 3);
  GroupBox5 = makeShapeBox(this, "GroupBox5", QStringLiteral("Треугольный \"Vision\""), {232, 144});
  Image4 = makeShapeButton(GroupBox5, "Image4", 4);
  GroupBox6 = makeShapeBox(this, "GroupBox6", QStringLiteral("Шестиугольный"), {456, 144});
  Image5 = makeShapeButton(GroupBox6, "Image5", 5);
}
