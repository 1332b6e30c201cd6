#include "picture_control.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

PictureControl::PictureControl(QWidget *parent) : QWidget(parent) {}

void PictureControl::setPicture(const QImage &image, std::function<QImage()> sharper) {
  m_picture = image;
  m_sharperSource = image.isNull() ? nullptr : std::move(sharper);
  m_sharper = QImage();
  pictureChanged();
}

QImage PictureControl::picture() const { return m_picture; }

QImage PictureControl::sharperPicture() const {
  if (m_sharper.isNull() && m_sharperSource) m_sharper = m_sharperSource();
  return m_sharper;
}

void PictureControl::clearPicture() { setPicture(QImage()); }

bool PictureControl::autoSize() const { return m_autoSize; }

void PictureControl::setAutoSize(bool on) {
  if (m_autoSize == on) return;
  m_autoSize = on;
  if (m_autoSize && !m_picture.isNull()) resize(m_picture.size());
}

bool PictureControl::center() const { return m_center; }

void PictureControl::setCenter(bool on) {
  m_center = on;
  update();
}

bool PictureControl::proportional() const { return m_proportional; }

void PictureControl::setProportional(bool on) {
  m_proportional = on;
  update();
}

bool PictureControl::transparent() const { return m_transparent; }

void PictureControl::setTransparent(bool on) {
  m_transparent = on;
  update();
}

int PictureControl::tag() const { return m_tag; }

void PictureControl::setTag(int tag) { m_tag = tag; }

QRect PictureControl::pictureRect() const {
  if (m_picture.isNull()) return {};
  QSize size = m_picture.size();
  if (m_proportional && (size.width() > width() || size.height() > height()))
    size = size.scaled(this->size(), Qt::KeepAspectRatio);
  QPoint topLeft(0, 0);
  if (m_center) topLeft = QPoint((width() - size.width()) / 2, (height() - size.height()) / 2);
  return QRect(topLeft, size);
}

QSize PictureControl::sizeHint() const {
  return m_picture.isNull() ? QSize(100, 100) : m_picture.size();
}

void PictureControl::pictureChanged() {
  m_keyedOut = QImage();
  m_sharperKeyedOut = QImage();
  if (m_autoSize && !m_picture.isNull()) resize(m_picture.size());
  updateGeometry();
  update();
}

const QImage &PictureControl::shownImage(bool sharp) const {
  if (sharp) sharperPicture();
  const QImage &source = sharp ? m_sharper : m_picture;
  if (!m_transparent) return source;
  QImage &keyedOut = sharp ? m_sharperKeyedOut : m_keyedOut;
  if (keyedOut.isNull()) {
    // The picture's key: the sharper one draws the same pixels finer, and a
    // shade it has in a corner must not decide what drops out.
    const QRgb key = m_picture.pixel(0, m_picture.height() - 1);
    keyedOut = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyedOut.height(); ++y) {
      auto *line = reinterpret_cast<QRgb *>(keyedOut.scanLine(y));
      for (int x = 0; x < keyedOut.width(); ++x)
        if (line[x] == key) line[x] = qRgba(0, 0, 0, 0);
    }
  }
  return keyedOut;
}

void PictureControl::setFocusFrameShown(bool on) {
  if (m_focusFrame == on) return;
  m_focusFrame = on;
  // Qt repaints a control as it takes or loses the focus.
  if (hasFocus()) update();
}

void PictureControl::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  if (!m_picture.isNull()) paintPicture(painter);
  // Over the drawing, whose lines run to its edges.
  if (m_focusFrame && hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(backgroundRole());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

void PictureControl::paintPicture(QPainter &painter) const {
  // Only a scaled-down picture is transformed at all. Smoothing keeps its
  // one-pixel lines from breaking up, and since the keyed-out pixels are fully
  // transparent they blend in as nothing, leaving no fringe of the key colour.
  //
  // A screen with more than one device pixel per pixel shows the sharper
  // picture where there is one: drawn at its own resolution, or reduced a
  // little at fractional scales, its lines stay as crisp as the text beside
  // it instead of being a small picture smeared over more pixels.
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  // From the painter, not the widget: rendered into an image of another
  // pixel ratio, the widget's own ratio is not the one painted at.
  const bool sharp = painter.deviceTransform().mapRect(QRectF(0, 0, 1, 1)).width() > 1.0 &&
                     !sharperPicture().isNull();
  painter.drawImage(QRectF(pictureRect()), shownImage(sharp));
}

void PictureControl::mousePressEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  m_leftPressed = true;
  event->accept();
}

void PictureControl::mouseReleaseEvent(QMouseEvent *event) {
  const bool click = event->button() == Qt::LeftButton && m_leftPressed &&
                     rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) m_leftPressed = false;
  QWidget::mouseReleaseEvent(event);
  if (click) emit clicked(this);
}
