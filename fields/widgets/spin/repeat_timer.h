#pragma once

#include <QTimer>
#include <chrono>
#include <functional>

namespace vx {

// The clock behind a held spin button: armed on a press, re-armed with the
// shorter interval at its first tick, stopped on release. It is an interface
// so that tests can put in a clock they advance by hand and check the repeat
// rhythm without waiting for real time.
class RepeatTimer {
public:
  virtual ~RepeatTimer() = default;

  // (Re)starts the clock: the next tick comes `interval` from now and then
  // one every `interval` until stop() or the next start().
  virtual void start(std::chrono::milliseconds interval) = 0;
  virtual void stop() = 0;

  void setOnTick(std::function<void()> onTick) { m_onTick = std::move(onTick); }

protected:
  void tick() {
    if (m_onTick) m_onTick();
  }

private:
  std::function<void()> m_onTick;
};

// The program's clock: a QTimer, ticking on the user-interface thread.
class QtRepeatTimer final : public RepeatTimer {
public:
  QtRepeatTimer();

  void start(std::chrono::milliseconds interval) override;
  void stop() override;

private:
  QTimer m_timer;
};

}  // namespace vx
