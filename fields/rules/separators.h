#pragma once

#include <QChar>

namespace vx {

// The two characters of the user's number format that every field text uses.
// Handed to each rule explicitly, so tests can run any format side by side.
struct Separators {
  QChar decimal = u'.';
  QChar thousands = u',';

  friend bool operator==(const Separators &, const Separators &) = default;
};

}  // namespace vx
