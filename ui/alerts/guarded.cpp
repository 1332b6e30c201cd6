#include "ui/alerts/guarded.h"

#include "ui/alerts/fault_report.h"

void runGuarded(Alerts &alerts, const std::function<void()> &handler) noexcept {
  try {
    handler();
  } catch (...) {
    try {
      reportCurrentException(alerts);
    } catch (...) {
      // The report itself failed (out of memory while building a box): there
      // is nobody left to tell, and unwinding into Qt would be worse.
    }
  }
}
