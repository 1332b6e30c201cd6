#pragma once

#include <QWidget>

class Alerts;
class FramePlacer;
class PictureControl;
class QGroupBox;
class QShowEvent;

// The tank-shape picker: six plan drawings, one per shape code, each under
// the shape's name. A click on one writes the choice into the main window
// through MainFrm and hides the picker again. It is a top-level window of its
// own, not owned by the main window, and is hidden rather than destroyed, so
// it keeps the place the user moved it to.
class TAquaTypeFrm : public QWidget {
  Q_OBJECT

public:
  explicit TAquaTypeFrm(Alerts &alerts);
  ~TAquaTypeFrm() override;

  // Sender is the clicked picture; its Tag is the shape code.
  void SetType(QObject *Sender);

  QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr, *GroupBox3 = nullptr;
  QGroupBox *GroupBox4 = nullptr, *GroupBox5 = nullptr, *GroupBox6 = nullptr;
  // The first picture shares its name with the main window's picture, but is
  // the picker's own.
  PictureControl *AquaImage = nullptr;
  PictureControl *Image1 = nullptr, *Image2 = nullptr, *Image3 = nullptr;
  PictureControl *Image4 = nullptr, *Image5 = nullptr;

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
  bool m_placed = false;
};

// The one picker, for the main window to show.
extern TAquaTypeFrm *AquaTypeFrm;
