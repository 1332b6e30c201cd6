// The decimal machinery under both field kinds, checked against the C
// library: the 18 digits of a finite extended value are its nearest 18-digit
// decimal, the half-away cut moves by at most half a unit in the direction the
// first dropped digit says, the 15-digit scientific text parses back to the
// number and writes the same text again, and a short plain text parses to the
// extended number nearest to it.
#include <cmath>
#include <cstdlib>
#include <string>

#include "fields/rules/decimal_text.h"
#include "fuzz_support.h"

namespace {

using fuzz::fail;
using fuzz::quoted;
using fuzz::show;
using vx::DecimalDigits;
using vx::Separators;

const Separators kPoint{u'.', u','};

std::string describe(const DecimalDigits &d) {
  return (d.negative ? "-0." : "0.") + std::string(d.digits, static_cast<std::size_t>(d.count)) +
         "e" + std::to_string(d.pointPos);
}

// The C library's reading of the digits, correctly rounded.
long double exactValue(const DecimalDigits &d) {
  const std::string text = describe(d);
  return std::strtold(text.c_str(), nullptr);
}

// Compares the magnitudes of two digit strings exactly.
int compareMagnitude(const DecimalDigits &a, const DecimalDigits &b) {
  if (a.isZero() || b.isZero()) return int(!a.isZero()) - int(!b.isZero());
  if (a.pointPos != b.pointPos) return a.pointPos < b.pointPos ? -1 : 1;
  for (int i = 0; i < std::max(a.count, b.count); ++i) {
    if (a.digitAt(i) != b.digitAt(i)) return a.digitAt(i) < b.digitAt(i) ? -1 : 1;
  }
  return 0;
}

bool sameDigits(const DecimalDigits &a, const DecimalDigits &b) {
  return a.negative == b.negative && a.count == b.count && a.pointPos == b.pointPos &&
         std::equal(a.digits, a.digits + a.count, b.digits);
}

void checkWellFormed(const DecimalDigits &d, const char *what, long double v) {
  bool ok = d.count >= 0 && d.count <= DecimalDigits::kCapacity;
  for (int i = 0; ok && i < d.count; ++i) ok = d.digits[i] >= '0' && d.digits[i] <= '9';
  if (ok && d.count > 0) ok = d.digits[0] != '0' && d.digits[d.count - 1] != '0';
  if (ok && d.count == 0) ok = !d.negative && d.pointPos == 0;
  if (!ok) fail(what, show(v) + " gives " + describe(d));
}

void checkDigits(long double v) {
  const DecimalDigits d = vx::toDecimalDigits(v);
  checkWellFormed(d, "18 digits without leading or trailing zeros", v);
  if (d.isZero() != (v == 0) || (!d.isZero() && d.negative != (v < 0))) {
    fail("the digits keep zero and the sign", show(v) + " gives " + describe(d));
  }
  // Within half a unit of the 18th digit (5e-18 relative), plus the C
  // library's own rounding back to an extended number. Next to the largest
  // number the 18 digits may lie beyond it, where the C library overflows.
  const long double back = exactValue(d);
  if (std::isfinite(back) &&
      !(std::fabs(back - v) <= 5.0000001e-18L * std::fabs(v) + fuzz::ulp(v))) {
    fail("the 18 digits are the nearest decimal", show(v) + " gives " + describe(d));
  }

  static const int kDecimals[] = {-20, -3, -1, 0, 1, 2, 3, 4, 15, 17, 40, 5000};
  static const int kSignificant[] = {1, 2, 15, 17, vx::kNoDigitLimit};
  for (int decimals : kDecimals) {
    for (int significant : kSignificant) {
      const DecimalDigits r = vx::roundHalfAway(d, decimals, significant);
      const std::string what = describe(d) + " cut at " + std::to_string(decimals) + " decimals, " +
                               std::to_string(significant) + " digits gives " + describe(r);
      checkWellFormed(r, "a cut leaves well-formed digits", v);
      if (!r.isZero() && r.negative != d.negative) fail("a cut keeps the sign", what);
      if (!sameDigits(vx::roundHalfAway(r, decimals, significant), r))
        fail("a cut is idempotent", what);

      const long long keep =
          std::min<long long>(static_cast<long long>(d.pointPos) + decimals, significant);
      if (!r.isZero() &&
          (r.count > significant || r.count > static_cast<long long>(r.pointPos) + decimals)) {
        fail("a cut keeps no digit past the cut", what);
      }
      const int direction = compareMagnitude(r, d);
      if (keep >= d.count) {
        if (!sameDigits(r, d)) fail("nothing to cut leaves the digits", what);
      } else if (keep >= 0 && d.digitAt(keep) >= '5') {
        if (direction <= 0) fail("a dropped 5 or more rounds away from zero", what);
      } else if (direction > 0) {
        fail("a dropped digit below 5 rounds toward zero", what);
      }
      // At most half a unit of the last kept place away.
      const long double unit = std::pow(10.0L, static_cast<long double>(d.pointPos - keep));
      // (A cut near the largest number may step past it: digits have no range.)
      const long double distance = std::fabs(exactValue(r) - exactValue(d));
      if (std::isfinite(unit) && std::isfinite(distance) &&
          !(distance <= 0.5L * unit * (1 + 1e-15L) + 2 * fuzz::ulp(exactValue(d)))) {
        fail("a cut moves by at most half a unit", what);
      }
    }
  }
}

// The 15-digit scientific text, as big numbers are written, reads back.
void checkScientific(long double v) {
  const QString text = vx::scientificText(v, kPoint);
  const auto parsed = vx::parseDecimal(text, kPoint);
  if (!parsed) fail("a scientific text parses", show(v) + " -> " + quoted(text));
  if (!(std::fabs(*parsed - v) <= 5.0000001e-15L * std::fabs(v) + 8 * fuzz::ulp(v))) {
    fail("a scientific text is the number to 15 digits",
         show(v) + " -> " + quoted(text) + " -> " + show(*parsed));
  }
  if (vx::scientificText(*parsed, kPoint) != text) {
    fail("a scientific text writes itself again", show(v) + " -> " + quoted(text));
  }
}

// A plain text of at most 19 digits without an exponent holds an exact whole
// number and at most a small exact power of ten: one rounding, the nearest.
void checkShortText(const QString &text) {
  const auto parsed = vx::parseDecimal(text, kPoint);
  if (!parsed) return;
  int digits = 0;
  for (const QChar c : text) {
    if (c >= u'0' && c <= u'9') {
      ++digits;
    } else if (c != u'.' && c != u'-' && c != u'+' && c != u' ') {
      return;
    }
  }
  if (digits > 19) return;
  const std::string ascii = text.toStdString();
  if (*parsed != std::strtold(ascii.c_str(), nullptr)) {
    fail("a short text parses to the nearest number", quoted(text) + " -> " + show(*parsed));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const QString text = fuzz::textOf(data, size);
  checkShortText(text);
  std::vector<long double> values = fuzz::valuesFromBytes(data, size);
  if (const auto parsed = vx::parseDecimal(text, kPoint)) values.push_back(*parsed);
  for (long double v : values) {
    checkDigits(v);
    checkScientific(v);
  }
  return 0;
}
