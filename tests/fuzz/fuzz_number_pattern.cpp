// The number-pattern formatter. For the patterns the program shows, the text
// without its unit parses back to the number rounded to the pattern's
// decimals (or to 15 significant digits from 1E18 on, without the unit), with
// exactly the decimals the pattern asks for. For any pattern the fuzzer makes
// up, formatting never fails and a negative number is its positive twin with
// one "-" in front, unless it rounds to zero.
#include <cmath>

#include "fields/rules/number_pattern.h"
#include "fields/rules/result_value.h"
#include "fuzz_support.h"

namespace {

using fuzz::fail;
using fuzz::quoted;
using fuzz::show;
using vx::Separators;

struct ProgramPattern {
  QString pattern;
  QString unit;  // the literal text after the number
  int decimals;
  bool optionalDecimals;  // "#": trailing zeros after the point are dropped
};

const std::vector<ProgramPattern> &programPatterns() {
  static const std::vector<ProgramPattern> patterns{
      {QStringLiteral("0.00 л"), QStringLiteral(" л"), 2, false},
      {QStringLiteral("0.00 кг"), QStringLiteral(" кг"), 2, false},
      {QStringLiteral("0 Lm"), QStringLiteral(" Lm"), 0, false},
      {QStringLiteral("0 мг/л"), QStringLiteral(" мг/л"), 0, false},
      {QStringLiteral("0 W"), QStringLiteral(" W"), 0, false},
      {QStringLiteral("0 %"), QStringLiteral(" %"), 0, false},
      {QStringLiteral("0.##"), QString(), 2, true},
      {QStringLiteral("0.###"), QString(), 3, true},
      {QStringLiteral("0"), QString(), 0, false},
  };
  return patterns;
}

std::string context(long double v, const QString &pattern, const Separators &seps,
                    const QString &out) {
  return "value " + show(v) + ", pattern " + quoted(pattern) + ", separators " +
         quoted(QString(seps.decimal) + seps.thousands) + " -> " + quoted(out);
}

void checkProgramPattern(long double v, const ProgramPattern &p, const Separators &seps) {
  const QString out = vx::formatNumber(v, p.pattern, seps);
  const bool scientific = std::fabs(v) >= 1e18L;
  QString number = out;
  if (!scientific) {
    if (!out.endsWith(p.unit))
      fail("the unit follows the number", context(v, p.pattern, seps, out));
    number.chop(p.unit.size());
  }

  const auto parsed = vx::parseResultText(number, seps);
  if (!parsed) fail("the number of a pattern text parses", context(v, p.pattern, seps, out));
  const long double tolerance = scientific ? 5.0000001e-15L * std::fabs(v) + 8 * fuzz::ulp(v)
                                           : 0.5L * std::pow(10.0L, -p.decimals) * (1 + 1e-15L) +
                                                 5.1e-18L * std::fabs(v) + 8 * fuzz::ulp(v);
  if (!(std::fabs(*parsed - v) <= tolerance)) {
    fail("the pattern text is the number rounded",
         context(v, p.pattern, seps, out) + " parses " + show(*parsed));
  }
  if (number.startsWith(u'-') != (*parsed < 0)) {
    fail("a minus sign exactly for a number that stays negative", context(v, p.pattern, seps, out));
  }
  if (scientific) return;

  if (number.contains(seps.thousands) && seps.thousands != seps.decimal) {
    fail("no grouping without a grouping pattern", context(v, p.pattern, seps, out));
  }
  const qsizetype point = number.indexOf(seps.decimal);
  const qsizetype shown = point < 0 ? 0 : number.size() - point - 1;
  // "0.##" shows no trailing zero after the point, and no point without a digit after it.
  const bool decimalsRight =
      p.optionalDecimals ? shown <= p.decimals && (shown == 0 ? point < 0 : !number.endsWith(u'0'))
                         : shown == p.decimals;
  if (!decimalsRight) fail("the decimals the pattern asks for", context(v, p.pattern, seps, out));
}

// Any pattern: the sign is one "-" in front of the whole text or, for a
// number that rounds to zero, nothing at all.
void checkSign(long double v, const QString &pattern, const Separators &seps) {
  const vx::NumberPattern compiled(pattern);
  const long double magnitude = std::fabs(v);
  const QString positive = compiled.format(magnitude, seps);
  const QString negative = compiled.format(-magnitude, seps);
  if (negative != positive && negative != u'-' + positive) {
    fail("a negative number is its positive twin with a minus",
         context(-magnitude, pattern, seps, negative) + " positive " + quoted(positive));
  }
  if (compiled.decimals() < 0) fail("a pattern has no negative decimals", quoted(pattern));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const QString text = fuzz::textOf(data, size);
  std::vector<long double> values = fuzz::valuesFromBytes(data, size);
  for (const Separators &seps : fuzz::regionalSeparators()) {
    if (const auto parsed = vx::parseResultText(text, seps)) values.push_back(*parsed);
  }
  // The input as a pattern, tried on numbers that exercise every branch.
  static const long double kProbes[] = {0.0L,   -0.004L, 0.5L,         2.675L,
                                        9.995L, 12.345L, 123456789.5L, 999999999999999999.7L,
                                        1e20L,  1e-20L};

  for (const Separators &seps : fuzz::regionalSeparators()) {
    for (long double v : values) {
      for (const ProgramPattern &p : programPatterns()) checkProgramPattern(v, p, seps);
      checkSign(v, text, seps);
    }
    for (long double v : kProbes) checkSign(v, text, seps);
  }
  return 0;
}
