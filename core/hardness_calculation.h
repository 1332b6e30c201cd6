#pragma once

#include "core/calculation_ports.h"

namespace vx {

struct HardnessFields {
  const NumberSource &begin;   // present hardness b
  const NumberSource &wanted;  // wanted hardness e
  const NumberSource &change;  // hardness p of the change water
  NumberSink &share;           // percent of the water to replace
};

// Solves b·(1 − x) + p·x = e for x, in percent: (b − e) / (b − p) × 100.
// b = p faults (division by zero, or 0/0 when e = b too) before anything is
// written. An unreadable input shows the error box and writes nothing.
void calculateHardness(const HardnessFields &fields, ErrorBox &errorBox);

}  // namespace vx
