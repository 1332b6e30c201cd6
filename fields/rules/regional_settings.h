#pragma once

#include <QChar>
#include <QObject>

#include "fields/rules/separators.h"

namespace vx {

// The decimal and thousands separators of the user's regional settings.
// One object is handed to every field; it re-reads the system locale when Qt
// announces a locale change, and tests build their own with fixed separators.
class RegionalSettings : public QObject {
  Q_OBJECT
  Q_PROPERTY(QChar decimalSeparator READ decimalSeparator NOTIFY changed)
  Q_PROPERTY(QChar thousandsSeparator READ thousandsSeparator NOTIFY changed)

public:
  // Follows QLocale::system() and its changes.
  explicit RegionalSettings(QObject *parent = nullptr);
  // Fixed separators, for tests and tools.
  RegionalSettings(QChar decimal, QChar thousands, QObject *parent = nullptr);

  QChar decimalSeparator() const { return m_decimal; }
  QChar thousandsSeparator() const { return m_thousands; }
  vx::Separators separators() const { return {m_decimal, m_thousands}; }
  // Emits changed() when either separator differs from before.
  void setSeparators(QChar decimal, QChar thousands);

signals:
  void changed();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void readSystem();

  QChar m_decimal = u'.';
  QChar m_thousands = u',';
  bool m_followsSystem = false;
};

}  // namespace vx
