#include "image_list.h"

#include "shape_pictures.h"

namespace {

constexpr QSize kCellSize(202, 102);
constexpr QPoint kPictureOrigin(1, 1);
constexpr QRgb kBackground = 0xffffffff;

}  // namespace

ImageList::ImageList() {
  m_cells.reserve(kShapeCount);
  for (int code = 0; code < kShapeCount; ++code) {
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
    for (int y = 0; y < kCellSize.height(); ++y) {
      for (int x = 0; x < kCellSize.width(); ++x) {
        const QRgb colour = cell.colours.pixel(x, y);
        const bool opaque = colour != kBackground;
        cell.opaque.setPixel(x, y, opaque ? 1 : 0);
        cell.masked.setPixel(x, y, opaque ? colour : qRgba(0, 0, 0, 0));
      }
    }
    m_cells.append(cell);
  }
}

int ImageList::count() const { return static_cast<int>(m_cells.size()); }

QSize ImageList::cellSize() const { return kCellSize; }

QImage ImageList::cell(int index) const {
  if (index < 0 || index >= count()) return {};
  return m_cells[index].colours;
}

QBitmap ImageList::mask(int index) const {
  if (index < 0 || index >= count()) return {};
  return QBitmap::fromImage(m_cells[index].opaque);
}

void ImageList::draw(QPainter &painter, QPoint topLeft, int index) const {
  if (index < 0 || index >= count()) return;
  painter.save();
  // Whatever mode the caller left set, a transparent pixel must not touch
  // the destination.
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.drawImage(topLeft, m_cells[index].masked);
  painter.restore();
}
