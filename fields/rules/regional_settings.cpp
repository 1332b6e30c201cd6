#include "fields/rules/regional_settings.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLocale>

namespace vx {

namespace {

QChar firstOr(const QString &s, QChar fallback) { return s.isEmpty() ? fallback : s.front(); }

}  // namespace

RegionalSettings::RegionalSettings(QObject *parent) : QObject(parent), m_followsSystem(true) {
  readSystem();
  // Qt delivers LocaleChange to the application and then to each widget; an
  // application-wide filter sees every delivery, and reads the system only
  // at the application's.
  if (QCoreApplication *app = QCoreApplication::instance()) app->installEventFilter(this);
}

RegionalSettings::RegionalSettings(QChar decimal, QChar thousands, QObject *parent)
    : QObject(parent), m_decimal(decimal), m_thousands(thousands) {}

void RegionalSettings::setSeparators(QChar decimal, QChar thousands) {
  if (decimal == m_decimal && thousands == m_thousands) return;
  m_decimal = decimal;
  m_thousands = thousands;
  emit changed();
}

bool RegionalSettings::eventFilter(QObject *watched, QEvent *event) {
  if (m_followsSystem && event->type() == QEvent::LocaleChange &&
      watched == QCoreApplication::instance())
    readSystem();
  return QObject::eventFilter(watched, event);
}

void RegionalSettings::readSystem() {
  const QLocale system = QLocale::system();
  // Qt may give a separator as several code units; the fields use one
  // character each. A locale without grouping gets the no-break space, which
  // no number text contains, rather than a character that might be the
  // decimal separator.
  setSeparators(firstOr(system.decimalPoint(), u'.'),
                firstOr(system.groupSeparator(), QChar(0x00A0)));
}

}  // namespace vx
