#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

#include "fields/widgets/entry/rx_spin_edit.h"

namespace vx {
class TCurrencyEdit;
class RegionalSettings;
}  // namespace vx

class QColor;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;
class PictureControl;

// Builders for the hand-placed controls of the windows. Every control gets
// its object name, so tests and the picker find it by the name the window
// gives it.

// The face both windows share: the designed 11-pixel font and the system's
// button-face colour. Call it before any control exists, so every control
// inherits it.
void setUpFormFace(QWidget *form);

QGroupBox *makeGroupBox(QWidget *parent, const char *name, const QString &caption,
                        const QRect &geometry);

// The settings an entry field may need (see TRxSpinEdit::Settings).
using EntrySettings = vx::TRxSpinEdit::Settings;

// Each field sits alone in a small captioned group box, at (8, 16).
vx::TRxSpinEdit *makeEntryBox(const vx::RegionalSettings &regional, QGroupBox *group,
                              const char *name, int width, const EntrySettings &settings);

vx::TCurrencyEdit *makeResultBox(const vx::RegionalSettings &regional, QGroupBox *group,
                                 const char *name, int width, int decimalPlaces,
                                 const QString &displayFormat);

// A tank picture at (8, 16) of its box, 200 x 100, with the display settings
// every shape picture shares: it takes its picture's size, centres a smaller
// one, scales a larger one down, and leaves its white background undrawn.
PictureControl *makeShapePicture(QGroupBox *group, const char *name);

// A "Расчет" button: bold green caption, fixed size.
QPushButton *makeCalcButton(QWidget *parent, const char *name, QPoint topLeft);

// A flat coloured panel with a centred bold caption.
QLabel *makePanel(QWidget *parent, const char *name, const QRect &geometry);
void setPanelColour(QLabel *panel, const QColor &colour);
