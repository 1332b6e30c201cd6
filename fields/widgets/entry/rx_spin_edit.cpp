#include "fields/widgets/entry/rx_spin_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>

#include "fields/widgets/entry/entry_history.h"
#include "fields/rules/regional_settings.h"
#include "fields/widgets/spin/spin_button.h"

namespace vx {

namespace {

// Whether QLineEdit would insert the event's text; only such text is typed
// input. Control characters (backspace, the clipboard shortcuts, the Delete
// key's DEL) and Ctrl shortcuts go on unfiltered.
bool insertsText(const QKeyEvent *event) {
  const QString text = event->text();
  if (text.isEmpty()) return false;
  const QChar c = text.front();
  if (c.category() == QChar::Other_Format) return true;
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))
    return false;
  return c.isPrint() || c.category() == QChar::Other_PrivateUse ||
         (c.isHighSurrogate() && text.size() > 1 && text[1].isLowSurrogate());
}

// The keypad's decimal key: it stands for the decimal separator, whatever
// character the keyboard layout gives it.
bool isKeypadDecimal(const QKeyEvent *event) {
  return event->modifiers().testFlag(Qt::KeypadModifier) &&
         (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma);
}

}  // namespace

TRxSpinEdit::TRxSpinEdit(const RegionalSettings &regional, QWidget *parent)
    : TRxSpinEdit(regional, Start{}, parent) {}

TRxSpinEdit::TRxSpinEdit(const RegionalSettings &regional, const Settings &settings,
                         QWidget *parent)
    : TRxSpinEdit(regional, startFor(settings, regional.separators()), parent) {}

TRxSpinEdit::Start TRxSpinEdit::startFor(const Settings &settings, const Separators &separators) {
  // Each text layout of a line edit costs more than all of this, and a field
  // set up through the setters would lay its text out once for each.
  Start start;
  const auto rewrite = [&](auto change) {  // reads under the old format, writes under the new
    const long double v = vx::readEntryValue(start.text, start.format(), separators);
    change();
    start.text = vx::writeEntryValue(v, start.format(), separators);
  };
  if (settings.decimal) {
    const int decimals = vx::clampEntryDecimals(*settings.decimal);
    if (decimals != start.decimal) rewrite([&] { start.decimal = decimals; });
  }
  if (settings.increment) start.increment = *settings.increment;
  if (settings.valueType && *settings.valueType != start.valueType)
    rewrite([&] {
      start.valueType = *settings.valueType;
      start.increment = vx::incrementForType(start.increment, start.valueType);
    });
  if (settings.value) start.text = vx::writeEntryValue(*settings.value, start.format(), separators);
  return start;
}

TRxSpinEdit::TRxSpinEdit(const RegionalSettings &regional, const Start &start, QWidget *parent)
    : QLineEdit(start.text, parent),
      m_regional(regional),
      m_valueType(start.valueType),
      m_increment(start.increment),
      m_decimal(start.decimal) {
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  connect(this, &QLineEdit::textChanged, this, &TRxSpinEdit::valueChanged);
  m_history = new EntryHistory(this);
  m_spinButton = new SpinButton(this);
  connect(m_spinButton, &SpinButton::stepRequested, this, &TRxSpinEdit::step);
  placeSpinButton();
}

long double TRxSpinEdit::Value() const {
  return vx::readEntryValue(text(), format(), m_regional.separators());
}

bool TRxSpinEdit::isReadable() const {
  return vx::isReadableEntryText(text(), format(), m_regional.separators());
}

void TRxSpinEdit::setValue(long double v) {
  setText(vx::writeEntryValue(v, format(), m_regional.separators()));
}

void TRxSpinEdit::setValueType(TValueType type) {
  if (type == m_valueType) return;
  const long double v = Value();
  m_valueType = type;
  m_increment = vx::incrementForType(m_increment, type);
  setValue(v);
}

