#pragma once

#include <QList>

#include "core/calculation_ports.h"
#include "fields/rules/result_value.h"

// A real result field (its rounding is part of the arithmetic) that also
// remembers every number a calculation read back from it.
class SpyResult : public vx::NumberSink {
public:
  SpyResult(int decimalPlaces, const QString &displayFormat) {
    field.setDecimalPlaces(decimalPlaces);
    field.setDisplayFormat(displayFormat);
  }
  void write(vx::Extended v) override {
    field.setValue(v.raw());
    ++writes;
  }
  vx::Extended readBack() override {
    const long double v = field.Value();
    readBacks << v;
    return v;
  }

  vx::ResultValue field;
  QList<long double> readBacks;
  int writes = 0;
};
