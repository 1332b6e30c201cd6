#include "picture_control.h"

#include <QMouseEvent>
#include <QPainter>

PictureControl::PictureControl(QWidget *parent) : QWidget(parent) {}

void PictureControl::setPicture(const QImage &image) {
  m_picture = image;
  pictureChanged();
}

QImage PictureControl::picture() const { return m_picture; }

void PictureControl::clearPicture() {
  m_picture = QImage();
  pictureChanged();
}

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

QSize PictureControl::sizeHint() const { return m_picture.isNull() ? QSize(100, 100) : m_picture.size(); }

void PictureControl::pictureChanged() {
  m_keyedOut = QImage();
  if (m_autoSize && !m_picture.isNull()) resize(m_picture.size());
  updateGeometry();
  update();
}

const QImage &PictureControl::shownImage() const {
  if (!m_transparent) return m_picture;
  if (m_keyedOut.isNull()) {
    const QRgb key = m_picture.pixel(0, m_picture.height() - 1);
    m_keyedOut = m_picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < m_keyedOut.height(); ++y) {
      auto *line = reinterpret_cast<QRgb *>(m_keyedOut.scanLine(y));
      for (int x = 0; x < m_keyedOut.width(); ++x)
        if (line[x] == key) line[x] = qRgba(0, 0, 0, 0);
    }
  }
  return m_keyedOut;
}

void PictureControl::paintEvent(QPaintEvent *) {
  if (m_picture.isNull()) return;
  QPainter painter(this);
  // Only a scaled-down picture is transformed at all. Smoothing keeps its
  // one-pixel lines from breaking up, and since the keyed-out pixels are fully
  // transparent they blend in as nothing, leaving no fringe of the key colour.
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(pictureRect(), shownImage());
}

void PictureControl::mousePressEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  m_leftPressed = true;
  event->accept();
}

void PictureControl::mouseReleaseEvent(QMouseEvent *event) {
  const bool click = event->button() == Qt::LeftButton && m_leftPressed && rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) m_leftPressed = false;
  QWidget::mouseReleaseEvent(event);
  if (click) emit clicked(this);
}
