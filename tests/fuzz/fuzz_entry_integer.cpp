// A whole-number entry field: the 32-bit parser agrees with the C library on
// decimal and hexadecimal texts, every number it yields is written as a text
// that parses back to it, and a write of any value reads back as that value
// rounded when it fits in 32 bits, and as invalid when it does not.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "fields/rules/decimal_text.h"
#include "fields/rules/entry_rules.h"
#include "fuzz_support.h"

using enum vx::TValueType;

namespace {

using fuzz::fail;
using fuzz::quoted;

bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) {
  return isDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The same grammar read with std::from_chars: blanks, a sign, then decimal
// digits or a hexadecimal prefix and up to eight digits, and nothing after.
std::optional<std::int32_t> expected(const QString &text) {
  if (!std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; })) {
    return std::nullopt;
  }
  const std::string s = text.toStdString();
  std::size_t i = s.find_first_not_of(' ');
  if (i == std::string::npos) return std::nullopt;
  bool negative = false;
  if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';
  std::size_t hexStart = std::string::npos;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    hexStart = i + 1;
  } else if (s.compare(i, 2, "0x") == 0 || s.compare(i, 2, "0X") == 0) {
    hexStart = i + 2;
  }

  if (hexStart != std::string::npos) {
    const std::string digits = s.substr(hexStart);
    if (digits.empty() || digits.size() > 8 ||
        !std::all_of(digits.begin(), digits.end(), isHexDigit)) {
      return std::nullopt;
    }
    std::uint32_t bits = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), bits, 16);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
  }

  std::string digits = s.substr(i);
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDecimalDigit))
    return std::nullopt;
  if (negative) digits.insert(0, 1, '-');
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

void checkText(const QString &text) {
  const auto parsed = vx::parseEntryInteger(text);
  const auto reference = expected(text);
  if (parsed != reference) {
    fail("the integer parser agrees with from_chars",
         quoted(text) + " gives " + (parsed ? std::to_string(*parsed) : "invalid") + ", expected " +
             (reference ? std::to_string(*reference) : "invalid"));
  }
  const long double read = vx::readEntryValue(text, {vtInteger, 2}, {});
  if (read != (parsed ? *parsed : 0)) fail("an integer field reads its parse, or 0", quoted(text));
  if (vx::isReadableEntryText(text, {vtInteger, 2}, {}) != parsed.has_value()) {
    fail("an integer text is readable exactly when it parses", quoted(text));
  }
  if (!parsed) return;

  const QString written = vx::integerText(*parsed);
  if (vx::parseEntryInteger(written) != parsed) {
    fail("integerText parses back", quoted(text) + " written " + quoted(written));
  }
}

// A write rounds to the nearest whole number, ties to even. Inside 32 bits the
// text reads back as exactly that; outside it is invalid and reads 0, as a
// step past 2147483647 does.
void checkWrite(long double v) {
  const long double whole = std::nearbyint(v);
  const QString written = vx::integerText(v);
  const auto back = vx::parseEntryInteger(written);
  const bool fits = whole >= INT32_MIN && whole <= INT32_MAX;
  if (fits ? back != static_cast<std::int32_t>(whole) : back.has_value()) {
    fail("a written whole number reads back when it fits",
         fuzz::show(v) + " written " + quoted(written));
  }
  if (std::fabs(whole) < 0x1p63L && vx::parseDecimal(written, {}) != whole) {
    fail("a written whole number is its exact decimal",
         fuzz::show(v) + " written " + quoted(written));
  }
}

// Typing into an integer field lets only digits and signs through.
void checkTyping(const QString &keys) {
  for (const QChar c : keys) {
    const bool accepted = vx::acceptsTypedChar(c, QString(), vtInteger, {});
    const bool allowed = c.unicode() < 32 || c == u'+' || c == u'-' || (c >= u'0' && c <= u'9');
    if (accepted != allowed)
      fail("an integer field takes digits and signs only", quoted(QString(c)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const QString text = fuzz::textOf(data, size);
  checkText(text);
  checkTyping(text);
  for (long double v : fuzz::valuesFromBytes(data, size)) checkWrite(v);

  // A step writes the stepped number, which reads back unless it left 32 bits
  // (2147483647 steps up to 2147483648, which reads 0).
  const long double from = vx::readEntryValue(text, {vtInteger, 2}, {});
  for (int direction : {1, -1}) {
    const vx::EntryStep step = vx::stepEntry(text, direction, 1.0L, {vtInteger, 2}, {});
    const long double to = from + direction;
    const auto back = vx::parseEntryInteger(step.text);
    const bool fits = to >= INT32_MIN && to <= INT32_MAX;
    if (fits ? back != static_cast<std::int32_t>(to) : back.has_value()) {
      fail("a step reads back as the stepped number while it fits",
           quoted(text) + " -> " + quoted(step.text));
    }
  }
  return 0;
}
