#pragma once

#include <cstdint>

namespace vx {

// The tank of the last volume calculation. Lengths in decimetres, so an area
// in dm² times a height in dm is litres. The lighting and heater calculations
// read these, never the tank's fields, so they follow the tank only after the
// volume button has been pressed.
struct TankState {
  double DimA = 0.0;
  double DimB = 0.0;
  double DimC = 0.0;
  double DimD = 0.0;
  double WaterH = 0.0;
  double BaseArea = 0.0;
  std::int32_t AquaType = 0;  // shape code 0..5, set only by the shape picker
  double LightLen = 0.0;      // front-to-back side of the lit rectangle
  double LightWid = 0.0;      // its width

  bool operator==(const TankState &) const = default;
};

}  // namespace vx
