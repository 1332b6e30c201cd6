#pragma once

#include <QString>
#include <QStringView>
#include <vector>

#include "fields/rules/separators.h"

namespace vx {

// A number pattern such as "0.00 л" or "0.##": "0" is a digit always printed,
// "#" a digit printed only when significant, the first "." marks the decimal
// separator, text in single or double quotes is copied without its quotes,
// and every other character is copied where it stands. A pattern without a
// digit placeholder prints the number as "0" would, after its text.
//
// The number is rounded half away from zero on its 18-digit decimal form to
// the pattern's decimals (2.675 gives 2.68 with "0.00"). A negative number
// gets one "-" in front of the whole output unless it rounds to zero. From
// 1E18 on, the number is written in scientific notation with 15 significant
// digits and without the pattern's text.
class NumberPattern {
public:
  explicit NumberPattern(QStringView pattern);

  // The number of digit placeholders after the decimal point.
  int decimals() const { return m_fractionDigits; }

  QString format(long double v, const Separators &seps) const;

private:
  enum class Kind { Literal, IntegerDigit, Point, FractionDigit };
  struct Token {
    Kind kind;
    int index = 0;  // placeholders: position among the integer or fraction digits
    QString text;   // literals only
  };

  void addLiteral(QChar c);
  void addLiteral(QStringView s);

  std::vector<Token> m_tokens;
  int m_integerDigits = 0;
  int m_firstIntegerZero = -1;  // index of the leftmost "0" before the point
  int m_fractionDigits = 0;
  int m_lastFractionZero = -1;  // index of the rightmost "0" after the point
};

// One-off formatting; NumberPattern avoids parsing the pattern each time.
QString formatNumber(long double v, QStringView pattern, const Separators &seps);

}  // namespace vx
