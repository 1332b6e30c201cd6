#include "core/heater_calculation.h"

namespace vx {

Extended heaterFactor(std::int64_t n) {
  if (n >= 0 && n <= 24) return 0.3L;
  if (n >= 25 && n <= 50) return 0.2L;
  if (n >= 51 && n <= 100) return 0.13L;
  if (n >= 101 && n <= 200) return 0.1L;
  return 0.07L;
}

void calculateHeater(const TankState &tank, const HeaterFields &f, ErrorBox &errorBox) {
  if (!inputsReadable({&f.waterTemp, &f.roomTemp}, errorBox)) return;
  const Extended tA = f.waterTemp.read();
  const Extended tK = f.roomTemp.read();
  const auto volume = [&] { return Extended::widen(tank.BaseArea) * Extended::widen(tank.WaterH); };
  f.power.write((tA - tK) * volume());
  const Extended factor = heaterFactor(truncToInt64(volume()));
  f.power.write(f.power.readBack() * factor);
}

}  // namespace vx
