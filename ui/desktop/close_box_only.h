#pragma once

#include <QByteArrayView>

class QWidget;

// Some window managers put minimise (and maximise) on every window whatever
// the window asks for through the Motif hints, and leave them off only
// windows of the toolbar type. For those, a window that must offer nothing
// but its close box is retyped as a toolbar just before it maps; under every
// other window manager, and off X11, nothing is done, since Qt's own hints
// already say "close box only".
namespace close_box_only {

// Whether the window manager of that _NET_WM_NAME ignores the button hints.
bool windowManagerIgnoresButtonHints(QByteArrayView windowManagerName);

// Such managers keep a toolbar above every other window of its window group,
// and Qt puts all of a program's windows in one group. A window that must
// not stay above the others leaves the group; a transient box stays in it.
enum class Group { Keep, Leave };

// To be called while the window is created but not yet mapped (its
// showEvent), at every showing: the window manager reads the type when the
// window maps, and a window that was hidden maps again.
void applyBeforeMap(QWidget *window, Group group);

}  // namespace close_box_only
