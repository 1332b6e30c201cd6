#include "ui/calc_button.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include "fields/result/readable_colour.h"

namespace {
const QColor kDesignedGreen(0, 128, 0);
}

// The caption's colour is first chosen at the resize every widget gets
// before it is first shown, when the button has its real size: choosing it
// here, at Qt's default size, would draw a bevel that nothing uses.
CalcButton::CalcButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent) {}

QColor CalcButton::captionColour() const {
  return palette().color(QPalette::Active, QPalette::ButtonText);
}

void CalcButton::changeEvent(QEvent *event) {
  QPushButton::changeEvent(event);
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) followFace();
}

void CalcButton::keyPressEvent(QKeyEvent *event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
    return QPushButton::keyPressEvent(event);
  // One press per stroke: a held key does not run the calculation over and over.
  if (!event->isAutoRepeat()) click();
  event->accept();
}

void CalcButton::resizeEvent(QResizeEvent *event) {
  QPushButton::resizeEvent(event);
  followFace();
}

QColor CalcButton::faceBehindCaption() const {
  // The buttons share one size and one look, and each asks again at every
  // resize and palette change: drawing the bevel once per look is enough.
  struct Look {
    const QStyle *style;
    QString styleName;
    QSize size;
    bool enabled;
    QList<QRgb> shades;
    bool operator==(const Look &) const = default;
  };
  static Look lastLook{};
  static QColor lastFace;
  const QPalette &p = palette();
  Look look{style(), style()->name(), size(), isEnabled(), {}};
  for (const QPalette::ColorRole role :
       {QPalette::Button, QPalette::Window, QPalette::Light, QPalette::Midlight, QPalette::Mid,
        QPalette::Dark, QPalette::Shadow})
    look.shades << p.color(QPalette::Active, role).rgba();
  if (look == lastLook) return lastFace;

  // The style's own bevel, drawn without a caption: styles shade the face
  // (a gradient, a lighter top) away from the palette's button colour.
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  option.icon = QIcon();
  option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver | QStyle::State_Sunken);
  // Of the palette's face and the shades down the middle, where the caption
  // stands, the one nearest the designed green decides. Only that column is
  // drawn: the bevel is laid out for the whole button, and the image holds
  // the one column of it, so the style rasterizes nothing else.
  const QSize whole = size().expandedTo(QSize(16, 16));
  const int x = whole.width() / 2;
  QImage column(1, whole.height(), QImage::Format_RGB32);
  column.fill(palette().color(backgroundRole()));
  {
    QPainter painter(&column);
    painter.translate(-x, 0);
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
  }
  QColor worst = palette().color(QPalette::Active, QPalette::Button);
  for (int y = whole.height() / 4; y < whole.height() * 3 / 4; ++y) {
    const QColor shade = column.pixelColor(0, y);
    if (vx::contrastRatio(shade, kDesignedGreen) < vx::contrastRatio(worst, kDesignedGreen))
      worst = shade;
  }
  lastLook = look;
  lastFace = worst;
  return worst;
}

void CalcButton::followFace() {
  const QColor green = vx::readableOn(kDesignedGreen, faceBehindCaption());
  QPalette p = palette();
  if (p.color(QPalette::Active, QPalette::ButtonText) == green &&
      p.color(QPalette::Inactive, QPalette::ButtonText) == green &&
      p.isBrushSet(QPalette::Active, QPalette::ButtonText))
    return;  // also ends the palette change that setting it sends back
  // Only the enabled groups: the disabled caption stays the platform's grey.
  p.setColor(QPalette::Active, QPalette::ButtonText, green);
  p.setColor(QPalette::Inactive, QPalette::ButtonText, green);
  setPalette(p);
}
