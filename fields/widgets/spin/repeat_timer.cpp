#include "fields/widgets/spin/repeat_timer.h"

namespace vx {

QtRepeatTimer::QtRepeatTimer() {
  // 100 ms repeats are short enough that the coarse timer's 5 % slack would
  // show as an uneven rhythm.
  m_timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { tick(); });
}

void QtRepeatTimer::start(std::chrono::milliseconds interval) { m_timer.start(interval); }

void QtRepeatTimer::stop() { m_timer.stop(); }

}  // namespace vx
