#pragma once

// The field suites run every test on the two kinds of desktop the program
// meets: a decimal point with ',' grouping ("point") and a decimal comma with
// blank grouping ("comma"). A suite adds the rows in initTestCase_data(), and
// each test makes its field on the row's settings in one line:
//   auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
#include <QtTest>

#include "fields/rules/regional_settings.h"

inline void addSeparatorRows() {
  QTest::addColumn<QChar>("decimal");
  QTest::newRow("point") << QChar(u'.');
  QTest::newRow("comma") << QChar(u',');
}

inline QChar rowDecimal() {
  QFETCH_GLOBAL(QChar, decimal);
  return decimal;
}

inline QChar thousandsFor(QChar decimal) { return decimal == u'.' ? QChar(u',') : QChar(u' '); }

// The settings of the current row and a field made on them; the field keeps
// a reference to the settings, so both live together.
template <typename Field>
struct FieldOnRow {
  vx::RegionalSettings regional{rowDecimal(), thousandsFor(rowDecimal())};
  Field f{regional};
};

template <typename Field>
FieldOnRow<Field> fieldOnRow() {
  return {};
}

// The separator sets the rule suites try, and a text written with '.' for
// the decimal separator put on one of them.
inline const vx::Separators kPoint{u'.', u','};
inline const vx::Separators kComma{u',', u' '};
inline const vx::Separators kCommaNbsp{u',', QChar(0x00A0)};

inline QString withSeparator(QString text, const vx::Separators &seps) {
  return text.replace(u'.', seps.decimal);
}
