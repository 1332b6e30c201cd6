#pragma once

#include <string_view>

#include "core/extended.h"

namespace vx {

// The calculations see their fields only through these ports, so they can run
// (and be tested) without a window. The order of the calls is part of the
// arithmetic: an input is read again each time a formula names it.

// The numbers cross as Extended, so what a calculation reads can only go on
// in checked arithmetic, and what it writes is what that arithmetic made.

// An entry field: every read parses its current text.
class NumberSource {
public:
  virtual ~NumberSource() = default;
  virtual Extended read() const = 0;
};

// A result field. Reading back does not return the number written but the
// field's own rounded edit text, and stores that as the new value.
class NumberSink {
public:
  virtual ~NumberSink() = default;
  virtual void write(Extended v) = 0;
  virtual Extended readBack() = 0;
};

// The modal "bad input" box; returns when the user has closed it.
class ErrorBox {
public:
  virtual ~ErrorBox() = default;
  virtual void showError(std::string_view utf8Message) = 0;
};

// What the input-checking calculations say when a shape or an input is unusable.
inline constexpr std::string_view kBadInputMessage = "Неверные входные данные !";

}  // namespace vx
