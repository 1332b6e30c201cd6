#pragma once

#include <QString>

#include "core/calculation_ports.h"

// The program's two modal boxes behind one narrow interface, so the window
// can be driven by tests without a real dialog ever blocking them.
//
// showError() (inherited) is the "bad input" box a calculation opens and
// waits for; reportFault() shows the report of a handler that failed.
class Alerts : public vx::ErrorBox {
public:
  // Caption and text come ready-made (see fault_report.h): an implementation
  // only has to show them modally and return once the box is closed.
  virtual void reportFault(const QString &caption, const QString &text) = 0;
};
