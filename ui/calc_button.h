#pragma once

#include <QPushButton>

// A "Расчет" button: its caption is the designed green while that green is
// readable on the palette's button face and on the shades the style paints
// it with, otherwise the nearest readable green; the choice is made again
// whenever the palette, the style or the size changes. A disabled button
// keeps the palette's disabled caption.
//
// Enter and the keypad's Enter press a focused button as Space does; outside
// a dialog a QPushButton would leave them to its window.
class CalcButton : public QPushButton {
  Q_OBJECT
  Q_PROPERTY(QColor captionColour READ captionColour)

public:
  explicit CalcButton(const QString &caption, QWidget *parent = nullptr);

  QColor captionColour() const;

protected:
  void changeEvent(QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  // The least readable of the palette's button face and the shades the style
  // paints behind the caption.
  QColor faceBehindCaption() const;
  void followFace();
};
