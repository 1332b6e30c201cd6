#pragma once

#include <QObject>
#include <functional>

class Alerts;

// Runs a handler so that nothing it throws unwinds through Qt: a fault ends
// the handler where it happened, is reported, and the program goes on with
// whatever the handler had written before.
void runGuarded(Alerts &alerts, const std::function<void()> &handler) noexcept;

// Connects a signal to a handler that runs guarded. The signal's arguments
// are dropped: handlers get their sender from the caller instead.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, QObject *context,
                                       Alerts &alerts, Handler handler) {
  return QObject::connect(sender, signal, context,
                          [&alerts, handler] { runGuarded(alerts, handler); });
}
