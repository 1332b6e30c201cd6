#pragma once

#include <QAccessibleWidget>

class QComboBox;

// A combo box named by what it is for. Qt's own interface names a combo box
// on Linux by its current text, so the reflector list would be heard as
// "Нет" with no word of what it chooses; this one takes the accessible name,
// else the caption of the box it sits in, and keeps the text as its value.
// Like Qt's, its children are the drop-down list and, when editable, the
// text line.
class AccessibleComboBox : public QAccessibleWidget {
public:
  explicit AccessibleComboBox(QComboBox *combo);

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;

  int childCount() const override;
  QAccessibleInterface *child(int index) const override;
  int indexOfChild(const QAccessibleInterface *child) const override;

  QStringList actionNames() const override;
  void doAction(const QString &actionName) override;

private:
  QComboBox *comboBox() const;
  QList<QWidget *> parts() const;
};
