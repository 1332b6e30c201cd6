#include "fields/rules/decimal_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vx {
namespace {

bool isBlank(QChar c) { return c == u' '; }

// Counters that a megabyte of digits or a twenty-digit exponent cannot
// overflow; past this every non-zero result is out of range anyway.
constexpr std::int64_t kCountLimit = std::int64_t{1} << 40;

void saturatingAppend(std::int64_t &n, int digit) {
  n = n >= kCountLimit ? kCountLimit : n * 10 + digit;
}

// The largest of powerOfTen's squares that is in range: 10^(2^12).
constexpr std::int64_t kLargestSquare = 4096;

// 10^n by repeated squaring: exact up to 10^27, infinite once out of range.
long double powerOfTen(std::int64_t n) {
  long double result = 1.0L;
  long double square = 10.0L;
  for (auto bits = static_cast<std::uint64_t>(n); bits != 0; bits >>= 1) {
    if (bits & 1u) result *= square;
    if (bits > 1) square *= square;
  }
  return result;
}

void dropTrailingZeros(DecimalDigits &d) {
  while (d.count > 0 && d.digits[d.count - 1] == '0') --d.count;
  if (d.count == 0) d = DecimalDigits{};
}

}  // namespace

DecimalDigits toDecimalDigits(long double v) {
  // glibc prints the exact binary value and rounds the last digit in the
  // current rounding mode, which is round-to-nearest-even throughout.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17Le", std::fabs(v));
  DecimalDigits d;
  d.negative = std::signbit(v);
  const char *p = buf;
  // The radix character follows the C library's LC_NUMERIC, so skip
  // whatever is not a digit up to the exponent.
  for (; *p != '\0' && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9' && d.count < DecimalDigits::kCapacity) d.digits[d.count++] = *p;
  }
  int exponent = 0;
  if (*p == 'e') exponent = std::atoi(p + 1);
  d.pointPos = exponent + 1;
  dropTrailingZeros(d);
  return d;
}

DecimalDigits roundHalfAway(const DecimalDigits &d, int decimals, int significant) {
  const std::int64_t keep =
      std::min<std::int64_t>(std::int64_t{d.pointPos} + decimals, significant);
  if (keep >= d.count) return d;
  if (keep < 0) return DecimalDigits{};  // the first dropped digit is a leading zero

  DecimalDigits r = d;
  r.count = static_cast<int>(keep);
  if (d.digits[keep] >= '5') {
    int i = r.count - 1;
    while (i >= 0 && r.digits[i] == '9') r.digits[i--] = '0';
    if (i >= 0) {
      ++r.digits[i];
    } else {
      // All kept digits were nines (or none were kept): one more place in front.
      r.digits[0] = '1';
      r.count = 1;
      ++r.pointPos;
    }
  }
  dropTrailingZeros(r);
  return r;
}

QString nonFiniteText(long double v) {
  if (std::isnan(v)) return QStringLiteral("NAN");
  return v < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString scientificText(const DecimalDigits &d, const Separators &seps) {
  if (d.isZero()) return QStringLiteral("0");
  QString out;
  out.reserve(d.count + 8);
  if (d.negative) out += u'-';
  out += QChar(d.digits[0]);
  if (d.count > 1) {
    out += seps.decimal;
    for (int i = 1; i < d.count; ++i) out += QChar(d.digits[i]);
  }
  out += u'E';
  out += QString::number(d.pointPos - 1);
  return out;
}

QString scientificText(long double v, const Separators &seps) {
  if (!std::isfinite(v)) return nonFiniteText(v);
  return scientificText(roundHalfAway(toDecimalDigits(v), kNoDigitLimit, 15), seps);
}

std::optional<long double> parseDecimal(QStringView text, const Separators &seps) {
  const qsizetype n = text.size();
  qsizetype i = 0;
  while (i < n && isBlank(text[i])) ++i;

  bool negative = false;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';

  long double x = 0.0L;
  std::int64_t fractionDigits = 0;
  bool hasMantissa = false;
  for (; i < n && isDigit(text[i]); ++i) {
    x = x * 10 + (text[i].unicode() - u'0');
    hasMantissa = true;
  }
  if (i < n && text[i] == seps.decimal) {
    hasMantissa = true;
    // Zeros after the point count only once a non-zero digit follows them:
    // trailing ones would scale the digits up and back down again, pushing
    // the power of ten past its exact range or even overflowing ("1.000…").
    std::int64_t pendingZeros = 0;
    for (++i; i < n && isDigit(text[i]); ++i) {
      const int digit = text[i].unicode() - u'0';
      if (digit == 0) {
        ++pendingZeros;
        continue;
      }
      for (; pendingZeros > 0; --pendingZeros) {
        x *= 10;
        if (fractionDigits < kCountLimit) ++fractionDigits;
      }
      x = x * 10 + digit;
      if (fractionDigits < kCountLimit) ++fractionDigits;
    }
  }
  if (!hasMantissa) return std::nullopt;

  std::int64_t exponent = 0;
  if (i < n && (text[i] == u'E' || text[i] == u'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negativeExponent = text[i++] == u'-';
    for (; i < n && isDigit(text[i]); ++i) saturatingAppend(exponent, text[i].unicode() - u'0');
    if (negativeExponent) exponent = -exponent;
  }
  while (i < n && isBlank(text[i])) ++i;
  if (i != n) return std::nullopt;

  // Zero stays zero whatever the exponent (0 times an overflowing power would
  // be no number at all).
  if (x == 0) return negative ? -0.0L : 0.0L;
  const std::int64_t scale = exponent - fractionDigits;
  long double value = x;
  if (scale > 0) value = x * powerOfTen(scale);
  if (scale < 0) {
    // Past 10^4932 the power itself is out of range although the quotient
    // may not be: the denormals reach down to 3.6E-4951, and a long fraction
    // has many digits to divide away. Divide by 10^4096 until the rest of the
    // power is in range, nothing is left of the value, or the digits
    // themselves overflowed (that text stays invalid).
    std::int64_t down = -scale;
    while (down > kLargestSquare && value != 0 && std::isfinite(value) &&
           !std::isfinite(powerOfTen(down))) {
      value /= powerOfTen(kLargestSquare);
      down -= kLargestSquare;
    }
    value /= powerOfTen(down);
  }
  if (!std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

}  // namespace vx
