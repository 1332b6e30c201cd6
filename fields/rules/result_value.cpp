#include "fields/rules/result_value.h"

#include <algorithm>

#include "fields/rules/decimal_text.h"

namespace vx {

QString resultEditPattern(int decimalPlaces) {
  if (decimalPlaces <= 0) return QStringLiteral("0");
  return QStringLiteral("0.") + QString(decimalPlaces, u'#');
}

QString normalizeResultText(QStringView text, const Separators &seps) {
  QString s = text.trimmed().toString();
  if (seps.decimal != seps.thousands) s.remove(seps.thousands);
  if (seps.thousands != u'.') s.replace(u'.', seps.decimal);
  if (seps.thousands != u',') s.replace(u',', seps.decimal);
  if (s.isEmpty()) return QStringLiteral("0");
  if (s == u"-") return QStringLiteral("-0");
  return s;
}

std::optional<long double> parseResultText(QStringView text, const Separators &seps) {
  return parseDecimal(normalizeResultText(text, seps), seps);
}

ResultValue::ResultValue(const Separators &seps)
    : m_seps(seps),
      m_editPattern(resultEditPattern(m_decimalPlaces)),
      m_displayPattern(resultEditPattern(m_decimalPlaces)) {
  rebuildEditText();
}

void ResultValue::setValue(long double v) {
  m_value = v;
  rebuildEditText();
}

long double ResultValue::Value() {
  m_value = parseResultText(m_editText, m_seps).value_or(0.0L);
  return m_value;
}

void ResultValue::setDecimalPlaces(int places) {
  m_decimalPlaces = std::clamp(places, 0, 255);
  m_editPattern = NumberPattern(resultEditPattern(m_decimalPlaces));
  if (m_displayFormat.isEmpty()) m_displayPattern = m_editPattern;
  rebuildEditText();
}

void ResultValue::setDisplayFormat(const QString &pattern) {
  m_displayFormat = pattern;
  m_displayPattern = pattern.isEmpty() ? m_editPattern : NumberPattern(pattern);
  rebuildEditText();
}

void ResultValue::setZeroEmpty(bool on) {
  m_zeroEmpty = on;
  rebuildEditText();
}

void ResultValue::setSeparators(const Separators &seps) {
  m_seps = seps;
  rebuildEditText();
}

QString ResultValue::displayText() const { return m_displayPattern.format(m_value, m_seps); }

void ResultValue::rebuildEditText() {
  // Exactly zero (either sign) may leave the text empty; it reads back as 0.
  m_editText = (m_value == 0 && m_zeroEmpty) ? QString() : m_editPattern.format(m_value, m_seps);
}

}  // namespace vx
