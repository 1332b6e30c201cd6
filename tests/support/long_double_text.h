#pragma once

#include <QtTest>

#include <cstdio>

// Lets QCOMPARE show both extended values in full when they differ.
namespace QTest {
template <>
inline char *toString(const long double &v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.21Lg", v);
  return qstrdup(buf);
}
}  // namespace QTest
