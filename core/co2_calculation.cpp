#include "core/co2_calculation.h"

#include "core/extended.h"

namespace vx {
namespace {

// The divisor is this 13-digit decimal in extended precision; dividing by it
// is what the formula does, not multiplying by its reciprocal.
constexpr long double kCo2Divisor = 2.867727272727e-8L;

}  // namespace

Co2Rating co2Rating(std::int64_t c) {
  if (c >= 0 && c <= 13) return Co2Rating::Deficiency;
  if (c >= 14 && c <= 35) return Co2Rating::Normal;
  return Co2Rating::Excess;
}

std::optional<Co2Rating> calculateCo2(const Co2Fields &f, ErrorBox &errorBox) {
  if (!inputsReadable({&f.ph, &f.kh}, errorBox)) return std::nullopt;
  const Extended ph = f.ph.read();
  const Extended p = power(10, ph * -1);
  const Extended kh = f.kh.read();
  f.content.write((p * kh) / kCo2Divisor);
  // The rating follows the whole number shown, not the unrounded content.
  const Extended shown = f.content.readBack();
  return co2Rating(truncToInt64(shown));
}

}  // namespace vx
