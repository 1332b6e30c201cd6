#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

#include "fields/rules/separators.h"
#include "fields/rules/value_type.h"

// The value rules of the numeric entry field, free of widgets: the field's
// text is its value, so these turn text into a number, a number into text,
// decide which typed characters may enter the text, and make one step.
namespace vx {

// What an entry field's text means: the kind of number, and how many decimals
// a real number is written with (0..255, like the byte it is).
struct EntryFormat {
  TValueType valueType = TValueType::vtInteger;
  int decimals = 2;
};

int clampEntryDecimals(int decimals);

// A whole number: optional leading blanks, an optional sign, then decimal
// digits or up to eight hexadecimal digits after "$", "x", "X", "0x" or "0X"
// (a 32-bit two's-complement pattern). Nothing may follow, not even a blank.
std::optional<std::int32_t> parseEntryInteger(QStringView text);

// The number the text stands for; a text of another form reads as 0.
long double readEntryValue(QStringView text, const EntryFormat &format, const Separators &seps);

// Whether the text stands for a number at all, rather than reading as 0 for
// want of one. A real number also needs a digit before any exponent: "," and
// ",E5" read as 0, but nobody typing them meant a number.
bool isReadableEntryText(QStringView text, const EntryFormat &format, const Separators &seps);

// A real number in fixed notation with exactly `decimals` decimals, cut half
// away from zero at the last decimal or the 15th significant digit, whichever
// comes first; zero has no sign; 1E15 and beyond in scientific notation.
QString fixedText(long double v, int decimals, const Separators &seps);
// The nearest whole number (ties to even) in decimal.
QString integerText(long double v);
QString writeEntryValue(long double v, const EntryFormat &format, const Separators &seps);

// Whether the typed character c may enter a field whose text is currently
// `text`. The check ignores the caret and the selection on purpose: "1-2" can
// be typed and then reads 0.
bool acceptsTypedChar(QChar c, QStringView text, TValueType type, const Separators &seps);

// The increment a field keeps when it becomes `type`: a whole-number field
// steps by the increment rounded to an integer (ties to even), and never by 0.
long double incrementForType(long double increment, TValueType type);

struct EntryStep {
  QString text;
  // The new text differs from the old one other than in letter case.
  bool changed = false;
};

// One step up (direction > 0) or down (direction < 0) from the value of
// `text`; an unreadable text steps from 0. Direction 0 leaves the text as is.
EntryStep stepEntry(QStringView text, int direction, long double increment,
                    const EntryFormat &format, const Separators &seps);

}  // namespace vx
