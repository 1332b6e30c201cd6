#include "core/hardness_calculation.h"

#include "core/extended.h"

namespace vx {

void calculateHardness(const HardnessFields &f, ErrorBox &errorBox) {
  if (!inputsReadable({&f.begin, &f.wanted, &f.change}, errorBox)) return;
  // Named steps fix the order of the reads: b, e, then b again and p.
  const Extended b = f.begin.read();
  const Extended e = f.wanted.read();
  const Extended d1 = b - e;
  const Extended bAgain = f.begin.read();
  const Extended p = f.change.read();
  const Extended d2 = bAgain - p;
  f.share.write((d1 / d2) * 100);
}

}  // namespace vx
