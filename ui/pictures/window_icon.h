#pragma once

#include <QIcon>
#include <QImage>

// The program's 32 x 32 icon: Format_Indexed8 holding the standard 16-colour
// palette (standard_palette.h), every pixel one of its indices.
QImage windowIconImage();

QIcon windowIcon();
