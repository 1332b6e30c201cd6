#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

// Keeps a UI test from hanging on a modal box nobody expected: any modal
// widget still open after the grace period is recorded and closed, and the
// test fails through check() (call it in cleanup()).
class ModalWatchdog : public QObject {
public:
  explicit ModalWatchdog(int graceMs = 0, QObject *parent = nullptr);

  // Fails the running test if a box had to be closed; forgets it afterwards.
  void check();

  const QStringList &closedBoxes() const { return m_closed; }

private:
  void poll();

  QTimer m_timer;
  int m_graceMs;
  QObject *m_seen = nullptr;
  int m_seenFor = 0;
  QStringList m_closed;
};
