// A real-valued entry field: whatever text it holds reads as a finite number,
// and the text a write makes of a number reads back to a number that writes
// the same text again, so a calculation that writes and re-reads a field
// settles at once. Checked for both separator worlds and 0..4 decimals.
#include <cmath>

#include "fields/rules/decimal_text.h"
#include "fields/rules/entry_rules.h"
#include "fuzz_support.h"

using enum vx::TValueType;

namespace {

using fuzz::fail;
using fuzz::quoted;
using fuzz::show;
using vx::EntryFormat;
using vx::Separators;

constexpr int kMaxDecimals = 4;

std::string context(const QString &text, int decimals, const Separators &seps) {
  return "text " + quoted(text) + ", decimals " + std::to_string(decimals) + ", separator " +
         quoted(QString(seps.decimal));
}

// A text a write produced: it parses, and write∘read leaves it as it is. The
// one exception is the carry of the 15-digit cut up to 1E15 itself
// ("999999999999999.95" is written 1000000000000000.00): that text reads as
// 1E15, which is written in scientific notation, and the same number again.
void checkWrittenTextSettles(const QString &written, int decimals, const Separators &seps) {
  const EntryFormat format{vtFloat, decimals};
  const auto parsed = vx::parseDecimal(written, seps);
  if (!parsed) fail("a written text is valid", context(written, decimals, seps));
  // A calculation refuses unreadable text, so it must never refuse its own.
  if (!vx::isReadableEntryText(written, format, seps)) {
    fail("a written text is readable", context(written, decimals, seps));
  }
  const long double read = vx::readEntryValue(written, format, seps);
  if (read != *parsed || !std::isfinite(read)) {
    fail("a written text reads as it parses", context(written, decimals, seps));
  }

  const QString rewritten = vx::writeEntryValue(read, format, seps);
  if (rewritten == written) return;
  const bool carriedIntoScientific =
      !written.contains(u'E') && rewritten.contains(u'E') && std::fabs(read) == 1e15L;
  if (!carriedIntoScientific || vx::readEntryValue(rewritten, format, seps) != read) {
    fail("write after read gives the same text",
         context(written, decimals, seps) + " rewritten " + quoted(rewritten));
  }
  if (vx::writeEntryValue(vx::readEntryValue(rewritten, format, seps), format, seps) != rewritten) {
    fail("a scientific text is stable", context(rewritten, decimals, seps));
  }
}

// The shape of a fixed text and how far its number may lie from v: half a
// unit of the last decimal, or of the 15th significant digit.
void checkWrite(long double v, int decimals, const Separators &seps) {
  const EntryFormat format{vtFloat, decimals};
  const QString written = vx::writeEntryValue(v, format, seps);
  checkWrittenTextSettles(written, decimals, seps);
  const long double read = vx::readEntryValue(written, format, seps);

  const long double tolerance = 0.5L * std::pow(10.0L, -decimals) * (1 + 1e-15L) +
                                5.0000001e-15L * std::fabs(v) + 8 * fuzz::ulp(v);
  if (!(std::fabs(read - v) <= tolerance)) {
    fail("the written text is the number rounded",
         "value " + show(v) + " -> " + context(written, decimals, seps) + " reads " + show(read));
  }
  if (written.startsWith(u'-') != (read < 0)) {
    fail("a minus sign exactly for a negative text", context(written, decimals, seps));
  }
  if (!written.contains(u'E')) {
    const qsizetype point = written.indexOf(seps.decimal);
    const qsizetype shown = point < 0 ? 0 : written.size() - point - 1;
    if (shown != decimals) fail("exactly `decimals` decimals", context(written, decimals, seps));
  }
}

// Typing goes through the character filter one key at a time: whatever gets
// through holds at most one separator and one exponent letter, and reads.
void checkTyping(const QString &keys, const Separators &seps) {
  QString typed;
  for (const QChar c : keys) {
    if (vx::acceptsTypedChar(c, typed, vtFloat, seps)) typed += c;
  }
  if (typed.count(seps.decimal) > 1 || typed.count(u'E', Qt::CaseInsensitive) > 1) {
    fail("typing lets one separator and one exponent through", quoted(typed));
  }
  if (!std::isfinite(vx::readEntryValue(typed, {vtFloat, 2}, seps))) {
    fail("a typed text reads as a finite number", quoted(typed));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const QString text = fuzz::textOf(data, size);
  const auto bytesValues = fuzz::valuesFromBytes(data, size);
  // The nearest extended number to 0.1, as the two-decimal fields step by.
  const long double tenth = 0.1L;

  for (const Separators &seps : fuzz::entrySeparators()) {
    checkTyping(text, seps);
    const long double v = vx::readEntryValue(text, {vtFloat, 2}, seps);
    if (!std::isfinite(v)) fail("any text reads as a finite number", quoted(text));

    for (int decimals = 0; decimals <= kMaxDecimals; ++decimals) {
      checkWrite(v, decimals, seps);
      for (long double b : bytesValues) checkWrite(b, decimals, seps);
      for (int direction : {1, -1}) {
        const vx::EntryStep step = vx::stepEntry(text, direction, tenth, {vtFloat, decimals}, seps);
        checkWrittenTextSettles(step.text, decimals, seps);
      }
    }
  }
  return 0;
}
