// The shared decimal machinery: exact digits, the half-away cut, scientific
// text and the one parser both field kinds use.
#include <QtTest>

#include <cfloat>
#include <cmath>
#include <optional>

#include "fields/rules/decimal_text.h"
#include "support/long_double_text.h"
#include "support/separator_rows.h"

using vx::DecimalDigits;
using vx::Separators;

Q_DECLARE_METATYPE(std::optional<long double>)

namespace {

// "-1234e2" for -0.1234 × 10^2: the digits and where the point goes.
QString describe(const DecimalDigits &d) {
  QString s = d.negative ? QStringLiteral("-") : QString();
  s += QString::fromLatin1(d.digits, d.count);
  return s + u'e' + QString::number(d.pointPos);
}

}  // namespace

class TestDecimalText : public QObject {
  Q_OBJECT

private slots:
  void eighteen_digits_data() {
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("digits");
    QTest::newRow("0.1 is a hair above, but 18 digits hide it") << 0.1L << "1e0";
    QTest::newRow("2.675 stays a tie for the cut") << 2.675L << "2675e1";
    QTest::newRow("1.005") << 1.005L << "1005e1";
    QTest::newRow("zero") << 0.0L << "e0";
    QTest::newRow("negative zero has no sign") << -0.0L << "e0";
    QTest::newRow("negative") << -12.5L << "-125e2";
    // Whole numbers below 2^64 are exact, so these are true ties at the 19th digit.
    QTest::newRow("tie rounds to even 0") << 1000000000000000005.0L << "1e19";
    QTest::newRow("tie rounds to even 2") << 1000000000000000015.0L << "100000000000000002e19";
    QTest::newRow("tie below even stays") << 1000000000000000025.0L << "100000000000000002e19";
    QTest::newRow("above tie rounds up") << 1000000000000000026.0L << "100000000000000003e19";
    QTest::newRow("largest") << LDBL_MAX << "118973149535723177e4933";
    QTest::newRow("smallest denormal") << std::ldexp(1.0L, -16445) << "36451995318824746e-4950";
  }
  void eighteen_digits() {
    QFETCH(long double, value);
    QFETCH(QString, digits);
    QCOMPARE(describe(vx::toDecimalDigits(value)), digits);
  }

  void round_half_away_data() {
    QTest::addColumn<long double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("significant");
    QTest::addColumn<QString>("digits");
    const int all = vx::kNoDigitLimit;
    QTest::newRow("2.675 -> 2.68") << 2.675L << 2 << all << "268e1";
    QTest::newRow("1.005 -> 1.01") << 1.005L << 2 << all << "101e1";
    QTest::newRow("0.125 -> 0.13") << 0.125L << 2 << all << "13e0";
    QTest::newRow("12.345 -> 12.35") << 12.345L << 2 << all << "1235e2";
    QTest::newRow("12.344 -> 12.34") << 12.344L << 2 << all << "1234e2";
    QTest::newRow("12.495 -> 12.5") << 12.495L << 2 << all << "125e2";
    QTest::newRow("12.495 -> 12") << 12.495L << 0 << all << "12e2";
    QTest::newRow("9.995 carries to 10") << 9.995L << 2 << all << "1e2";
    QTest::newRow("0.5 -> 1") << 0.5L << 0 << all << "1e1";
    QTest::newRow("1.5 -> 2") << 1.5L << 0 << all << "2e1";
    QTest::newRow("2.5 -> 3, not even") << 2.5L << 0 << all << "3e1";
    QTest::newRow("-2.5 -> -3") << -2.5L << 0 << all << "-3e1";
    QTest::newRow("0.005 -> 0.01") << 0.005L << 2 << all << "1e-1";
    QTest::newRow("-0.004 -> 0 without sign") << -0.004L << 2 << all << "e0";
    QTest::newRow("0.05 at 0 decimals -> 0") << 0.05L << 0 << all << "e0";
    QTest::newRow("15 digits first") << 123456789.123456789L << all << 15 << "123456789123457e9";
    QTest::newRow("decimals first") << 123456789.123456789L << 3 << 15 << "123456789123e9";
    QTest::newRow("15th digit carries") << 999999999999999.5L << 2 << 15 << "1e16";
    QTest::newRow("nothing to cut") << 12.5L << 2 << all << "125e2";
  }
  void round_half_away() {
    QFETCH(long double, value);
    QFETCH(int, decimals);
    QFETCH(int, significant);
    QFETCH(QString, digits);
    QCOMPARE(describe(vx::roundHalfAway(vx::toDecimalDigits(value), decimals, significant)),
             digits);
  }

