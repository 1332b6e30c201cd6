#include "ui/accessibility/accessible_combo_box.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

AccessibleComboBox::AccessibleComboBox(QComboBox *combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox) {}

QComboBox *AccessibleComboBox::comboBox() const { return static_cast<QComboBox *>(widget()); }

QList<QWidget *> AccessibleComboBox::parts() const {
  QList<QWidget *> list;
  if (QAbstractItemView *view = comboBox()->view()) list.append(view);
  if (QLineEdit *line = comboBox()->lineEdit()) list.append(line);
  return list;
}

QString AccessibleComboBox::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name:
      if (!comboBox()->accessibleName().isEmpty()) return comboBox()->accessibleName();
      if (auto *box = qobject_cast<QGroupBox *>(comboBox()->parentWidget())) return box->title();
      return comboBox()->currentText();
    case QAccessible::Value:
      return comboBox()->isEditable() ? comboBox()->lineEdit()->text() : comboBox()->currentText();
    default: return QAccessibleWidget::text(t);
  }
}

QAccessible::State AccessibleComboBox::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.editable = comboBox()->isEditable();
  s.expandable = true;
  const QAbstractItemView *view = comboBox()->view();
  s.expanded = view && view->isVisible();
  s.collapsed = !s.expanded;
  return s;
}

int AccessibleComboBox::childCount() const { return int(parts().size()); }

QAccessibleInterface *AccessibleComboBox::child(int index) const {
  const QList<QWidget *> list = parts();
  if (index < 0 || index >= list.size()) return nullptr;
  return QAccessible::queryAccessibleInterface(list.at(index));
}

int AccessibleComboBox::indexOfChild(const QAccessibleInterface *child) const {
  return child ? int(parts().indexOf(child->object())) : -1;
}

QStringList AccessibleComboBox::actionNames() const { return {showMenuAction(), pressAction()}; }

void AccessibleComboBox::doAction(const QString &actionName) {
  if (actionName != showMenuAction() && actionName != pressAction())
    return QAccessibleWidget::doAction(actionName);
  const QAbstractItemView *view = comboBox()->view();
  if (view && view->isVisible())
    comboBox()->hidePopup();
  else
    comboBox()->showPopup();
}
