#include "ui/app/qt_differences.h"

#include <QAccessible>
#include <QString>
#include <QWidget>

namespace vx::qt_differences {

bool announce([[maybe_unused]] QWidget *focus, [[maybe_unused]] const QString &sentence) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  QAccessibleAnnouncementEvent event(focus, sentence);
  QAccessible::updateAccessibility(&event);
  return true;
#else
  return false;
#endif
}

}  // namespace vx::qt_differences
