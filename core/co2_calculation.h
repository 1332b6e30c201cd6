#pragma once

#include <cstdint>
#include <optional>

#include "core/calculation_ports.h"

namespace vx {

enum class Co2Rating { Deficiency, Normal, Excess };

// The band of a whole number of mg/l: 0..13 too little, 14..35 right, anything
// else (also negative) too much.
Co2Rating co2Rating(std::int64_t content);

struct Co2Fields {
  const NumberSource &ph;
  const NumberSource &kh;  // carbonate hardness, German degrees
  NumberSink &content;     // mg/l, shown whole
};

// Writes the dissolved CO2 and returns the rating of the whole number the
// field shows. An unreadable input shows the error box and returns no rating,
// with nothing written. A fault after the write leaves the field written and
// throws before any rating is returned.
std::optional<Co2Rating> calculateCo2(const Co2Fields &fields, ErrorBox &errorBox);

}  // namespace vx
