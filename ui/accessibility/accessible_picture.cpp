#include "ui/accessibility/accessible_picture.h"

#include "ui/controls/picture_control.h"

AccessiblePicture::AccessiblePicture(PictureControl *picture)
    : QAccessibleWidget(picture, QAccessible::Button) {}

PictureControl *AccessiblePicture::picture() const {
  return static_cast<PictureControl *>(widget());
}

QString AccessiblePicture::text(QAccessible::Text t) const {
  const QString tip = widget()->toolTip();
  switch (t) {
    case QAccessible::Name:
      // The main window's picture sits in the tank group, whose caption would
      // otherwise name it; its tooltip says what pressing it does.
      if (widget()->accessibleName().isEmpty() && !tip.isEmpty()) return tip;
      break;
    case QAccessible::Description:
      // Qt describes a widget by its tooltip; said once as the name is enough.
      if (widget()->accessibleDescription().isEmpty() && tip == text(QAccessible::Name)) return {};
      break;
    default: break;
  }
  return QAccessibleWidget::text(t);
}

QStringList AccessiblePicture::actionNames() const {
  return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void AccessiblePicture::doAction(const QString &actionName) {
  if (actionName != pressAction()) return QAccessibleWidget::doAction(actionName);
  // Later, from the event loop, as a click would come: what a click starts
  // may open a modal box or close the picker, and the screen reader waits
  // for this call to return.
  PictureControl *target = picture();
  QMetaObject::invokeMethod(
      target, [target] { emit target->clicked(target); }, Qt::QueuedConnection);
}
