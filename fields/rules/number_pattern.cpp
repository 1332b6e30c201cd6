#include "fields/rules/number_pattern.h"

#include <algorithm>
#include <cmath>

#include "fields/rules/decimal_text.h"

namespace vx {

NumberPattern::NumberPattern(QStringView pattern) {
  bool afterPoint = false;
  const qsizetype n = pattern.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = pattern[i];
    if (c == u'"' || c == u'\'') {
      const qsizetype close = pattern.indexOf(c, i + 1);
      const qsizetype end = close < 0 ? n : close;
      addLiteral(pattern.sliced(i + 1, end - i - 1));
      i = end;
    } else if (c == u'0' || c == u'#') {
      if (afterPoint) {
        if (c == u'0') m_lastFractionZero = m_fractionDigits;
        m_tokens.push_back({Kind::FractionDigit, m_fractionDigits++, {}});
      } else {
        if (c == u'0' && m_firstIntegerZero < 0) m_firstIntegerZero = m_integerDigits;
        m_tokens.push_back({Kind::IntegerDigit, m_integerDigits++, {}});
      }
    } else if (c == u'.') {
      // Only the first point counts; later ones are dropped.
      if (!afterPoint) m_tokens.push_back({Kind::Point, 0, {}});
      afterPoint = true;
    } else {
      addLiteral(c);
    }
  }
  if (m_integerDigits == 0 && m_fractionDigits == 0) {
    m_firstIntegerZero = 0;
    m_tokens.push_back({Kind::IntegerDigit, m_integerDigits++, {}});
  }
}

void NumberPattern::addLiteral(QChar c) { addLiteral(QStringView(&c, 1)); }

void NumberPattern::addLiteral(QStringView s) {
  if (s.isEmpty()) return;
  if (!m_tokens.empty() && m_tokens.back().kind == Kind::Literal) {
    m_tokens.back().text += s;
  } else {
    m_tokens.push_back({Kind::Literal, 0, s.toString()});
  }
}

QString NumberPattern::format(long double v, const Separators &seps) const {
  if (!std::isfinite(v)) return nonFiniteText(v);
  if (std::fabs(v) >= 1e18L) return scientificText(v, seps);

  const DecimalDigits r = roundHalfAway(toDecimalDigits(v), m_fractionDigits);

  // Integer digits, zero-padded to what the leftmost "0" placeholder demands.
  const int significant = std::max(r.pointPos, 0);
  const int required = m_firstIntegerZero >= 0 ? m_integerDigits - m_firstIntegerZero : 1;
  const int width = std::max({significant, required, 1});
  QString integer(width - significant, u'0');
  for (int i = 0; i < significant; ++i) integer += QChar(r.digitAt(i));

  // "#" after the point prints only up to the last non-zero digit.
  int lastFraction = m_lastFractionZero;
  for (int k = m_fractionDigits - 1; k > lastFraction; --k) {
    if (r.digitAt(std::int64_t{r.pointPos} + k) != '0') {
      lastFraction = k;
      break;
    }
  }

  QString out;
  out.reserve(width + m_fractionDigits + 16);
  if (r.negative) out += u'-';
  for (const Token &t : m_tokens) {
    switch (t.kind) {
      case Kind::Literal: out += t.text; break;
      case Kind::IntegerDigit: {
        // Placeholder p counts from the units; the leftmost one takes every
        // digit the pattern has no placeholder for.
        const int p = m_integerDigits - 1 - t.index;
        if (t.index == 0) {
          if (width > p) out += QStringView(integer).first(width - p);
        } else if (p < width) {
          out += integer[width - 1 - p];
        }
        break;
      }
      case Kind::Point:
        if (m_integerDigits == 0) out += integer;
        if (lastFraction >= 0) out += seps.decimal;
        break;
      case Kind::FractionDigit:
        if (t.index <= lastFraction) out += QChar(r.digitAt(std::int64_t{r.pointPos} + t.index));
        break;
    }
  }
  return out;
}

QString formatNumber(long double v, QStringView pattern, const Separators &seps) {
  return NumberPattern(pattern).format(v, seps);
}

}  // namespace vx
