#pragma once

#include <QPushButton>

class QStyleOptionButton;

// A "Расчет" button: its caption is the designed green while that green is
// readable on the face the style paints behind it, otherwise the nearest
// readable green. The face differs with the button's state (a hovered face
// is lighter, a pressed one darker), so the colour is chosen for the state
// being painted. A disabled button keeps the palette's disabled caption.
//
// Enter and the keypad's Enter press a focused button as Space does; outside
// a dialog a QPushButton would leave them to its window.
class CalcButton : public QPushButton {
  Q_OBJECT
  Q_PROPERTY(QColor captionColour READ captionColour)

public:
  explicit CalcButton(const QString &caption, QWidget *parent = nullptr);

  // The caption's colour in the button's present state.
  QColor captionColour() const;

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void paintEvent(QPaintEvent *event) override;

private:
  QColor captionColourFor(const QStyleOptionButton &option) const;
  // The palette with the caption in that colour.
  static QPalette withCaption(const QPalette &palette, const QColor &caption);
  // The least readable of the palette's button face and the shades the style
  // paints behind the caption in the option's state.
  QColor faceBehindCaption(const QStyleOptionButton &option) const;
};
