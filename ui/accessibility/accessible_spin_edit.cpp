#include "ui/accessibility/accessible_spin_edit.h"

#include <QGroupBox>

#include "fields/widgets/entry/rx_spin_edit.h"
#include "ui/accessibility/spoken_text.h"

AccessibleSpinEdit::AccessibleSpinEdit(vx::TRxSpinEdit *field)
    : QAccessibleWidget(field, QAccessible::SpinBox) {}

vx::TRxSpinEdit *AccessibleSpinEdit::field() const {
  return static_cast<vx::TRxSpinEdit *>(widget());
}

void *AccessibleSpinEdit::interface_cast(QAccessible::InterfaceType t) {
  switch (t) {
    case QAccessible::ValueInterface: return static_cast<QAccessibleValueInterface *>(this);
    case QAccessible::TextInterface: return static_cast<QAccessibleTextInterface *>(this);
    case QAccessible::EditableTextInterface:
      return static_cast<QAccessibleEditableTextInterface *>(this);
    default: return QAccessibleWidget::interface_cast(t);
  }
}

QString AccessibleSpinEdit::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name:
      if (!field()->accessibleName().isEmpty()) return field()->accessibleName();
      if (auto *box = qobject_cast<QGroupBox *>(field()->parentWidget()))
        return spokenUnits(box->title());
      break;
    case QAccessible::Value: return field()->text();
    default: break;
  }
  return QAccessibleWidget::text(t);
}

QAccessible::State AccessibleSpinEdit::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.editable = !field()->isReadOnly();
  s.selectableText = true;
  return s;
}

QStringList AccessibleSpinEdit::actionNames() const {
  return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
}

void AccessibleSpinEdit::doAction(const QString &actionName) {
  if (!field()->isEnabled()) return;
  if (actionName == increaseAction())
    field()->step(1);
  else if (actionName == decreaseAction())
    field()->step(-1);
  else
    QAccessibleWidget::doAction(actionName);
}

QVariant AccessibleSpinEdit::currentValue() const { return static_cast<double>(field()->Value()); }

void AccessibleSpinEdit::setCurrentValue(const QVariant &value) {
  if (field()->isEnabled() && value.canConvert<double>())
    field()->setValue(static_cast<long double>(value.toDouble()));
}

// The fields have no limits.
QVariant AccessibleSpinEdit::maximumValue() const { return {}; }
QVariant AccessibleSpinEdit::minimumValue() const { return {}; }

QVariant AccessibleSpinEdit::minimumStepSize() const {
  return static_cast<double>(field()->Increment());
}

// The text interfaces, as Qt's own for a line edit.

void AccessibleSpinEdit::selection(int selectionIndex, int *startOffset, int *endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || !field()->hasSelectedText()) return;
  *startOffset = int(field()->selectionStart());
  *endOffset = *startOffset + int(field()->selectedText().size());
}

int AccessibleSpinEdit::selectionCount() const { return field()->hasSelectedText() ? 1 : 0; }

void AccessibleSpinEdit::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void AccessibleSpinEdit::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) field()->deselect();
}

void AccessibleSpinEdit::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex == 0) field()->setSelection(startOffset, endOffset - startOffset);
}

int AccessibleSpinEdit::cursorPosition() const { return int(field()->cursorPosition()); }

void AccessibleSpinEdit::setCursorPosition(int position) { field()->setCursorPosition(position); }

QString AccessibleSpinEdit::text(int startOffset, int endOffset) const {
  if (startOffset > endOffset) return {};
  return field()->text().mid(startOffset, endOffset - startOffset);
}

int AccessibleSpinEdit::characterCount() const { return int(field()->text().size()); }

QRect AccessibleSpinEdit::characterRect(int offset) const {
  const QString shown = field()->text();
  if (offset < 0 || offset >= shown.size()) return {};
  // Near enough for a reader's magnifier: the text starts a little inside
  // the frame and does not scroll, the fields being wide for their texts.
  const QRect contents = field()->contentsRect().marginsRemoved(field()->textMargins());
  const QFontMetrics metrics = field()->fontMetrics();
  const int x = contents.left() + 2 + metrics.horizontalAdvance(shown.left(offset));
  const QRect local(x, contents.top(), metrics.horizontalAdvance(shown.at(offset)),
                    contents.height());
  return QRect(field()->mapToGlobal(local.topLeft()), local.size());
}

int AccessibleSpinEdit::offsetAtPoint(const QPoint &point) const {
  return int(field()->cursorPositionAt(field()->mapFromGlobal(point)));
}

void AccessibleSpinEdit::scrollToSubstring(int startIndex, int /*endIndex*/) {
  field()->setCursorPosition(startIndex);
}

QString AccessibleSpinEdit::attributes(int offset, int *startOffset, int *endOffset) const {
  *startOffset = *endOffset = offset;
  return {};
}

void AccessibleSpinEdit::deleteText(int startOffset, int endOffset) {
  replaceText(startOffset, endOffset, QString());
}

void AccessibleSpinEdit::insertText(int offset, const QString &text) {
  replaceText(offset, offset, text);
}

void AccessibleSpinEdit::replaceText(int startOffset, int endOffset, const QString &text) {
  if (!field()->isEnabled() || field()->isReadOnly()) return;
  QString now = field()->text();
  now.replace(startOffset, endOffset - startOffset, text);
  field()->setText(now);
}
