#pragma once

#include <QAccessibleWidget>

namespace vx {
class TRxSpinEdit;
}

// An entry field as a screen reader meets it: a spin button, named by the
// caption of its box, whose value is the field's text as shown. Readers speak
// a spin button's whole value on focus and again after each step; as the
// plain text box Qt makes of a line edit, the field was heard cut short.
// The text stays reachable and editable through the text interfaces, and the
// increase and decrease actions step it as the arrow keys do.
class AccessibleSpinEdit : public QAccessibleWidget,
                           public QAccessibleValueInterface,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
  explicit AccessibleSpinEdit(vx::TRxSpinEdit *field);

  void *interface_cast(QAccessible::InterfaceType t) override;
  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  QStringList actionNames() const override;
  void doAction(const QString &actionName) override;

  // The value: the number the text reads as, the text being what is spoken.
  QVariant currentValue() const override;
  void setCurrentValue(const QVariant &value) override;
  QVariant maximumValue() const override;
  QVariant minimumValue() const override;
  QVariant minimumStepSize() const override;

  void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
  int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint &point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  QString attributes(int offset, int *startOffset, int *endOffset) const override;

  void deleteText(int startOffset, int endOffset) override;
  void insertText(int offset, const QString &text) override;
  void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
  vx::TRxSpinEdit *field() const;
};
