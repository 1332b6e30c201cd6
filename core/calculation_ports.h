#pragma once

#include <initializer_list>
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
  // Whether the text stands for a number. One that does not still reads (as
  // 0), which is why a calculation asks before it reads anything.
  virtual bool readable() const = 0;
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

// Whether every one of the inputs a calculation is about to use can be read;
// if not, the bad-input box is shown once. A calculation asks first, so that
// text the user cannot have meant as a number ends it before anything is
// read or written, instead of turning into a plausible result computed from 0.
// A null input is one the calculation does not use this time.
inline bool inputsReadable(std::initializer_list<const NumberSource *> inputs, ErrorBox &errorBox) {
  for (const NumberSource *input : inputs) {
    if (input && !input->readable()) {
      errorBox.showError(kBadInputMessage);
      return false;
    }
  }
  return true;
}

}  // namespace vx
