#pragma once

#include <QImage>
#include <QString>

// Loads one of the embedded artwork files by its path inside ui/artwork/pictures
// ("artwork/shape_0.png", "vembrix.png"). A null image if it is missing.
QImage loadArtwork(const QString &relativePath);
