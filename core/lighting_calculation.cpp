#include "core/lighting_calculation.h"

#include <array>

#include "core/extended.h"

namespace vx {
namespace {

// Reflector gain for "Нет", "Трапеция", "Парабола" and "Kvib". These
// are doubles on purpose: 2.2 and 2.4 are the doubles nearest those decimals.
constexpr std::array<double, 4> kReflectorFactor = {1.0, 2.0, 2.2, 2.4};

// Not e: the attenuation's base is this ten-digit decimal.
constexpr long double kAttenuationBase = 2.718281828L;
constexpr long double kLampEfficiency = 0.8L;
constexpr long double kPi = 3.141592653589793238462643383279502884L;

}  // namespace

void calculateLighting(const TankState &tank, const LightingFields &f, ErrorBox &errorBox) {
  if (!inputsReadable({&f.illuminance, &f.lampHeight}, errorBox)) return;
  const bool usable = f.illuminance.read() > 0 && tank.WaterH > 0 && tank.LightLen > 0 &&
                      tank.LightWid > 0 && f.lampHeight.read() > 0 && f.reflector &&
                      *f.reflector >= 0 && *f.reflector < static_cast<int>(kReflectorFactor.size());
  if (!usable) {
    errorBox.showError(kBadInputMessage);
    return;
  }
  const Extended k = Extended::widen(kReflectorFactor[static_cast<std::size_t>(*f.reflector)]);
  const Extended waterH = Extended::widen(tank.WaterH);
  const Extended len = Extended::widen(tank.LightLen);
  const Extended wid = Extended::widen(tank.LightWid);

  const Extended T = power(kAttenuationBase, (Extended(-2) * waterH) / 10);
  f.flux.write(f.illuminance.read() / T);

  const Extended r1 = f.flux.readBack();
  f.flux.write(r1 / kLampEfficiency);

  // dm² / 100 is m², which turns lux into lumens.
  const Extended r2 = f.flux.readBack();
  f.flux.write(r2 * ((wid * len) / 100));

  // The share of a full turn under which a lamp above the middle sees the
  // front-to-back side; the width plays no part.
  const Extended r3 = f.flux.readBack();
  const Extended h = f.lampHeight.read();
  const Extended s = ((arctan((len / 2) / (h / 10)) * 2) * 180 / kPi) / 360;
  f.flux.write(r3 / s);

  const Extended r4 = f.flux.readBack();
  f.flux.write(r4 / k);
}

}  // namespace vx
