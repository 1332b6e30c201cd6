#include "ui/accessibility/accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>

#include "fields/widgets/entry/rx_spin_edit.h"
#include "fields/widgets/result/currency_edit.h"
#include "ui/accessibility/accessible_combo_box.h"
#include "ui/accessibility/accessible_picture.h"
#include "ui/accessibility/accessible_spin_edit.h"
#include "ui/controls/picture_control.h"
#include "ui/accessibility/spoken_text.h"

namespace {

// A form is a top-level window made straight from QWidget; Qt exposes such a
// widget as a mere filler, where a screen reader looks for a frame with its
// title.
bool isForm(const QString &key, QObject *object) {
  if (!object->isWidgetType() || !static_cast<QWidget *>(object)->isWindow()) return false;
  const QMetaObject *meta = object->metaObject();
  return key == QLatin1String(meta->className()) &&
         meta->superClass() == &QWidget::staticMetaObject;
}

QAccessibleInterface *interfaceFor(const QString &key, QObject *object) {
  if (key == QLatin1String(PictureControl::staticMetaObject.className()))
    return new AccessiblePicture(static_cast<PictureControl *>(object));
  if (key == QLatin1String(vx::TRxSpinEdit::staticMetaObject.className()))
    return new AccessibleSpinEdit(static_cast<vx::TRxSpinEdit *>(object));
  if (key == QLatin1String(QComboBox::staticMetaObject.className()))
    return new AccessibleComboBox(static_cast<QComboBox *>(object));
  if (isForm(key, object))
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
  return nullptr;
}

// The calculator a control belongs to: the outermost group box it sits in.
QGroupBox *calculatorOf(QWidget *control, QWidget *form) {
  QGroupBox *outer = nullptr;
  for (QWidget *w = control->parentWidget(); w && w != form; w = w->parentWidget())
    if (auto *box = qobject_cast<QGroupBox *>(w)) outer = box;
  return outer;
}

// The name a screen reader hears for a button or a result field.
QString spokenName(QWidget *w) {
  if (!w->accessibleName().isEmpty()) return w->accessibleName();
  if (auto *button = qobject_cast<QAbstractButton *>(w)) return button->text();
  return {};
}

}  // namespace

void installAccessibleInterfaces() { QAccessible::installFactory(interfaceFor); }

void describeForScreenReaders(QWidget *form) {
  // Qt names a widget inside a group box by that box's caption, which for a
  // box inside another box is the outer caption, not its own. The units are
  // said as the field in it says them.
  for (QGroupBox *box : form->findChildren<QGroupBox *>())
    if (box->accessibleName().isEmpty()) box->setAccessibleName(spokenUnits(box->title()));

  // An editable combo box is otherwise named by the text in it.
  for (QComboBox *combo : form->findChildren<QComboBox *>())
    if (auto *box = qobject_cast<QGroupBox *>(combo->parentWidget());
        box && combo->accessibleName().isEmpty())
      combo->setAccessibleName(box->title());

  // A spin button tells its new value, which readers speak for the focused
  // one, where a text box tells only which characters changed.
  for (vx::TRxSpinEdit *field : form->findChildren<vx::TRxSpinEdit *>())
    QObject::connect(field, &vx::TRxSpinEdit::valueChanged, field, [field] {
      if (!QAccessible::isActive()) return;
      QAccessibleValueChangeEvent event(field, field->text());
      QAccessible::updateAccessibility(&event);
    });

  // Five buttons read "Расчет" and two results "Необходимая мощность"; the
  // calculator they belong to tells them apart.
  QList<QWidget *> named;
  for (QAbstractButton *button : form->findChildren<QAbstractButton *>()) named.append(button);
  for (vx::TCurrencyEdit *result : form->findChildren<vx::TCurrencyEdit *>()) named.append(result);
  QHash<QString, int> uses;
  for (QWidget *w : named) ++uses[spokenName(w)];
  for (QWidget *w : named) {
    const QString name = spokenName(w);
    if (name.isEmpty() || uses.value(name) < 2 || !w->accessibleDescription().isEmpty()) continue;
    if (QGroupBox *calculator = calculatorOf(w, form))
      w->setAccessibleDescription(calculator->title());
  }
}
