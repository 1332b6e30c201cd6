#include "core/hardness_calculation.h"

#include "core/extended.h"

namespace vx {

void calculateHardness(const HardnessFields &f) {
  // Named steps fix the order of the reads: b, e, then b again and p.
  const Extended b = f.begin.Value();
  const Extended e = f.wanted.Value();
  const Extended d1 = b - e;
  const Extended bAgain = f.begin.Value();
  const Extended p = f.change.Value();
  const Extended d2 = bAgain - p;
  f.share.setValue(((d1 / d2) * 100).raw());
}

}  // namespace vx
