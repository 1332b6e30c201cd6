#pragma once

#include <QIcon>
#include <QImage>

#include <array>

// The sizes the icon is drawn at for the desktop's icon theme; the window
// icon offers them all, so docks, task switchers and app grids each take a
// drawn picture instead of scaling one.
inline constexpr std::array<int, 8> kThemeIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// The artwork path of the icon drawn at `side` pixels, one of kThemeIconSizes.
QString iconArtworkPath(int side);

// The program's 32 x 32 icon: Format_Indexed8 holding the standard 16-colour
// palette (standard_palette.h), every pixel one of its indices.
QImage windowIconImage();

// Every size of kThemeIconSizes, the 32 x 32 one being windowIconImage().
QIcon windowIcon();
