#pragma once

#include <compare>
#include <cstdint>
#include <limits>

#include "core/float_fault.h"

static_assert(std::numeric_limits<long double>::digits == 64,
              "the calculations are defined in the 80-bit extended format "
              "(64-bit significand); build for x86-64 with the x87 long double");

namespace vx {

// An 80-bit extended value whose every operation is checked: division by
// zero, invalid operation and overflow throw FloatFaultError at the operation
// that caused them, so a handler ends exactly where the arithmetic went wrong.
//
// There is deliberately no implicit conversion from double: a decimal
// constant in a formula must be written as an extended literal (0.8L), since
// the double nearest 0.8 changes shown results. Where a formula really works
// on a double (the stored tank figures, the reflector factors), widen() says
// so.
class Extended {
public:
  constexpr Extended() = default;
  constexpr Extended(long double v) : m_v(v) {}  // NOLINT: extended is the native type
  constexpr Extended(int v) : m_v(v) {}          // NOLINT: exact
  constexpr Extended(std::int64_t v) : m_v(static_cast<long double>(v)) {}  // NOLINT: exact
  Extended(double) = delete;

  static constexpr Extended widen(double v) { return Extended(static_cast<long double>(v)); }

  constexpr long double raw() const { return m_v; }

  friend Extended operator+(Extended a, Extended b);
  friend Extended operator-(Extended a, Extended b);
  friend Extended operator*(Extended a, Extended b);
  friend Extended operator/(Extended a, Extended b);
  friend constexpr Extended operator-(Extended a) { return Extended(-a.m_v); }

  Extended &operator+=(Extended o) { return *this = *this + o; }
  Extended &operator-=(Extended o) { return *this = *this - o; }
  Extended &operator*=(Extended o) { return *this = *this * o; }
  Extended &operator/=(Extended o) { return *this = *this / o; }

  friend constexpr bool operator==(Extended a, Extended b) { return a.m_v == b.m_v; }
  friend constexpr std::partial_ordering operator<=>(Extended a, Extended b) {
    return a.m_v <=> b.m_v;
  }

private:
  long double m_v = 0.0L;
};

// Checked elementary functions in extended precision.
Extended sqrt(Extended x);
Extended ln(Extended x);
Extended exp(Extended x);
Extended arctan(Extended x);

// base raised to exponent: exactly 1 for exponent 0, 0 for base 0 and a
// positive exponent, repeated squaring for whole exponents up to 2147483647
// in magnitude (reciprocal for negative ones), exp(exponent * ln base)
// otherwise.
Extended power(Extended base, Extended exponent);

// Toward zero into a signed 64-bit integer; InvalidOperation when the whole
// part does not fit.
std::int64_t truncToInt64(Extended x);

// Rounds to the nearest double; Overflow when beyond double's range.
double toDouble(Extended x);

}  // namespace vx
