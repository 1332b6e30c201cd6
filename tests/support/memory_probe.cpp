#include "support/memory_probe.h"

#include <malloc.h>
#include <unistd.h>

#include <fstream>

MemoryUse MemoryUse::now() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, residentPages = 0;
  statm >> size >> residentPages;
  const struct mallinfo2 info = mallinfo2();
  // Small blocks and the large ones malloc maps on their own.
  return {residentPages * (sysconf(_SC_PAGESIZE) / 1024),
          static_cast<long>(info.uordblks + info.hblkhd)};
}

MemoryUse MemoryMark::growth() const {
  const MemoryUse now = MemoryUse::now();
  return {now.residentKb - m_start.residentKb, now.heapBytes - m_start.heapBytes};
}

QString MemoryMark::exceeded(long residentLimitKb, long heapLimitBytes) const {
  if (!kMemoryMeasured) return {};
  const MemoryUse grown = growth();
  if (grown.residentKb <= residentLimitKb && grown.heapBytes <= heapLimitBytes) return {};
  return QStringLiteral("resident set %1 kB, heap %2 kB more")
      .arg(grown.residentKb)
      .arg(grown.heapBytes / 1024);
}
