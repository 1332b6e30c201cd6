#pragma once

#include <optional>

#include "core/calculation_ports.h"
#include "core/tank_state.h"

namespace vx {

struct LightingFields {
  const NumberSource &illuminance;  // required lux on the bottom
  const NumberSource &lampHeight;   // cm above the water
  // Index of the chosen reflector, 0..3; nothing when the typed text names none.
  std::optional<int> reflector;
  NumberSink &flux;  // lumens
};

// The luminous flux for the lit rectangle of the last volume calculation.
// Writes the field in five steps and reads it back between them: the field's
// two-decimal rounding is part of the result.
void calculateLighting(const TankState &tank, const LightingFields &fields, ErrorBox &errorBox);

}  // namespace vx
