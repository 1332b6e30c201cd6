#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class Alerts;
class FramePlacer;
class PictureControl;
class QShowEvent;
class QTimer;

// The tank-shape picker: one plan drawing per row of vx::kTankShapes, each
// under the shape's name in a group box of its own. A click on one applies
// the shape to the main window through MainFrm and hides the picker again.
// It is a top-level window of its own, not owned by the main window, and is
// hidden rather than destroyed, so it keeps the place the user moved it to.
//
// The keyboard works it too: it opens with the focus on the drawing of the
// current shape, the arrow keys (and Tab) move the focus over the drawings,
// Enter or Space picks as a click does, and Escape hides it. The focus frame
// shows only once a key is used, so with the mouse it looks as it always did.
class TAquaTypeFrm : public QWidget {
  Q_OBJECT

public:
  explicit TAquaTypeFrm(Alerts &alerts);
  ~TAquaTypeFrm() override;

  // Sender is the clicked picture; its Tag is the shape code.
  void SetType(QObject *Sender);

  // Shows the picker in front and active, its focus on the drawing of
  // `currentShape`; with the focus frame at once when the keyboard opened it.
  // Where the picker has to become active first, the drawing takes the focus
  // a moment after it has.
  void showFor(int currentShape, bool byKeyboard);

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
  void changeEvent(QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  bool focusNextPrevChild(bool next) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  // Defined in aqua_type_form_layout.cpp: the hand-placed controls.
  void buildLayout();
  void loadPictures();
  void wireHandlers();
  // The drawing the arrow key moves to from `from`, or null at the edge.
  PictureControl *neighbour(const PictureControl *from, int key) const;
  void showFocusFrames(bool on);
  // Gives the drawing waiting for the focus (see showFor) the focus now.
  void focusPendingDrawing();
  // Hides the picker and hands the keyboard back to the main window.
  void closeToMainWindow();

  Alerts &m_alerts;
  FramePlacer *m_placer = nullptr;
  QList<PictureControl *> m_pictures;
  QPointer<PictureControl> m_pendingFocus;
  QTimer *m_drawingFocusTimer = nullptr;
  bool m_placed = false;
};

// The one picker, for the main window to show.
extern TAquaTypeFrm *AquaTypeFrm;
