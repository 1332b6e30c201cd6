#pragma once

#include <QChar>
#include <QImage>
#include <QPainterPath>
#include <QRect>

// The dimension letters A to D as our own sans-serif outlines, so the artwork
// does not depend on which fonts the drawing machine happens to have. Each
// letter fills its glyph box (both edges of `box` included) and never inks a
// pixel outside it.
QPainterPath letterOutline(QChar letter, const QRect &box);

// Paints the letter in black with antialiasing, blending into whatever lies
// beneath: dark cyans over water, greys over the white background.
// At a scale above 1, `box` is in scale-1 pixels and the letter is drawn
// `scale` times as large into the larger image.
void paintLetter(QImage &image, QChar letter, const QRect &box, int scale = 1);
