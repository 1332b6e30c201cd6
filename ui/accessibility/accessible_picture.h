#pragma once

#include <QAccessibleWidget>

class PictureControl;

// A shape picture as a screen reader meets it: a button that can be pressed,
// named by its tooltip where it has one, else by the caption of its box.
// Pressing it does what a click does.
class AccessiblePicture : public QAccessibleWidget {
public:
  explicit AccessiblePicture(PictureControl *picture);

  QString text(QAccessible::Text t) const override;
  QStringList actionNames() const override;
  void doAction(const QString &actionName) override;

private:
  PictureControl *picture() const;
};
