#include "core/hardness_calculation.h"

#include "core/extended.h"

namespace vx {

void calculateHardness(const HardnessFields &f) {
  const Extended d1 = Extended(f.begin.Value()) - f.wanted.Value();
  const Extended d2 = Extended(f.begin.Value()) - f.change.Value();
  f.share.setValue(((d1 / d2) * 100).raw());
}

}  // namespace vx
