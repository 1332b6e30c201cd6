#pragma once

// What every fuzz target shares: turning bytes into texts and into finite
// extended values, the separator sets worth trying, and a failed property
// that stops the run with enough context to reproduce it by hand.
#include <QString>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "fields/rules/separators.h"

namespace fuzz {

// The decimal/thousands pairs of the regional settings: the point and the
// comma world, which every entry field test uses ...
inline const std::vector<vx::Separators> &entrySeparators() {
  static const std::vector<vx::Separators> sets{
      {u'.', u','},
      {u',', QChar(0x00A0)},
  };
  return sets;
}

// ... and for the result field's read-back, which deletes the thousands
// separator and maps "." and "," onto the decimal one, also a blank, a point,
// a quote or a narrow no-break space where the thousands go.
inline const std::vector<vx::Separators> &regionalSeparators() {
  static const std::vector<vx::Separators> sets{
      {u'.', u','},          {u',', QChar(0x00A0)}, {u',', u' '}, {u',', u'.'},
      {u'.', QChar(0x202F)}, {u'.', u'\''},         {u'.', u' '},
  };
  return sets;
}

inline QString textOf(const std::uint8_t *data, std::size_t size) {
  return QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

inline std::string show(long double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.21Lg", v);
  return buf;
}

// Prints what broke and aborts, which libFuzzer records as a crash together
// with the input that caused it.
[[noreturn]] inline void fail(const char *property, const std::string &detail) {
  std::fprintf(stderr, "\nPROPERTY FAILED: %s\n  %s\n", property, detail.c_str());
  std::fflush(stderr);
  std::abort();
}

inline std::string quoted(const QString &s) { return '"' + s.toStdString() + '"'; }

// The ten bytes of an x87 extended number, made canonical: the explicit
// integer bit is set exactly when the exponent is not zero, since arithmetic
// never produces the other (unnormal) encodings. Empty for infinities and NaNs.
inline std::optional<long double> extendedFromBytes(const std::uint8_t *p) {
  std::uint64_t mantissa;
  std::uint16_t signExponent;
  std::memcpy(&mantissa, p, 8);
  std::memcpy(&signExponent, p + 8, 2);
  const unsigned exponent = signExponent & 0x7FFFu;
  if (exponent == 0x7FFFu) return std::nullopt;
  constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
  mantissa = exponent != 0 ? mantissa | kIntegerBit : mantissa & ~kIntegerBit;
  long double v = 0.0L;
  std::memcpy(&v, &mantissa, 8);
  std::memcpy(reinterpret_cast<unsigned char *>(&v) + 8, &signExponent, 2);
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

// A whole number scaled by a small power of ten, computed in extended
// precision the way a calculation would: this is where the ties of the
// decimal rounding live (2.675, 0.125, 999999999999999.95).
inline std::optional<long double> scaledFromBytes(const std::uint8_t *p) {
  std::int64_t whole;
  std::memcpy(&whole, p, 8);
  const int exponent = static_cast<std::int8_t>(p[8]) % 32;
  long double v = static_cast<long double>(whole);
  const long double scale = std::pow(10.0L, static_cast<long double>(std::abs(exponent)));
  v = exponent < 0 ? v / scale : v * scale;
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

// Every finite value the bytes can be read as: the raw extended number of the
// first ten bytes and the scaled whole number of the first nine.
inline std::vector<long double> valuesFromBytes(const std::uint8_t *data, std::size_t size) {
  std::vector<long double> values;
  if (size >= 9) {
    if (auto v = scaledFromBytes(data)) values.push_back(*v);
  }
  if (size >= 10) {
    if (auto v = extendedFromBytes(data)) values.push_back(*v);
  }
  return values;
}

// One unit in the last place of an extended value's magnitude (below it, so
// finite even at the largest number; the smallest denormal at zero).
inline long double ulp(long double v) {
  const long double a = std::fabs(v);
  if (a == 0) return LDBL_TRUE_MIN;
  return std::fmax(a - std::nextafter(a, 0.0L), LDBL_TRUE_MIN);
}

}  // namespace fuzz