void TRxSpinEdit::setDecimal(int decimals) {
  decimals = vx::clampEntryDecimals(decimals);
  if (decimals == m_decimal) return;
  const long double v = Value();
  m_decimal = decimals;
  setValue(v);
}

void TRxSpinEdit::step(int direction) {
  const QString old = text();
  const vx::EntryStep next =
      vx::stepEntry(old, direction, m_increment, format(), m_regional.separators());
  if (next.text == old) return;
  const bool wasModified = isModified();
  {
    // The write is one step, not an edit: one notification afterwards at most.
    const QSignalBlocker hold(this);
    setText(next.text);
  }
  m_history->forget();
  if (next.changed) {
    setModified(true);
    emit textChanged(text());
  } else {
    setModified(wasModified);  // only the letter case changed
  }
}

QString TRxSpinEdit::filterTyped(const QString &typed) {
  const vx::Separators seps = m_regional.separators();
  QString kept;
  for (qsizetype i = 0; i < typed.size(); ++i) {
    const QChar c = typed[i];
    // Checked against the text as it would be with the characters kept
    // before it: a second separator in one burst is refused too. (A
    // character is refused by text + kept exactly when one of them refuses it.)
    if (vx::acceptsTypedChar(c, text(), m_valueType, seps) &&
        vx::acceptsTypedChar(c, kept, m_valueType, seps)) {
      kept += c;
    } else {
      QApplication::beep();
      emit refused(c);
      // A refused surrogate pair beeps once.
      if (c.isHighSurrogate() && i + 1 < typed.size() && typed[i + 1].isLowSurrogate()) ++i;
    }
  }
  return kept;
}

void TRxSpinEdit::keyPressEvent(QKeyEvent *event) {
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
      step(event->key() == Qt::Key_Up ? 1 : -1);
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Swallowed: it neither enters the text nor reaches a default button.
      event->accept();
      return;
    default: break;
  }
  if (!insertsText(event)) {
    QLineEdit::keyPressEvent(event);
    return;
  }

  const QString typed =
      isKeypadDecimal(event) ? QString(m_regional.decimalSeparator()) : event->text();
  const QString kept = filterTyped(typed);
  // Typed over a long selection, the history takes it, so that the erased
  // characters stay out of QLineEdit's record.
  if (kept == event->text() && selectionLength() <= EntryHistory::kLargeEdit) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (!kept.isEmpty()) m_history->insert(kept);
  event->accept();
}

void TRxSpinEdit::inputMethodEvent(QInputMethodEvent *event) {
  const QString commit = event->commitString();
  const QString kept = filterTyped(commit);
  if (kept == commit) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent filtered(event->preeditString(), event->attributes());
  filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
  QLineEdit::inputMethodEvent(&filtered);
  event->setAccepted(filtered.isAccepted());
}

void TRxSpinEdit::focusInEvent(QFocusEvent *event) {
  QLineEdit::focusInEvent(event);
  switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason: selectAll(); break;
    default: break;
  }
}

void TRxSpinEdit::resizeEvent(QResizeEvent *event) {
  QLineEdit::resizeEvent(event);
  placeSpinButton();
}

void TRxSpinEdit::changeEvent(QEvent *event) {
  QLineEdit::changeEvent(event);
  // Another style may put the text area elsewhere inside the frame.
  if (event->type() == QEvent::StyleChange) placeSpinButton();
}

void TRxSpinEdit::placeSpinButton() {
  m_spinButton->setGeometry(vx::spinButtonRect(size()));
  // QLineEdit clips its text to the style's contents rectangle less the text
  // margins; the right margin makes that rectangle end where the text must.
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  const int rightMargin = qMax(0, contents.right() + 1 - vx::spinTextEnd(size()));
  const QMargins margins = textMargins();
  if (margins.right() != rightMargin)
    setTextMargins(margins.left(), margins.top(), rightMargin, margins.bottom());
}

}  // namespace vx
