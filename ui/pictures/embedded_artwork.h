#pragma once

#include <span>

// One picture compiled in by embed_artwork: the lines of `pixels` are 32-bit
// aligned, and `storedFormat` is Indexed8 (with `colours`) unless the
// picture has more than 256 colours. `decodedFormat` is what a PNG decoder
// would have handed over, and what the loaded image is given as. A picture
// with a `compressedSize` has its pixels as qCompress made them, that many
// bytes.
struct EmbeddedArtwork {
  const char *path;  // relative to ui/pictures, as "artwork/shape_0.png"
  int width;
  int height;
  int storedFormat;  // a QImage::Format
  int decodedFormat;
  const unsigned char *pixels;
  const unsigned int *colours;
  int colourCount;
  int compressedSize;  // 0: the pixels are stored as they are
};

std::span<const EmbeddedArtwork> embeddedArtwork();
