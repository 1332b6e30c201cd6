// The result field's read-back, on which the lighting, CO2 and heater
// calculations build: after a write, a read returns the written number
// rounded to the field's decimal places, a second read returns the same
// number and changes nothing, and writing what was read makes the same edit
// text. Values come from the bytes (any finite extended number, and decimal
// ties) and from the input read as an edit text under each regional format.
#include <cmath>
#include <cstring>

#include "fields/rules/result_value.h"
#include "fuzz_support.h"

namespace {

using fuzz::fail;
using fuzz::quoted;
using fuzz::show;
using vx::ResultValue;
using vx::Separators;

constexpr int kMaxPlaces = 3;

bool identical(long double a, long double b) {
  return a == b && std::signbit(a) == std::signbit(b);
}

std::string context(long double v, int places, const Separators &seps, const QString &editText) {
  return "value " + show(v) + ", places " + std::to_string(places) + ", separators " +
         quoted(QString(seps.decimal) + seps.thousands) + ", edit text " + quoted(editText);
}

void checkReadBack(long double v, int places, const Separators &seps) {
  ResultValue field(seps);
  field.setDecimalPlaces(places);
  field.setValue(v);
  const QString text = field.editText();
  if (!text.isEmpty() && !vx::parseResultText(text, seps)) {
    fail("a written edit text parses", context(v, places, seps, text));
  }

  const long double first = field.Value();
  if (!std::isfinite(first)) fail("a read is finite", context(v, places, seps, text));
  if (field.editText() != text) fail("a read leaves the edit text", context(v, places, seps, text));
  const long double second = field.Value();
  if (!identical(first, second) || field.editText() != text) {
    fail("a second read returns the same number", context(v, places, seps, text));
  }

  // Rounded to `places` decimals on the 18-digit form, or to 15 significant
  // digits from 1E18 on.
  const long double tolerance = 0.5L * std::pow(10.0L, -places) * (1 + 1e-15L) +
                                5.0000001e-15L * std::fabs(v) * (std::fabs(v) >= 1e18L) +
                                5.1e-18L * std::fabs(v) + 8 * fuzz::ulp(v);
  if (!(std::fabs(first - v) <= tolerance)) {
    fail("a read returns the written number rounded",
         context(v, places, seps, text) + " reads " + show(first));
  }
  if (first != 0 && std::signbit(first) != std::signbit(v)) {
    fail("rounding keeps the sign", context(v, places, seps, text));
  }

  // Writing the number read makes the same edit text, with two exceptions
  // that stand for the same number: a value that rounded to "0" reads as 0,
  // which is written as the empty text; and the carry of the cut up to 1E18
  // itself ("999999999999999999.7" is written 1000000000000000000) crosses
  // into scientific notation.
  field.setValue(first);
  if (field.editText() == text) return;
  const bool roundedToZero = first == 0 && field.editText().isEmpty();
  const bool carriedIntoScientific = std::fabs(v) < 1e18L && std::fabs(first) == 1e18L;
  if (!(roundedToZero || carriedIntoScientific) || !identical(field.Value(), first)) {
    fail("writing the number read gives the same edit text",
         context(v, places, seps, text) + " rewritten " + quoted(field.editText()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const QString text = fuzz::textOf(data, size);
  std::vector<long double> values = fuzz::valuesFromBytes(data, size);
  for (const Separators &seps : fuzz::regionalSeparators()) {
    // Never throws, whatever the text; a number it yields is finite.
    (void)vx::normalizeResultText(text, seps);
    if (const auto parsed = vx::parseResultText(text, seps)) {
      if (!std::isfinite(*parsed)) fail("a parsed edit text is finite", quoted(text));
      values.push_back(*parsed);
    }
  }
  for (const Separators &seps : fuzz::regionalSeparators()) {
    for (int places = 0; places <= kMaxPlaces; ++places) {
      for (long double v : values) checkReadBack(v, places, seps);
    }
  }
  return 0;
}