  void scientific_data() {
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("text");  // with "." for the decimal separator
    QTest::newRow("1E20") << 1e20L << "1E20";
    QTest::newRow("15 digits kept") << 348708194642607123456.0L << "3.48708194642607E20";
    QTest::newRow("16th digit 5 rounds away") << 1.000000000000005e20L << "1.00000000000001E20";
    QTest::newRow("negative") << -1.5e300L << "-1.5E300";
    QTest::newRow("negative exponent") << 1e-7L << "1E-7";
    QTest::newRow("1E15") << 1e15L << "1E15";
    QTest::newRow("infinity") << HUGE_VALL << "INF";
    QTest::newRow("minus infinity") << -HUGE_VALL << "-INF";
    QTest::newRow("nan") << static_cast<long double>(NAN) << "NAN";
  }
  void scientific() {
    QFETCH(long double, value);
    QFETCH(QString, text);
    for (const Separators &seps : {kPoint, kComma}) {
      QCOMPARE(vx::scientificText(value, seps), withSeparator(text, seps));
    }
  }

  void parse_data() {
    QTest::addColumn<QString>("text");  // with "." for the decimal separator
    QTest::addColumn<std::optional<long double>>("expected");
    const std::optional<long double> invalid;
    const auto is = [](long double v) { return std::optional<long double>(v); };
    // Digits accumulated exactly and scaled once give the nearest extended number.
    QTest::newRow("12.345 nearest") << "12.345" << is(12.345L);
    QTest::newRow("0.1 nearest") << "0.1" << is(0.1L);
    QTest::newRow("2.675 nearest") << "2.675" << is(2.675L);
    QTest::newRow("1e-27 nearest") << "1e-27" << is(1e-27L);
    QTest::newRow("10^27 exact") << "1e27" << is(1e27L);
    QTest::newRow("product rounded once") << "123456789e18" << is(123456789e18L);
    QTest::newRow("trailing zeros after point") << "2.50000000000000000000000000000" << is(2.5L);
    QTest::newRow("1e3") << "1e3" << is(1000.0L);
    QTest::newRow("5E: exponent 0") << "5E" << is(5.0L);
    QTest::newRow("5E+: exponent 0") << "5E+" << is(5.0L);
    QTest::newRow("negative exponent") << "-5e-1" << is(-0.5L);
    QTest::newRow("blanks both ends") << "  7.25  " << is(7.25L);
    QTest::newRow("plus sign") << "+3" << is(3.0L);
    QTest::newRow("lone separator") << "." << is(0.0L);
    QTest::newRow("leading separator") << ".5" << is(0.5L);
    QTest::newRow("trailing separator") << "5." << is(5.0L);
    QTest::newRow("zero with a huge exponent") << "0e99999" << is(0.0L);
    QTest::newRow("underflow is zero") << "1e-99999999999999999999" << is(0.0L);
    // The power of ten is out of range here, the number is not.
    QTest::newRow("smallest denormal") << "3.64519953188247e-4951" << is(LDBL_TRUE_MIN);
    QTest::newRow("denormal") << "1e-4940" << is(1e-4940L);
    QTest::newRow("denormal by fraction digits") << "0.0000000001e-4930" << is(1e-4940L);
    QTest::newRow("below the smallest denormal") << "1e-4952" << is(0.0L);
    QTest::newRow("empty") << "" << invalid;
    QTest::newRow("blanks only") << "   " << invalid;
    QTest::newRow("lone minus") << "-" << invalid;
    QTest::newRow("exponent alone") << "E5" << invalid;
    QTest::newRow("sign and exponent") << "-e5" << invalid;
    QTest::newRow("second separator") << "1.2.3" << invalid;
    QTest::newRow("blank inside") << "12 3" << invalid;
    QTest::newRow("second exponent") << "1e5e" << invalid;
    QTest::newRow("double sign") << "--1" << invalid;
    QTest::newRow("tab is no blank") << "\t5" << invalid;
    QTest::newRow("hex") << "0x10" << invalid;
    QTest::newRow("infinity text") << "inf" << invalid;
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662") << invalid;
    QTest::newRow("fullwidth digits") << QString::fromUtf8("\uFF11\uFF12") << invalid;
    QTest::newRow("superscript two") << QString::fromUtf8("\u00B2") << invalid;
    QTest::newRow("overflow") << "1e4933" << invalid;
    QTest::newRow("overflow by digits") << "1" + QString(5000, u'0') << invalid;
    QTest::newRow("huge exponent") << "1e99999999999999999999" << invalid;
  }
  void parse() {
    QFETCH(QString, text);
    QFETCH(std::optional<long double>, expected);
    for (const Separators &seps : {kPoint, kComma, kCommaNbsp}) {
      const auto parsed = vx::parseDecimal(withSeparator(text, seps), seps);
      QCOMPARE(parsed.has_value(), expected.has_value());
      if (expected) QCOMPARE(*parsed, *expected);
    }
  }

