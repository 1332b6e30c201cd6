#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

class QMouseEvent;
class QPainter;
class QPaintEvent;

// A control that shows one bitmap, as the windows use for the tank shape
// pictures. It paints no background of its own, so wherever it draws nothing
// the parent's face colour shows through.
//
// AutoSize: a new picture resizes the control to the picture, keeping the
//   top-left corner.
// Center: a picture smaller than the control is centred in it (top-left
//   otherwise).
// Proportional: a picture larger than the control is scaled down to fit,
//   keeping its aspect ratio; it is never scaled up.
// Transparent: pixels of the colour of the picture's bottom-left pixel are
//   not drawn.
//
// A control that takes the focus shows it by the style's focus frame, but
// only while its window allows: the frame is for the keyboard, and a window
// worked with the mouse looks as if there were no focus at all.
class PictureControl : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
  Q_PROPERTY(bool Center READ center WRITE setCenter)
  Q_PROPERTY(bool Proportional READ proportional WRITE setProportional)
  Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
  Q_PROPERTY(int Tag READ tag WRITE setTag)
  Q_PROPERTY(QImage picture READ picture WRITE setPicture RESET clearPicture)

public:
  explicit PictureControl(QWidget *parent = nullptr);

  // `sharper` makes the same picture at twice the resolution or more, with
  // its device pixel ratio set: what a high-resolution screen shows. It is
  // called at the first such painting, so a screen of ordinary resolution
  // never decodes it. The picture alone decides the control's size, its
  // placement and its key colour, as if there were no sharper one.
  void setPicture(const QImage &image, std::function<QImage()> sharper = {});
  QImage picture() const;
  // Null when there is none; makes it if it is not made yet.
  QImage sharperPicture() const;
  // The control keeps its size: it has no picture to take one from.
  void clearPicture();

  bool autoSize() const;
  void setAutoSize(bool on);
  bool center() const;
  void setCenter(bool on);
  bool proportional() const;
  void setProportional(bool on);
  bool transparent() const;
  void setTransparent(bool on);
  int tag() const;
  void setTag(int tag);

  bool focusFrameShown() const { return m_focusFrame; }
  void setFocusFrameShown(bool on);

  // Where the picture lands inside the control with the current settings;
  // empty without a picture.
  QRect pictureRect() const;

  QSize sizeHint() const override;

signals:
  void clicked(PictureControl *sender);

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  void pictureChanged();
  void paintPicture(QPainter &painter) const;
  const QImage &shownImage(bool sharp) const;

  QImage m_picture;
  std::function<QImage()> m_sharperSource;
  mutable QImage m_sharper;
  mutable QImage m_keyedOut;  // m_picture with the transparent colour cut out, built on demand
  mutable QImage m_sharperKeyedOut;
  bool m_autoSize = false;
  bool m_center = false;
  bool m_proportional = false;
  bool m_transparent = false;
  bool m_leftPressed = false;
  bool m_focusFrame = false;
  int m_tag = 0;
};
