#include "ui/controls/calc_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <vector>

#include "fields/widgets/result/readable_colour.h"

namespace {
const QColor kDesignedGreen(0, 128, 0);

// What the style paints the face from: the same look gives the same face.
struct Look {
  const QStyle *style = nullptr;
  QString styleName;
  QSize size;
  QStyle::State state;
  QList<QRgb> shades;
  bool operator==(const Look &) const = default;
};

// The states that change the face: hovered, pressed, focused by the keyboard.
constexpr QStyle::State kFaceStates = QStyle::State_Enabled | QStyle::State_MouseOver |
                                      QStyle::State_Sunken | QStyle::State_On |
                                      QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
}  // namespace

CalcButton::CalcButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent) {}

QColor CalcButton::captionColour() const {
  QStyleOptionButton option;
  initStyleOption(&option);
  return captionColourFor(option);
}

void CalcButton::keyPressEvent(QKeyEvent *event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
    return QPushButton::keyPressEvent(event);
  // One press per stroke: a held key does not run the calculation over and over.
  if (!event->isAutoRepeat()) click();
  event->accept();
}

void CalcButton::paintEvent(QPaintEvent * /*event*/) {
  // QPushButton's own painting, with the caption colour of this state.
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.palette = withCaption(option.palette, captionColourFor(option));
  painter.drawControl(QStyle::CE_PushButton, option);
}

QPalette CalcButton::withCaption(const QPalette &palette, const QColor &caption) {
  if (palette.color(QPalette::ButtonText) == caption) return palette;
  // The same palette for the same colour every time: styles keep what they
  // draw under the palette's cache key, and a new palette at every paint
  // would fill their caches with faces drawn once.
  struct Made {
    qint64 from;
    QPalette::ColorGroup group;
    QRgb caption;
    QPalette palette;
  };
  static std::vector<Made> made;
  for (const Made &m : made)
    if (m.from == palette.cacheKey() && m.group == palette.currentColorGroup() &&
        m.caption == caption.rgba())
      return m.palette;
  QPalette p = palette;
  p.setColor(QPalette::ButtonText, caption);
  if (made.size() >= 16) made.clear();
  made.push_back({palette.cacheKey(), palette.currentColorGroup(), caption.rgba(), p});
  return p;
}

QColor CalcButton::captionColourFor(const QStyleOptionButton &option) const {
  // Only enabled: the disabled caption stays the platform's grey.
  if (!(option.state & QStyle::State_Enabled)) return option.palette.color(QPalette::ButtonText);
  // The green of the resting button holds in every state whose face it is
  // readable on, so hovering or focusing changes no more than the face.
  QStyleOptionButton resting = option;
  resting.state &= ~(kFaceStates & ~QStyle::State_Enabled);
  const QColor green = vx::readableOn(kDesignedGreen, faceBehindCaption(resting));
  if (resting.state == option.state) return green;
  const QColor face = faceBehindCaption(option);
  if (vx::contrastRatio(green, face) >= vx::kReadableContrast) return green;
  return vx::readableOn(kDesignedGreen, face);
}

QColor CalcButton::faceBehindCaption(const QStyleOptionButton &buttonOption) const {
  // The buttons share one size and one look, and are painted again at every
  // hover and press: drawing the bevel once per look and state is enough.
  static std::vector<std::pair<Look, QColor>> known;
  const QPalette &p = buttonOption.palette;
  Look look{style(), style()->name(), size(), buttonOption.state & kFaceStates, {}};
  for (const QPalette::ColorRole role :
       {QPalette::Button, QPalette::Window, QPalette::Light, QPalette::Midlight, QPalette::Mid,
        QPalette::Dark, QPalette::Shadow, QPalette::Highlight})
    look.shades << p.color(role).rgba();
  for (const auto &[seen, face] : known)
    if (seen == look) return face;

  // The style's own bevel, drawn without a caption: styles shade the face
  // (a gradient, a lighter top) away from the palette's button colour.
  QStyleOptionButton option = buttonOption;
  option.text.clear();
  option.icon = QIcon();
  // Of the palette's face and the shades down the middle, where the caption
  // stands, the one nearest the designed green decides. Only that column is
  // drawn: the bevel is laid out for the whole button, and the image holds
  // the one column of it, so the style rasterizes nothing else.
  const QSize whole = size().expandedTo(QSize(16, 16));
  const int x = whole.width() / 2;
  QImage column(1, whole.height(), QImage::Format_RGB32);
  column.fill(p.color(backgroundRole()));
  {
    QPainter painter(&column);
    painter.translate(-x, 0);
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
  }
  QColor worst = p.color(QPalette::Button);
  for (int y = whole.height() / 4; y < whole.height() * 3 / 4; ++y) {
    const QColor shade = column.pixelColor(0, y);
    if (vx::contrastRatio(shade, kDesignedGreen) < vx::contrastRatio(worst, kDesignedGreen))
      worst = shade;
  }
  // A handful of looks and states at most; a palette or style change makes
  // new ones, and the old are not needed again.
  if (known.size() >= 16) known.clear();
  known.emplace_back(std::move(look), worst);
  return worst;
}
