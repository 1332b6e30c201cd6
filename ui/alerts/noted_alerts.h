#pragma once

#include "ui/alerts/alerts.h"

// Passes the boxes on and counts them, so a handler can tell whether its
// calculation ran through without the user having been shown a box.
class NotedAlerts final : public Alerts {
public:
  explicit NotedAlerts(Alerts &inner) : m_inner(inner) {}

  void showError(std::string_view utf8Message) override {
    ++m_shown;
    m_inner.showError(utf8Message);
  }
  void reportFault(const QString &caption, const QString &text) override {
    ++m_shown;
    m_inner.reportFault(caption, text);
  }

  int shown() const { return m_shown; }

private:
  Alerts &m_inner;
  int m_shown = 0;
};
