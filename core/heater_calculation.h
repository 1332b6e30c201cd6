#pragma once

#include <cstdint>

#include "core/calculation_ports.h"
#include "core/extended.h"
#include "core/tank_state.h"

namespace vx {

// Watts per litre and degree for a tank of n whole litres: bigger tanks lose
// less heat per litre.
Extended heaterFactor(std::int64_t litres);

struct HeaterFields {
  const NumberSource &waterTemp;
  const NumberSource &roomTemp;
  NumberSink &power;  // W, shown whole
};

// round(factor × round((water − room) × V)), V being the volume of the last
// volume calculation. The inner rounding is the field's read-back. An
// unreadable temperature shows the error box and writes nothing.
void calculateHeater(const TankState &tank, const HeaterFields &fields, ErrorBox &errorBox);

}  // namespace vx
