#pragma once

#include <QString>
#include <QStringView>
#include <optional>

#include "core/calculation_ports.h"
#include "fields/rules/number_pattern.h"
#include "fields/rules/separators.h"

namespace vx {

// "0" followed by "." and one "#" per decimal place: the pattern of the edit text.
QString resultEditPattern(int decimalPlaces);

// Prepares an edit text for parsing: trims blanks, deletes the thousands
// separator (unless it is also the decimal one), turns "." and "," into the
// decimal separator (unless that character is the thousands separator), and
// makes "" into "0" and "-" into "-0".
QString normalizeResultText(QStringView text, const Separators &seps);

// The number of an edit text after normalisation; empty when it does not parse.
std::optional<long double> parseResultText(QStringView text, const Separators &seps);

// The numeric result field without its widget. A write stores the number and
// rebuilds the edit text, which keeps at most DecimalPlaces decimals; a read
// parses the edit text back and stores what it gets. So a calculation that
// reads its result back continues with the written number rounded to the
// field's decimal places, and that rounding is part of its arithmetic.
class ResultValue final : public NumberSink {
public:
  explicit ResultValue(const Separators &seps = {});

  void setValue(long double v);
  // Stores and returns the number of the edit text (0 when it does not parse).
  long double Value();

  void write(Extended v) override { setValue(v.raw()); }
  Extended readBack() override { return Value(); }
  long double storedValue() const { return m_value; }

  int decimalPlaces() const { return m_decimalPlaces; }
  void setDecimalPlaces(int places);  // 0..255
  const QString &displayFormat() const { return m_displayFormat; }
  void setDisplayFormat(const QString &pattern);
  bool zeroEmpty() const { return m_zeroEmpty; }
  void setZeroEmpty(bool on);
  const Separators &separators() const { return m_seps; }
  // Rewrites the edit text from the stored value in the new format, so a
  // later read does not take the old decimal separator for a thousands one.
  void setSeparators(const Separators &seps);

  const QString &editText() const { return m_editText; }
  // The stored value through DisplayFormat (through the edit pattern when
  // that is empty). Unlike the edit text, zero is shown.
  QString displayText() const;

private:
  void rebuildEditText();

  Separators m_seps;
  long double m_value = 0.0L;
  int m_decimalPlaces = 2;
  bool m_zeroEmpty = true;
  QString m_displayFormat;
  NumberPattern m_editPattern;
  NumberPattern m_displayPattern;
  QString m_editText;
};

}  // namespace vx
