#pragma once

#include <span>

// One picture compiled in by embed_artwork: the lines of `pixels` are 32-bit
// aligned, and `storedFormat` is Indexed8 (with `colours`) for a 32-bit RGB
// picture of at most 256 colours, else the decoded format. `decodedFormat` is what a PNG decoder
// would have handed over, and what the loaded image is given as. A deflated
// picture has its lines as qCompress made them.
struct EmbeddedArtwork {
  const char *path;  // relative to ui/artwork/pictures, as "artwork/shape_0.png"
  int width;
  int height;
  int storedFormat;  // a QImage::Format
  int decodedFormat;
  const unsigned char *pixels;
  int byteCount;  // of `pixels`
  bool deflated;
  const unsigned int *colours;
  int colourCount;
};

std::span<const EmbeddedArtwork> embeddedArtwork();

class QImage;
// The picture, or a null image if its bytes do not make the picture they
// claim to be.
QImage decodeArtwork(const EmbeddedArtwork &art);
