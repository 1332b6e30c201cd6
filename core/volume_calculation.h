#pragma once

#include "core/calculation_ports.h"
#include "core/tank_state.h"

namespace vx {

struct VolumeFields {
  const NumberSource &sideA, &sideB, &sideC, &sideD;  // outer sides, cm
  const NumberSource &glass;                          // glass thickness, mm
  const NumberSource &water;                          // water height, cm
  const NumberSource &soil;                           // soil layer, cm
  NumberSink &volume;                                 // litres
  NumberSink &soilWeight;                             // kilograms
};

// Returns x unchanged. Passing a value through it makes it a double, which is
// where a side beyond double's range raises the overflow fault.
double NotNull(double x);

// Fills the tank state from the fields and writes the water volume and the
// soil weight. An unreadable text in a field the shape uses shows the error
// box and changes nothing. A shape whose test fails shows the error box and
// keeps the previous base area and lit rectangle, then writes the results
// all the same.
void calculateVolume(TankState &tank, const VolumeFields &fields, ErrorBox &errorBox);

}  // namespace vx
