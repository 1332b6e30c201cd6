// The field rules every calculation runs through: parsing an entry field's
// text, and a result field's write with its read-back.
#include <benchmark/benchmark.h>

#include <QString>

#include "fields/rules/entry_rules.h"
#include "fields/rules/number_pattern.h"
#include "fields/rules/result_value.h"

using enum vx::TValueType;

namespace {

const vx::Separators kComma{u',', u' '};

void BM_EntryReadFloat(benchmark::State &state) {
  const QString text = QStringLiteral("12345,67");
  const vx::EntryFormat format{vtFloat, 2};
  for (auto _ : state) benchmark::DoNotOptimize(vx::readEntryValue(text, format, kComma));
}
BENCHMARK(BM_EntryReadFloat);

void BM_EntryReadInteger(benchmark::State &state) {
  const QString text = QStringLiteral("-2147483648");
  const vx::EntryFormat format{vtInteger, 2};
  for (auto _ : state) benchmark::DoNotOptimize(vx::readEntryValue(text, format, kComma));
}
BENCHMARK(BM_EntryReadInteger);

void BM_EntryWriteFloat(benchmark::State &state) {
  const vx::EntryFormat format{vtFloat, 2};
  for (auto _ : state) benchmark::DoNotOptimize(vx::writeEntryValue(12345.675L, format, kComma));
}
BENCHMARK(BM_EntryWriteFloat);

void BM_EntryReadMegabyte(benchmark::State &state) {
  const QString text = QStringLiteral("0,") + QString(1 << 20, u'0') + u'1';
  const vx::EntryFormat format{vtFloat, 2};
  for (auto _ : state) benchmark::DoNotOptimize(vx::readEntryValue(text, format, kComma));
  state.SetBytesProcessed(state.iterations() * text.size() * qsizetype(sizeof(QChar)));
}
BENCHMARK(BM_EntryReadMegabyte);

// What the lighting calculation does between its steps.
void BM_ResultWriteReadBack(benchmark::State &state) {
  vx::ResultValue field(kComma);
  field.setDisplayFormat(QStringLiteral("0 Lm"));
  long double v = 3757.2438L;
  for (auto _ : state) {
    field.setValue(v);
    benchmark::DoNotOptimize(v = field.Value() + 0.001L);
  }
}
BENCHMARK(BM_ResultWriteReadBack);

void BM_ResultDisplayText(benchmark::State &state) {
  vx::ResultValue field(kComma);
  field.setDisplayFormat(QStringLiteral("0.00 л"));
  field.setValue(193.05L);
  for (auto _ : state) benchmark::DoNotOptimize(field.displayText());
}
BENCHMARK(BM_ResultDisplayText);

void BM_PatternParseAndFormat(benchmark::State &state) {
  for (auto _ : state) benchmark::DoNotOptimize(vx::formatNumber(40.5405L, u"0.00 кг", kComma));
}
BENCHMARK(BM_PatternParseAndFormat);

}  // namespace

BENCHMARK_MAIN();
