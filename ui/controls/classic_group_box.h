#pragma once

#include <QGroupBox>

// A group box whose caption sits on the frame line, at the left, as the
// windows are designed: fields placed 16 pixels from the top then stand
// inside the frame. Qt's own styles put the caption above the frame, which
// pushes the frame's top edge right through those fields.
class ClassicGroupBox : public QGroupBox {
  Q_OBJECT

public:
  explicit ClassicGroupBox(const QString &title, QWidget *parent = nullptr);

protected:
  void paintEvent(QPaintEvent *event) override;
};
