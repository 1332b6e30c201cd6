#include "core/extended.h"

#include <cfenv>
#include <cmath>

namespace vx {
namespace {

constexpr int kFaultFlags = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

// An empty asm that claims to read and rewrite v in memory. Placed around an
// operation it pins the operation between clearing and testing the flags and
// hides its operands from constant folding, whatever the optimiser sees.
template <typename T>
inline void pin(T &v) {
  asm volatile("" : "+m"(v));
}

void clearFaults() { std::feclearexcept(kFaultFlags); }

void throwOnFault() {
  const int raised = std::fetestexcept(kFaultFlags);
  if (raised == 0) return;
  // Only one flag is raised by a single operation in practice; invalid comes
  // first because it is the most specific of the three.
  if (raised & FE_INVALID) throw FloatFaultError(FloatFault::InvalidOperation);
  if (raised & FE_DIVBYZERO) throw FloatFaultError(FloatFault::DivisionByZero);
  throw FloatFaultError(FloatFault::Overflow);
}

template <typename Op>
long double checked(long double a, long double b, Op op) {
  clearFaults();
  pin(a);
  pin(b);
  long double r = op(a, b);
  pin(r);
  throwOnFault();
  return r;
}

template <typename Fn>
long double checked(long double a, Fn fn) {
  clearFaults();
  pin(a);
  long double r = fn(a);
  pin(r);
  throwOnFault();
  return r;
}

}  // namespace

Extended operator+(Extended a, Extended b) {
  return checked(a.m_v, b.m_v, [](long double x, long double y) { return x + y; });
}
Extended operator-(Extended a, Extended b) {
  return checked(a.m_v, b.m_v, [](long double x, long double y) { return x - y; });
}
Extended operator*(Extended a, Extended b) {
  return checked(a.m_v, b.m_v, [](long double x, long double y) { return x * y; });
}
Extended operator/(Extended a, Extended b) {
  return checked(a.m_v, b.m_v, [](long double x, long double y) { return x / y; });
}

Extended sqrt(Extended x) {
  return checked(x.raw(), [](long double v) { return std::sqrt(v); });
}
Extended ln(Extended x) {
  return checked(x.raw(), [](long double v) { return std::log(v); });
}
Extended exp(Extended x) {
  return checked(x.raw(), [](long double v) { return std::exp(v); });
}
Extended arctan(Extended x) {
  return checked(x.raw(), [](long double v) { return std::atan(v); });
}

Extended power(Extended base, Extended exponent) {
  if (exponent == 0) return 1;
  if (base == 0 && exponent > 0) return 0;
  constexpr long double kMaxWhole = 2147483647.0L;
  const long double e = exponent.raw();
  if (std::trunc(e) == e && std::fabs(e) <= kMaxWhole) {
    auto n = static_cast<std::uint32_t>(std::fabs(e));
    Extended result = 1;
    Extended square = base;
    for (;;) {
      if (n & 1u) result *= square;
      n >>= 1;
      if (n == 0) break;  // no squaring past the last bit: it could overflow for nothing
      square *= square;
    }
    return e < 0 ? Extended(1) / result : result;
  }
  return exp(exponent * ln(base));
}

std::int64_t truncToInt64(Extended x) {
  const long double whole = std::trunc(x.raw());
  constexpr long double kLimit = 9223372036854775808.0L;  // 2^63
  if (!(whole >= -kLimit && whole < kLimit)) throw FloatFaultError(FloatFault::InvalidOperation);
  return static_cast<std::int64_t>(whole);
}

double toDouble(Extended x) {
  long double v = x.raw();
  clearFaults();
  pin(v);
  double d = static_cast<double>(v);
  pin(d);
  throwOnFault();
  return d;
}

}  // namespace vx
