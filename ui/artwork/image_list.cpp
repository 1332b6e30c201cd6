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

ImageList::Cell ImageList::makeCell(int code, int scale) {
  const QSize size = kCellSize * scale;
  Cell cell;
  cell.colours = QImage(size, QImage::Format_RGB32);
  cell.colours.fill(kBackground);
  {
    QPainter painter(&cell.colours);
    // Device pixels: the sharper picture's ratio must not shrink it here.
    QImage picture = shapePicture(code, scale);
    picture.setDevicePixelRatio(1);
    painter.drawImage(kPictureOrigin * scale, picture);
  }
  // Only white is transparent: the artwork keeps pure white for its
  // background, so the margin and the background drop out together.
  cell.opaque = QImage(size, QImage::Format_MonoLSB);
  cell.opaque.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  cell.masked = QImage(size, QImage::Format_ARGB32_Premultiplied);
  // Row by row on the raw lines: pixel()/setPixel() cost a format dispatch
  // and a detach check per call, many times the work itself.
  const QImage &colours = cell.colours;
  for (int y = 0; y < size.height(); ++y) {
    const auto *source = reinterpret_cast<const QRgb *>(colours.constScanLine(y));
    auto *masked = reinterpret_cast<QRgb *>(cell.masked.scanLine(y));
    uchar *opaqueBits = cell.opaque.scanLine(y);
    std::fill_n(opaqueBits, cell.opaque.bytesPerLine(), uchar(0));
    for (int x = 0; x < size.width(); ++x) {
      const QRgb colour = source[x] | 0xff000000u;  // RGB32 reads as opaque
      const bool opaque = colour != kBackground;
      // Opaque pixels are opaque premultiplied colours already.
      masked[x] = opaque ? colour : qRgba(0, 0, 0, 0);
      if (opaque)
        opaqueBits[x >> 3] |= uchar(1u << (x & 7));  // MonoLSB: bit 0 is the leftmost pixel
    }
  }
  cell.masked.setDevicePixelRatio(scale);
  return cell;
}

const QList<ImageList::Cell> &ImageList::cells(int scale) const {
  QList<Cell> &cells = scale == 2 ? m_sharpCells : m_cells;
  if (!cells.isEmpty()) return cells;
  cells.reserve(vx::kTankShapeCount);
  for (int code = 0; code < vx::kTankShapeCount; ++code) cells.append(makeCell(code, scale));
  return cells;
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
  if (index < 0 || index >= vx::kTankShapeCount) return;
  // Where a pixel covers more than one device pixel, the cell drawn at
  // twice the resolution; it covers the same 202 x 102 there.
  const int scale = painter.deviceTransform().mapRect(QRectF(0, 0, 1, 1)).width() > 1.0 ? 2 : 1;
  painter.save();
  // Whatever mode the caller left set, a transparent pixel must not touch
  // the destination.
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.drawImage(topLeft, cells(scale)[index].masked);
  painter.restore();
}

QImage ImageList::onWhite(int index, int scale) const {
  if (index < 0 || index >= vx::kTankShapeCount) return {};
  QImage image(kCellSize * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  QPainter painter(&image);
  draw(painter, QPoint(0, 0), index);
  return image;
}
