#pragma once

namespace vx {

// Whether an entry field holds a whole number (signed 32-bit text) or a real
// one (decimal text with a fixed number of decimals).
enum class TValueType { vtInteger, vtFloat };

}  // namespace vx
