#pragma once

#include <stdexcept>

namespace vx {

// The three arithmetic faults that end a running handler. Underflow, denormal
// operands and inexact results are deliberately not faults.
enum class FloatFault {
  DivisionByZero,    // a non-zero number divided by zero, or the logarithm of zero
  InvalidOperation,  // 0/0, the root or logarithm of a negative number, an
                     // integer conversion whose whole part does not fit
  Overflow,          // a result beyond the extended range, or beyond double's
                     // when an extended value is stored as a double
};

// The exact English text the user sees for each fault.
const char *faultMessage(FloatFault fault) noexcept;

class FloatFaultError : public std::runtime_error {
public:
  explicit FloatFaultError(FloatFault fault);
  FloatFault fault() const noexcept { return m_fault; }

private:
  FloatFault m_fault;
};

}  // namespace vx
