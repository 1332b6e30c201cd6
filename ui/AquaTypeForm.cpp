#include "ui/AquaTypeForm.h"

TAquaTypeFrm *AquaTypeFrm = nullptr;

TAquaTypeFrm::TAquaTypeFrm(QWidget *parent) : QWidget(parent, Qt::Dialog) {
  setObjectName(QStringLiteral("AquaTypeFrm"));
  setWindowTitle(QStringLiteral("AquaTypeFrm"));
  setFixedSize(681, 281);
  // Closing the picker only hides it; and an open picker must not keep the
  // program running once the main window is closed.
  setAttribute(Qt::WA_QuitOnClose, false);
}
