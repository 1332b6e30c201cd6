#pragma once

#include <QWidget>

// The tank-shape picker: a separate top-level window that the main window's
// picture opens. For now it only stands in its place, so that start-up,
// AquaTypeShow and closing behave as they will with the pictures in it.
class TAquaTypeFrm : public QWidget {
  Q_OBJECT

public:
  explicit TAquaTypeFrm(QWidget *parent = nullptr);
};

// The one picker, for the main window to show.
extern TAquaTypeFrm *AquaTypeFrm;
