#pragma once

#include <QList>
#include <QRgb>

#include <array>

// The sixteen colours every 4-bit display and icon format agrees on, in
// their customary index order. The icon is written with exactly this table so
// that an indexed copy of it keeps the same indices everywhere.
inline constexpr std::array<QRgb, 16> kStandardPalette16 = {
    0xff000000u,  // black
    0xff800000u,  // maroon
    0xff008000u,  // green
    0xff808000u,  // olive
    0xff000080u,  // navy
    0xff800080u,  // purple
    0xff008080u,  // teal
    0xffc0c0c0u,  // silver
    0xff808080u,  // grey
    0xffff0000u,  // red
    0xff00ff00u,  // lime
    0xffffff00u,  // yellow
    0xff0000ffu,  // blue
    0xffff00ffu,  // fuchsia
    0xff00ffffu,  // aqua
    0xffffffffu,  // white
};

inline QList<QRgb> standardPalette16() {
  return QList<QRgb>(kStandardPalette16.begin(), kStandardPalette16.end());
}
