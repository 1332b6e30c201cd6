#include "core/float_fault.h"

namespace vx {

const char *faultMessage(FloatFault fault) noexcept {
  switch (fault) {
    case FloatFault::DivisionByZero: return "Floating point division by zero";
    case FloatFault::InvalidOperation: return "Invalid floating point operation";
    case FloatFault::Overflow: return "Floating point overflow";
  }
  return "Invalid floating point operation";
}

FloatFaultError::FloatFaultError(FloatFault fault)
    : std::runtime_error(faultMessage(fault)), m_fault(fault) {}

}  // namespace vx
