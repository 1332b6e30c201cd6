#include "fields/widgets/result/currency_edit.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include "fields/widgets/result/readable_colour.h"
#include "fields/rules/regional_settings.h"

namespace vx {

namespace {

// QLineEdit keeps this many pixels between its frame and its text.
constexpr int kLineEditMargin = 2;
// The sunken border insets the text by one more pixel.
constexpr int kBorderInset = 1;

}  // namespace

TCurrencyEdit::TCurrencyEdit(const RegionalSettings &regional, QWidget *parent)
    : TCurrencyEdit(regional, ResultValue().decimalPlaces(), ResultValue().displayFormat(),
                    parent) {}

TCurrencyEdit::TCurrencyEdit(const RegionalSettings &regional, int decimalPlaces,
                             const QString &displayFormat, QWidget *parent)
    : QLineEdit(parent), m_regional(regional), m_model(regional.separators()) {
  m_model.setDecimalPlaces(decimalPlaces);
  m_model.setDisplayFormat(displayFormat);
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setFocusPolicy(Qt::NoFocus);
  setReadOnly(true);
  setEnabled(false);
  connect(&regional, &RegionalSettings::changed, this, [this] {
    m_model.setSeparators(m_regional.separators());
    refresh();
  });
  refresh();
}

void TCurrencyEdit::setValue(long double v) {
  m_model.setValue(v);
  refresh();
}

long double TCurrencyEdit::Value() {
  const long double v = m_model.Value();
  refresh();  // the display follows the rounded number now stored
  return v;
}

int TCurrencyEdit::DecimalPlaces() const { return m_model.decimalPlaces(); }

void TCurrencyEdit::setDecimalPlaces(int places) {
  m_model.setDecimalPlaces(places);
  refresh();
}

QString TCurrencyEdit::DisplayFormat() const { return m_model.displayFormat(); }

void TCurrencyEdit::setDisplayFormat(const QString &pattern) {
  m_model.setDisplayFormat(pattern);
  refresh();
}

bool TCurrencyEdit::ZeroEmpty() const { return m_model.zeroEmpty(); }

void TCurrencyEdit::setZeroEmpty(bool on) {
  m_model.setZeroEmpty(on);
  refresh();
}

QString TCurrencyEdit::editText() const { return m_model.editText(); }

// Read from the palette at every paint, so a palette change (a theme switch)
// is followed without a notification of its own.
QColor TCurrencyEdit::textColour() const { return readableDisabledText(palette()); }

void TCurrencyEdit::refresh() {
  // Every setText tells a screen reader the text changed; a calculation that
  // lands on the shown text again has nothing new to announce.
  const QString shown = m_model.displayText();
  if (text() != shown) setText(shown);
  update();
}

void TCurrencyEdit::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  QStyleOptionFrame opt;
  initStyleOption(&opt);
  opt.state |= QStyle::State_Sunken;

  // A disabled field still has the window colour behind its text, not the
  // style's disabled background.
  const QColor background = palette().color(QPalette::Active, QPalette::Base);
  opt.palette.setColor(QPalette::Base, background);
  painter.fillRect(rect(), background);
  style()->drawPrimitive(QStyle::PE_PanelLineEdit, &opt, &painter, this);

  const QColor color = textColour();

  QFont bold = font();  // the window may hand us its plain font
  bold.setBold(true);
  const QString text = m_model.displayText();
  const int textWidth = QFontMetrics(bold).horizontalAdvance(text);
  const int frame = opt.lineWidth;
  const QRect client = rect().adjusted(frame, frame, -frame, -frame);
  const int leftMargin = textMargins().left() + kLineEditMargin + kBorderInset;
  const int x = client.left() + client.width() - textWidth - leftMargin - 2;
  const int y = client.top() + kBorderInset;

  painter.setClipRect(client);
  painter.setFont(bold);
  painter.setPen(color);
  painter.drawText(QRect(x, y, textWidth, client.bottom() + 1 - y),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

}  // namespace vx
