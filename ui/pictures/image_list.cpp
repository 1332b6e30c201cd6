#include "image_list.h"

#include <algorithm>

#include "core/tank_shapes.h"
#include "shape_pictures.h"

namespace {

constexpr QSize kCellSize(202, 102);
constexpr QPoint kPictureOrigin(1, 1);
constexpr QRgb kBackground = 0xffffffff;

}  // namespace

ImageList::ImageList() = default;

const QList<ImageList::Cell> &ImageList::cells() const {
  if (!m_cells.isEmpty()) return m_cells;
  m_cells.reserve(vx::kTankShapeCount);
  for (int code = 0; code < vx::kTankShapeCount; ++code) {
    Cell cell;
    cell.colours = QImage(kCellSize, QImage::Format_RGB32);
    cell.colours.fill(kBackground);
    {
      QPainter painter(&cell.colours);
      painter.drawImage(kPictureOrigin, shapePicture(code));
    }
    // Only white is transparent: the artwork keeps pure white for its
    // background, so the margin and the background drop out together.
    cell.opaque = QImage(kCellSize, QImage::Format_MonoLSB);
    cell.opaque.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    cell.masked = QImage(kCellSize, QImage::Format_ARGB32_Premultiplied);
    // Row by row on the raw lines: pixel()/setPixel() cost a format dispatch
    // and a detach check per call, many times the work itself.
    const QImage &colours = cell.colours;
    for (int y = 0; y < kCellSize.height(); ++y) {
      const auto *source = reinterpret_cast<const QRgb *>(colours.constScanLine(y));
      auto *masked = reinterpret_cast<QRgb *>(cell.masked.scanLine(y));
      uchar *opaqueBits = cell.opaque.scanLine(y);
      std::fill_n(opaqueBits, cell.opaque.bytesPerLine(), uchar(0));
      for (int x = 0; x < kCellSize.width(); ++x) {
        const QRgb colour = source[x] | 0xff000000u;  // RGB32 reads as opaque
        const bool opaque = colour != kBackground;
        // Opaque pixels are opaque premultiplied colours already.
        masked[x] = opaque ? colour : qRgba(0, 0, 0, 0);
        if (opaque)
          opaqueBits[x >> 3] |= uchar(1u << (x & 7));  // MonoLSB: bit 0 is the leftmost pixel
      }
    }
    m_cells.append(cell);
  }
  return m_cells;
}

int ImageList::count() const { return static_cast<int>(cells().size()); }

QSize ImageList::cellSize() const { return kCellSize; }

QImage ImageList::cell(int index) const {
  if (index < 0 || index >= count()) return {};
  return cells()[index].colours;
}

QBitmap ImageList::mask(int index) const {
  if (index < 0 || index >= count()) return {};
  return QBitmap::fromImage(cells()[index].opaque);
}

void ImageList::draw(QPainter &painter, QPoint topLeft, int index) const {
  if (index < 0 || index >= count()) return;
  painter.save();
  // Whatever mode the caller left set, a transparent pixel must not touch
  // the destination.
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.drawImage(topLeft, cells()[index].masked);
  painter.restore();
}

QImage ImageList::onWhite(int index) const {
  if (index < 0 || index >= count()) return {};
  QImage image(kCellSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  draw(painter, QPoint(0, 0), index);
  return image;
}