  // Past 10^27 the power is no longer exact, but it stays in range.
  void largest_power_is_in_range() {
    const auto parsed = vx::parseDecimal(u"1e4932", kPoint);
    QVERIFY(parsed);
    QVERIFY(std::fabs(*parsed / 1e4932L - 1) < 1e-15L);
  }

  // 0.000…0111…1 with 20 zeros and 4920 ones: the digits are in range, the
  // divisor 10^4940 is not, the quotient is.
  void long_fraction_is_not_zero() {
    const auto parsed =
        vx::parseDecimal(QStringLiteral("0.") + QString(20, u'0') + QString(4920, u'1'), kPoint);
    QVERIFY(parsed);
    QVERIFY(std::fabs(*parsed * 9e20L - 1) < 1e-15L);
  }

  void other_separator_is_invalid_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("decimal");
    QTest::addColumn<QChar>("thousands");
    QTest::newRow("point under comma") << "12.5" << QChar(u',') << QChar(u' ');
    QTest::newRow("comma under point") << "12,5" << QChar(u'.') << QChar(u',');
    QTest::newRow("grouped") << "1,234.5" << QChar(u'.') << QChar(u',');
    QTest::newRow("grouped by blank") << "1 234,5" << QChar(u',') << QChar(u' ');
  }
  void other_separator_is_invalid() {
    QFETCH(QString, text);
    QFETCH(QChar, decimal);
    QFETCH(QChar, thousands);
    QVERIFY(!vx::parseDecimal(text, Separators{decimal, thousands}));
  }

  // A pasted megabyte must neither hang, overflow a counter nor fault.
  void megabyte_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<long double>>("expected");
    constexpr int kMega = 1 << 20;
    const std::optional<long double> invalid;
    QTest::newRow("zeros") << QString(kMega, u'0') << std::optional(0.0L);
    QTest::newRow("nines overflow") << QString(kMega, u'9') << invalid;
    QTest::newRow("tiny fraction") << "0." + QString(kMega, u'0') + "1" << std::optional(0.0L);
    QTest::newRow("one with zeros after point")
        << "1." + QString(kMega, u'0') << std::optional(1.0L);
    QTest::newRow("digits then letter") << QString(kMega, u'1') + "x" << invalid;
    QTest::newRow("exponent digits") << "1e-" + QString(kMega, u'9') << std::optional(0.0L);
  }
  void megabyte() {
    QFETCH(QString, text);
    QFETCH(std::optional<long double>, expected);
    QElapsedTimer timer;
    timer.start();
    const auto parsed = vx::parseDecimal(text, kPoint);
    QVERIFY2(timer.elapsed() < 5000, "parsing must stay linear");
    QCOMPARE(parsed.has_value(), expected.has_value());
    if (expected) QCOMPARE(*parsed, *expected);
  }
};

QTEST_GUILESS_MAIN(TestDecimalText)
#include "tst_decimal_text.moc"
