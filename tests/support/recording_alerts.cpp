#include "support/recording_alerts.h"

void RecordingAlerts::showError(std::string_view utf8Message) {
  errors << QString::fromUtf8(utf8Message.data(), static_cast<qsizetype>(utf8Message.size()));
}

void RecordingAlerts::reportFault(const QString &caption, const QString &text) {
  reports << Report{caption, text};
  if (whileReporting) whileReporting();
}

void RecordingAlerts::clear() {
  errors.clear();
  reports.clear();
}
