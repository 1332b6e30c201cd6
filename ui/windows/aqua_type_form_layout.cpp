// The hand-placed controls of the shape picker, one box per row of the shape
// table. Positions are pixels within the parent, designed at 96 dpi, as in
// the main window.

#include <QGroupBox>

#include <algorithm>

#include "core/tank_shapes.h"
#include "ui/windows/AquaTypeForm.h"
#include "ui/windows/form_controls.h"
#include "ui/controls/picture_control.h"
#include "ui/artwork/shape_pictures.h"

namespace {

// The boxes stand on a grid: 217 x 129 each, 7 pixels apart, 8 from the
// window's edges.
constexpr QSize kBoxSize(217, 129);
constexpr int kMargin = 8;
constexpr int kGap = 7;

QPoint boxTopLeft(vx::PickerCell cell) {
  return {kMargin + cell.column * (kBoxSize.width() + kGap),
          kMargin + cell.row * (kBoxSize.height() + kGap)};
}

// Just large enough for the grid the table's places span.
QSize pickerSize() {
  int columns = 0, rows = 0;
  for (const vx::TankShapeRow &shape : vx::kTankShapes) {
    columns = std::max(columns, shape.place.column + 1);
    rows = std::max(rows, shape.place.row + 1);
  }
  return {2 * kMargin + columns * kBoxSize.width() + (columns - 1) * kGap,
          2 * kMargin + rows * kBoxSize.height() + (rows - 1) * kGap};
}

QGroupBox *makeShapeBox(QWidget *parent, const QString &name, const vx::TankShapeRow &shape) {
  const QByteArray caption(shape.caption.data(), static_cast<qsizetype>(shape.caption.size()));
  QGroupBox *box = makeGroupBox(parent, name.toLatin1().constData(), QString::fromUtf8(caption),
                                QRect(boxTopLeft(shape.place), kBoxSize));
  // The drawings take the focus, not their boxes.
  box->setFocusPolicy(Qt::NoFocus);
  return box;
}

// The picture stands where a field would, at (8, 16) in its box, with the
// same display settings as the main window's picture so a drawing looks the
// same in both windows. The Tag is the shape code a click picks.
PictureControl *makeShapeButton(QGroupBox *box, const QString &name, int shapeCode) {
  PictureControl *picture = makeShapePicture(box, name.toLatin1().constData());
  picture->setTag(shapeCode);
  // By the keyboard only: a click picks, it does not focus.
  picture->setFocusPolicy(Qt::TabFocus);
  return picture;
}

}  // namespace

void TAquaTypeFrm::loadPictures() {
  for (PictureControl *picture : m_pictures)
    picture->setPicture(shapePicture(picture->tag()),
                        [shape = picture->tag()] { return shapePicture(shape, 2); });
}

void TAquaTypeFrm::buildLayout() {
  setFixedSize(pickerSize());
  for (const vx::TankShapeRow &shape : vx::kTankShapes) {
    QGroupBox *box = makeShapeBox(this, QStringLiteral("GroupBox%1").arg(shape.code + 1), shape);
    const QString pictureName =
        shape.code == 0 ? QStringLiteral("AquaImage") : QStringLiteral("Image%1").arg(shape.code);
    m_pictures.append(makeShapeButton(box, pictureName, shape.code));
  }
}
