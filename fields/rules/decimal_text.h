#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <limits>
#include <optional>

#include "fields/rules/separators.h"

// The decimal machinery both field kinds share: the exact digit string of an
// extended value, the half-away cut of that string, the scientific text of
// large numbers and the one decimal parser. None of it raises a FloatFaultError:
// overflow while parsing makes the text invalid instead.
namespace vx {

// The ASCII digits only: a number text never holds other scripts' digits,
// which QChar::isDigit would accept.
constexpr bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// A finite number as value = ±0.d1d2…dcount × 10^pointPos. The digits carry no
// leading and no trailing zeros; zero has no digits and is never negative.
struct DecimalDigits {
  static constexpr int kCapacity = 18;

  bool negative = false;
  int count = 0;
  int pointPos = 0;
  char digits[kCapacity] = {};  // '0'..'9'

  bool isZero() const { return count == 0; }
  // The digit at position i of the unbounded string (zero outside the stored digits).
  char digitAt(std::int64_t i) const { return i >= 0 && i < count ? digits[i] : '0'; }
};

inline constexpr int kNoDigitLimit = std::numeric_limits<int>::max();

// The exact magnitude of v written with 18 significant digits, the 18th
// rounded to nearest with ties to even. v must be finite.
DecimalDigits toDecimalDigits(long double v);

// Cuts the digit string after the `decimals`-th decimal or after the
// `significant`-th digit, whichever comes first, rounding half away from zero
// on the digits themselves: a first dropped digit of 5 or more adds one unit in
// the last kept place, and the carry runs on (9.995 at two decimals is 10).
DecimalDigits roundHalfAway(const DecimalDigits &d, int decimals, int significant = kNoDigitLimit);

// "INF", "-INF" or "NAN": what a text writer shows for a value that has no digits.
QString nonFiniteText(long double v);

// The digits in scientific notation: "-1.5E20", "1E-7". The mantissa drops its
// trailing zeros, the exponent has no '+' and no leading zeros.
QString scientificText(const DecimalDigits &d, const Separators &seps);
// v rounded to 15 significant digits in scientific notation (non-finite: nonFiniteText).
QString scientificText(long double v, const Separators &seps);

// Parses optional blanks, an optional sign, digits, optionally the decimal
// separator and digits, optionally "E"/"e" with an optional sign and digits
// (none means 0), optional blanks. At least one digit or the separator must
// come before the exponent. Only ASCII digits count. The digits (less any
// trailing zeros after the point) are accumulated in extended precision and
// then scaled by the power of ten, so a short text gives the extended number
// nearest to it. Empty when the text has another form or the result is not
// finite; linear in the length of the text, whatever its length.
std::optional<long double> parseDecimal(QStringView text, const Separators &seps);

}  // namespace vx
