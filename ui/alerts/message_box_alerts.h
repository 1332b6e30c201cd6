#pragma once

#include "ui/alerts/alerts.h"

// The real boxes: application-modal message boxes with the stop icon and a
// single OK button.
class MessageBoxAlerts final : public Alerts {
public:
  void showError(std::string_view utf8Message) override;
  void reportFault(const QString &caption, const QString &text) override;
};
