#include "core/volume_calculation.h"

#include "core/extended.h"
#include "core/tank_shapes.h"

namespace vx {
namespace {

// Soil weighs 1.75 kg per litre.
constexpr long double kSoilDensity = 1.75L;

// The side's field if the shape's formula reads it. A side it ignores is
// converted all the same, but no text there can change the result.
const NumberSource *ifUsed(bool used, const NumberSource &side) { return used ? &side : nullptr; }

// An outer side in cm less two glass thicknesses in mm, in decimetres. The
// glass field is read again for every side.
double innerSide(const NumberSource &side, const NumberSource &glass) {
  const double v = NotNull(toDouble(side.read()));
  const Extended t = glass.read();
  return toDouble((Extended::widen(v) - t * 2 / 10) / 10);
}

}  // namespace

double NotNull(double x) { return x; }

void calculateVolume(TankState &tank, const VolumeFields &f, ErrorBox &errorBox) {
  // A code outside the table reads every side (and then fails its formula).
  const TankShapeRow *shape = tankShape(tank.AquaType);
  const SidesRead used = shape ? shape->sides : SidesRead{true, true, true, true};
  if (!inputsReadable({ifUsed(used.A, f.sideA), ifUsed(used.B, f.sideB), ifUsed(used.C, f.sideC),
                       ifUsed(used.D, f.sideD), &f.glass, &f.water, &f.soil},
                      errorBox))
    return;

  // Every side is converted for every shape, also those the shape ignores.
  tank.DimA = innerSide(f.sideA, f.glass);
  tank.DimB = innerSide(f.sideB, f.glass);
  tank.DimC = innerSide(f.sideC, f.glass);
  tank.DimD = innerSide(f.sideD, f.glass);
  tank.WaterH = toDouble(Extended::widen(NotNull(toDouble(f.water.read()))) / 10);

  const Extended A = Extended::widen(tank.DimA);
  const double L = toDouble(sqrt((Extended(2) * A) * A));

  const InnerSides sides{A, Extended::widen(tank.DimB), Extended::widen(tank.DimC),
                         Extended::widen(tank.DimD), Extended::widen(L)};
  if (const auto shape = shapeArea(tank.AquaType, sides)) {
    const double area = toDouble(shape->baseArea);
    if (shape->lit) {
      const double length = toDouble(shape->lit->length);
      const double width = toDouble(shape->lit->width);
      tank.LightLen = length;
      tank.LightWid = width;
    }
    tank.BaseArea = area;
  } else {
    errorBox.showError(kBadInputMessage);
  }

  f.volume.write(Extended::widen(tank.BaseArea) * Extended::widen(tank.WaterH));
  const Extended h = f.soil.read();
  f.soilWeight.write(((h * Extended::widen(tank.BaseArea)) / 10) * kSoilDensity);
}

}  // namespace vx
