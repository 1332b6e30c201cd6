#pragma once

#include <QImage>

// The 32 x 32 program icon in the standard 16-colour palette: green bands and
// two words of red one-pixel block lettering.
QImage drawWindowIcon();
