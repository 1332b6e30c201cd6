#include "fields/rules/entry_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "fields/rules/decimal_text.h"

namespace vx {
namespace {

int hexDigit(QChar c) {
  if (isDigit(c)) return c.unicode() - u'0';
  if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
  return -1;
}

}  // namespace

int clampEntryDecimals(int decimals) { return std::clamp(decimals, 0, 255); }

std::optional<std::int32_t> parseEntryInteger(QStringView text) {
  const qsizetype n = text.size();
  qsizetype i = 0;
  while (i < n && text[i] == u' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';

  bool hex = false;
  if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }

  if (hex) {
    std::uint32_t bits = 0;
    int digits = 0;
    for (; i < n && hexDigit(text[i]) >= 0; ++i) {
      if (++digits > 8) return std::nullopt;
      bits = bits << 4 | static_cast<std::uint32_t>(hexDigit(text[i]));
    }
    if (digits == 0 || i != n) return std::nullopt;
    if (negative) bits = 0u - bits;  // modulo 2^32, as the pattern is two's complement
    return static_cast<std::int32_t>(bits);
  }

  // Past 2^31 the magnitude only needs to stay out of range, not grow.
  constexpr std::int64_t kCap = std::int64_t{1} << 32;
  std::int64_t magnitude = 0;
  int digits = 0;
  for (; i < n && isDigit(text[i]); ++i, ++digits) {
    magnitude = std::min(magnitude * 10 + (text[i].unicode() - u'0'), kCap);
  }
  if (digits == 0 || i != n) return std::nullopt;
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

long double readEntryValue(QStringView text, const EntryFormat &format, const Separators &seps) {
  if (format.valueType == TValueType::vtInteger) {
    const auto v = parseEntryInteger(text);
    return v ? static_cast<long double>(*v) : 0.0L;
  }
  return parseDecimal(text, seps).value_or(0.0L);
}

bool isReadableEntryText(QStringView text, const EntryFormat &format, const Separators &seps) {
  if (format.valueType == TValueType::vtInteger) return parseEntryInteger(text).has_value();
  if (!parseDecimal(text, seps)) return false;
  const qsizetype exponent = text.indexOf(u'E', 0, Qt::CaseInsensitive);
  const QStringView mantissa = exponent < 0 ? text : text.first(exponent);
  return std::any_of(mantissa.begin(), mantissa.end(), isDigit);
}

QString fixedText(long double v, int decimals, const Separators &seps) {
  if (!std::isfinite(v)) return nonFiniteText(v);
  if (std::fabs(v) >= 1e15L) return scientificText(v, seps);
  decimals = std::max(decimals, 0);
  const DecimalDigits r = roundHalfAway(toDecimalDigits(v), decimals, 15);

  QString out;
  out.reserve(std::max(r.pointPos, 1) + decimals + 2);
  if (r.negative) out += u'-';
  if (r.pointPos <= 0) out += u'0';
  for (int i = 0; i < r.pointPos; ++i) out += QChar(r.digitAt(i));
  if (decimals > 0) {
    out += seps.decimal;
    for (int k = 0; k < decimals; ++k) out += QChar(r.digitAt(std::int64_t{r.pointPos} + k));
  }
  return out;
}

QString integerText(long double v) {
  if (!std::isfinite(v)) return nonFiniteText(v);
  const long double whole = std::nearbyint(v);  // round-to-nearest mode: ties to even
  if (whole == 0) return QStringLiteral("0");
  if (std::fabs(whole) < 9.2e18L) return QString::number(static_cast<qint64>(whole));
  // Beyond 64 bits: every digit of the whole number, as the C library prints it exactly.
  // The largest extended number has 4933 digits.
  char buf[5000];
  const int size = std::snprintf(buf, sizeof buf, "%.0Lf", whole);
  return QString::fromLatin1(buf, size);
}

QString writeEntryValue(long double v, const EntryFormat &format, const Separators &seps) {
  return format.valueType == TValueType::vtInteger
             ? integerText(v)
             : fixedText(v, clampEntryDecimals(format.decimals), seps);
}

bool acceptsTypedChar(QChar c, QStringView text, TValueType type, const Separators &seps) {
  if (c.unicode() < 32 || c == u'+' || c == u'-' || isDigit(c)) return true;
  if (type != TValueType::vtFloat) return false;
  if (c == seps.decimal) return !text.contains(seps.decimal);
  if (c == u'E' || c == u'e') return !text.contains(u'E', Qt::CaseInsensitive);
  return false;
}

long double incrementForType(long double increment, TValueType type) {
  if (type != TValueType::vtInteger) return increment;
  const long double whole = std::nearbyint(increment);
  return whole == 0 ? 1.0L : whole;
}

EntryStep stepEntry(QStringView text, int direction, long double increment,
                    const EntryFormat &format, const Separators &seps) {
  if (direction == 0) return {text.toString(), false};
  const long double v = readEntryValue(text, format, seps);
  const long double stepped = direction > 0 ? v + increment : v - increment;
  EntryStep result;
  result.text = writeEntryValue(stepped, format, seps);
  result.changed = QStringView(result.text).compare(text, Qt::CaseInsensitive) != 0;
  return result;
}

}  // namespace vx
