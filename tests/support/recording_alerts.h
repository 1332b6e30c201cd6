#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "ui/alerts/alerts.h"

// Stands in for the real boxes: remembers what would have been shown and
// returns at once, as if the user had pressed OK.
class RecordingAlerts final : public Alerts {
public:
  struct Report {
    QString caption;
    QString text;
  };

  void showError(std::string_view utf8Message) override;
  void reportFault(const QString &caption, const QString &text) override;

  void clear();

  // Runs inside reportFault, where the real box would be on screen: lets a
  // test look at the state the report is shown in, or disturb it as a box
  // taking the focus would.
  std::function<void()> whileReporting;

  QStringList errors;     // texts of the "bad input" boxes, in order
  QList<Report> reports;  // fault reports, in order
};
