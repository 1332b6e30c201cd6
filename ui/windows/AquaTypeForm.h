#pragma once

#include <QList>
#include <QWidget>

class Alerts;
class FramePlacer;
class PictureControl;
class QShowEvent;

// The tank-shape picker: one plan drawing per row of vx::kTankShapes, each
// under the shape's name in a group box of its own. A click on one applies
// the shape to the main window through MainFrm and hides the picker again.
// It is a top-level window of its own, not owned by the main window, and is
// hidden rather than destroyed, so it keeps the place the user moved it to.
class TAquaTypeFrm : public QWidget {
  Q_OBJECT

public:
  explicit TAquaTypeFrm(Alerts &alerts);
  ~TAquaTypeFrm() override;

  // Sender is the clicked picture; its Tag is the shape code.
  void SetType(QObject *Sender);

  // The pictures by shape code: AquaImage (which shares its name with the
  // main window's picture, but is the picker's own), then Image1, Image2, ...
  // Each stands in its box, GroupBox1, GroupBox2, ...
  const QList<PictureControl *> &shapePictures() const { return m_pictures; }

protected:
  // Centres the picker at its first showing only; afterwards it comes back
  // wherever the user left it, pulled back onto the screen should that place
  // no longer show all of it. The drawings are decoded at the first showing:
  // most runs never open the picker, and start-up should not pay for it.
  void showEvent(QShowEvent *event) override;

private:
  // Defined in aqua_type_form_layout.cpp: the hand-placed controls.
  void buildLayout();
  void loadPictures();
  void wireHandlers();

  Alerts &m_alerts;
  FramePlacer *m_placer = nullptr;
  QList<PictureControl *> m_pictures;
  bool m_placed = false;
};

// The one picker, for the main window to show.
extern TAquaTypeFrm *AquaTypeFrm;
