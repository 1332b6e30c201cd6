#pragma once

#include <QString>

// The process's memory as the tests watch it for growth: the resident set,
// what the system sees, and the heap in use, the finer measure (a leak of a
// few hundred bytes a round shows there long before the resident set moves).
struct MemoryUse {
  long residentKb = 0;
  long heapBytes = 0;

  static MemoryUse now();
};

// AddressSanitizer has its own allocator and keeps freed memory in
// quarantine, so neither measure means anything there; the tests keep their
// runs, shorter, for what the sanitizer checks itself.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kMemoryMeasured = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kMemoryMeasured = false;
#else
inline constexpr bool kMemoryMeasured = true;
#endif
#else
inline constexpr bool kMemoryMeasured = true;
#endif

// The memory in use when made, and how far it has grown since.
class MemoryMark {
public:
  MemoryMark() : m_start(MemoryUse::now()) {}

  MemoryUse start() const { return m_start; }
  MemoryUse growth() const;
  // Empty while neither measure grew past its limit (and wherever memory is
  // not measured), else what grew.
  QString exceeded(long residentLimitKb, long heapLimitBytes) const;

private:
  MemoryUse m_start;
};
