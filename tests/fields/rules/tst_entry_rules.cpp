// The entry field's value rules without a widget: reading, writing, the
// typing filter, the type switch and the step.
#include <QtTest>

#include <cmath>
#include <optional>

#include "fields/rules/entry_rules.h"
#include "support/long_double_text.h"
#include "support/separator_rows.h"

using enum vx::TValueType;

using vx::EntryFormat;
using vx::Separators;

Q_DECLARE_METATYPE(std::optional<qint32>)
Q_DECLARE_METATYPE(vx::TValueType)

class TestEntryRules : public QObject {
  Q_OBJECT

private slots:
  void parse_integer_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint32>>("expected");
    const std::optional<qint32> invalid;
    const auto is = [](qint32 v) { return std::optional<qint32>(v); };
    QTest::newRow("plain") << "12" << is(12);
    QTest::newRow("leading blank") << " 12" << is(12);
    QTest::newRow("trailing blank") << "12 " << invalid;
    QTest::newRow("empty") << "" << invalid;
    QTest::newRow("lone minus") << "-" << invalid;
    QTest::newRow("plus") << "+7" << is(7);
    QTest::newRow("blank after sign") << "- 7" << invalid;
    QTest::newRow("leading zeros") << "0007" << is(7);
    QTest::newRow("lowest") << "-2147483648" << is(INT32_MIN);
    QTest::newRow("highest") << "2147483647" << is(INT32_MAX);
    QTest::newRow("one above") << "2147483648" << invalid;
    QTest::newRow("one below") << "-2147483649" << invalid;
    QTest::newRow("far above") << "99999999999999999999999999" << invalid;
    QTest::newRow("real number") << "1.5" << invalid;
    QTest::newRow("exponent") << "1e3" << invalid;
    QTest::newRow("dollar hex") << "$FF" << is(255);
    QTest::newRow("x hex") << "xff" << is(255);
    QTest::newRow("X hex") << "X10" << is(16);
    QTest::newRow("0x hex") << "0x7FFFFFFF" << is(INT32_MAX);
    QTest::newRow("0X all ones") << "0XFFFFFFFF" << is(-1);
    QTest::newRow("sign bit") << "$80000000" << is(INT32_MIN);
    QTest::newRow("negated hex") << "-$10" << is(-16);
    QTest::newRow("negated all ones") << "-$FFFFFFFF" << is(1);
    QTest::newRow("nine hex digits") << "$123456789" << invalid;
    QTest::newRow("prefix alone") << "$" << invalid;
    QTest::newRow("0x alone") << "0x" << invalid;
    QTest::newRow("bad hex digit") << "$1G" << invalid;
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662") << invalid;
    QTest::newRow("megabyte of nines") << QString(1 << 20, u'9') << invalid;
    QTest::newRow("megabyte of zeros, then 5") << QString(1 << 20, u'0') + u'5' << is(5);
  }
  void parse_integer() {
    QFETCH(QString, text);
    QFETCH(std::optional<qint32>, expected);
    QCOMPARE(vx::parseEntryInteger(text), expected);
  }

  // Readable: the text stands for a number. An unreadable one reads as 0,
  // and stops a calculation that uses it.
  void readability_data() {
    QTest::addColumn<QString>("text");  // "." is the separator, "~" the other locale's
    QTest::addColumn<vx::TValueType>("type");
    QTest::addColumn<bool>("readable");
    QTest::newRow("empty float") << "" << vtFloat << false;
    QTest::newRow("empty integer") << "" << vtInteger << false;
    QTest::newRow("minus float") << "-" << vtFloat << false;
    QTest::newRow("minus integer") << "-" << vtInteger << false;
    QTest::newRow("plus float") << "+" << vtFloat << false;
    QTest::newRow("typed 1-2") << "1-2" << vtFloat << false;
    QTest::newRow("letters") << "abc" << vtFloat << false;
    QTest::newRow("digits, then letters") << "12abc" << vtFloat << false;
    QTest::newRow("overflow") << "1e99999" << vtFloat << false;
    QTest::newRow("other separator") << "12~5" << vtFloat << false;
    QTest::newRow("separator in integer") << "12.5" << vtInteger << false;
    QTest::newRow("integer out of range") << "2147483648" << vtInteger << false;
    QTest::newRow("integer, trailing blank") << "12 " << vtInteger << false;
    QTest::newRow("lone separator") << "." << vtFloat << false;
    QTest::newRow("separator, exponent") << ".E5" << vtFloat << false;
    QTest::newRow("sign, separator, exponent") << "-.e" << vtFloat << false;
    QTest::newRow("whole float") << "12" << vtFloat << true;
    QTest::newRow("float") << "-12.5" << vtFloat << true;
    QTest::newRow("digits after separator") << ".5" << vtFloat << true;
    QTest::newRow("digits before separator") << "5." << vtFloat << true;
    QTest::newRow("empty exponent") << "5E" << vtFloat << true;
    QTest::newRow("float, blanks around") << " 12.5 " << vtFloat << true;
    QTest::newRow("zero") << "0.00" << vtFloat << true;
    QTest::newRow("far below range, reads 0") << "1e-99999" << vtFloat << true;
    QTest::newRow("integer") << "-2147483648" << vtInteger << true;
    QTest::newRow("integer, leading blank") << " 12" << vtInteger << true;
    QTest::newRow("pasted hex") << "$FF" << vtInteger << true;
  }
  void readability() {
    QFETCH(QString, text);
    QFETCH(vx::TValueType, type);
    QFETCH(bool, readable);
    for (const Separators &seps : {kPoint, kComma}) {
      const QString t = withSeparator(text, seps).replace(u'~', seps.decimal == u'.' ? u',' : u'.');
      QCOMPARE(vx::isReadableEntryText(t, {type, 2}, seps), readable);
      if (!readable) QCOMPARE(vx::readEntryValue(t, {type, 2}, seps), 0.0L);
    }
  }

  void fixed_data() {
    QTest::addColumn<long double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");  // "." stands for the decimal separator
    QTest::newRow("padded") << 100.0L << 2 << "100.00";
    QTest::newRow("half padded") << 12.5L << 2 << "12.50";
    QTest::newRow("zero") << 0.0L << 2 << "0.00";
    QTest::newRow("negative zero") << -0.0L << 2 << "0.00";
    QTest::newRow("rounds to zero") << -0.004L << 2 << "0.00";
    QTest::newRow("rounds away to -0.01") << -0.005L << 2 << "-0.01";
    QTest::newRow("fraction only") << 0.25L << 2 << "0.25";
    QTest::newRow("2.675") << 2.675L << 2 << "2.68";
    QTest::newRow("1.005") << 1.005L << 2 << "1.01";
    QTest::newRow("0.125") << 0.125L << 2 << "0.13";
    QTest::newRow("9.995 carries") << 9.995L << 2 << "10.00";
    QTest::newRow("12.345") << 12.345L << 2 << "12.35";
    QTest::newRow("12.495") << 12.495L << 2 << "12.50";
    QTest::newRow("12.495 at one") << 12.495L << 1 << "12.5";
    QTest::newRow("0.5 at none") << 0.5L << 0 << "1";
    QTest::newRow("1.5 at none") << 1.5L << 0 << "2";
    QTest::newRow("2.5 at none") << 2.5L << 0 << "3";
    QTest::newRow("-2.5 at none") << -2.5L << 0 << "-3";
    QTest::newRow("no separator at none") << 10.0L << 0 << "10";
    QTest::newRow("a step of 0.1") << 12.341L + 0.1L << 2 << "12.44";
    QTest::newRow("15th digit cut") << 123456789012.345678L << 5 << "123456789012.34600";
    QTest::newRow("15 digits of a small number")
        << 0.1234567890123456789L << 18 << "0.123456789012346000";
    QTest::newRow("below 1E15") << 999999999999999.0L << 2 << "999999999999999.00";
    QTest::newRow("1E15") << 1e15L << 2 << "1E15";
    QTest::newRow("-1E15") << -1e15L << 2 << "-1E15";
    QTest::newRow("scientific keeps 15 digits")
        << 123456789012345678.0L << 2 << "1.23456789012346E17";
    QTest::newRow("infinity") << HUGE_VALL << 2 << "INF";
  }
  void fixed() {
    QFETCH(long double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    for (const Separators &seps : {kPoint, kComma}) {
      QCOMPARE(vx::writeEntryValue(value, {vtFloat, decimals}, seps), withSeparator(text, seps));
    }
  }

  void integer_data() {
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("2.5 to even") << 2.5L << "2";
    QTest::newRow("3.5 to even") << 3.5L << "4";
    QTest::newRow("-2.5 to even") << -2.5L << "-2";
    QTest::newRow("2.6") << 2.6L << "3";
    QTest::newRow("-0.4 has no sign") << -0.4L << "0";
    QTest::newRow("past 32 bits") << 2147483648.0L << "2147483648";
    QTest::newRow("past 64 bits, every digit") << std::ldexp(1.0L, 70) << "1180591620717411303424";
    QTest::newRow("nan") << static_cast<long double>(NAN) << "NAN";
  }
  void integer() {
    QFETCH(long double, value);
    QFETCH(QString, text);
    // The separators and the decimal count play no part in whole numbers.
    for (const Separators &seps : {kPoint, kComma}) {
      QCOMPARE(vx::writeEntryValue(value, {vtInteger, 2}, seps), text);
    }
  }

  void typing_data() {
    QTest::addColumn<QChar>("c");
    QTest::addColumn<QString>("text");  // the text before the key; "." stands for the separator
    QTest::addColumn<vx::TValueType>("type");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("digit") << QChar(u'7') << "12" << vtInteger << true;
    QTest::newRow("plus") << QChar(u'+') << "12" << vtInteger << true;
    QTest::newRow("minus anywhere") << QChar(u'-') << "1" << vtFloat << true;
    QTest::newRow("backspace") << QChar(8) << "12" << vtInteger << true;
    QTest::newRow("ctrl-v") << QChar(22) << "12" << vtFloat << true;
    QTest::newRow("separator in integer") << QChar(u'.') << "12" << vtInteger << false;
    QTest::newRow("first separator") << QChar(u'.') << "12" << vtFloat << true;
    QTest::newRow("second separator") << QChar(u'.') << "1.2" << vtFloat << false;
    QTest::newRow("exponent") << QChar(u'e') << "12" << vtFloat << true;
    QTest::newRow("second exponent") << QChar(u'E') << "1e2" << vtFloat << false;
    QTest::newRow("second exponent, other case") << QChar(u'e') << "1E2" << vtFloat << false;
    QTest::newRow("exponent in integer") << QChar(u'e') << "12" << vtInteger << false;
    QTest::newRow("blank") << QChar(u' ') << "12" << vtFloat << false;
    QTest::newRow("letter") << QChar(u'a') << "" << vtFloat << false;
    QTest::newRow("dollar") << QChar(u'$') << "" << vtInteger << false;
    QTest::newRow("arabic-indic digit") << QChar(0x0663) << "" << vtFloat << false;
    QTest::newRow("fullwidth digit") << QChar(0xFF13) << "" << vtInteger << false;
    QTest::newRow("no-break space") << QChar(0x00A0) << "" << vtFloat << false;
    QTest::newRow("delete") << QChar(127) << "" << vtFloat << false;
  }
  void typing() {
    QFETCH(QChar, c);
    QFETCH(QString, text);
    QFETCH(vx::TValueType, type);
    QFETCH(bool, accepted);
    for (const Separators &seps : {kPoint, kComma}) {
      const QChar typed = c == u'.' ? seps.decimal : c;
      QCOMPARE(vx::acceptsTypedChar(typed, withSeparator(text, seps), type, seps), accepted);
    }
  }

  void other_separator_refused() {
    QVERIFY(!vx::acceptsTypedChar(u'.', u"12", vtFloat, kComma));
    QVERIFY(!vx::acceptsTypedChar(u',', u"12", vtFloat, kPoint));
  }

  void increment_for_type_data() {
    QTest::addColumn<long double>("increment");
    QTest::addColumn<vx::TValueType>("type");
    QTest::addColumn<long double>("expected");
    QTest::newRow("0.1 becomes 1") << 0.1L << vtInteger << 1.0L;
    QTest::newRow("0.5 rounds to 0, becomes 1") << 0.5L << vtInteger << 1.0L;
    QTest::newRow("1.5 to even") << 1.5L << vtInteger << 2.0L;
    QTest::newRow("2.5 to even") << 2.5L << vtInteger << 2.0L;
    QTest::newRow("whole stays") << 3.0L << vtInteger << 3.0L;
    QTest::newRow("float keeps 0.1") << 0.1L << vtFloat << 0.1L;
  }
  void increment_for_type() {
    QFETCH(long double, increment);
    QFETCH(vx::TValueType, type);
    QFETCH(long double, expected);
    QCOMPARE(vx::incrementForType(increment, type), expected);
  }

  void step_data() {
    QTest::addColumn<QString>("text");  // "." stands for the decimal separator
    QTest::addColumn<int>("direction");
    QTest::addColumn<vx::TValueType>("type");
    QTest::addColumn<long double>("increment");
    QTest::addColumn<QString>("stepped");
    QTest::addColumn<bool>("changed");
    QTest::newRow("12.5 up") << "12.5" << 1 << vtFloat << 0.1L << "12.60" << true;
    QTest::newRow("0.00 down below zero") << "0.00" << -1 << vtFloat << 0.1L << "-0.10" << true;
    QTest::newRow("integer up") << "5" << 1 << vtInteger << 1.0L << "6" << true;
    QTest::newRow("letters step from 0, float") << "abc" << 1 << vtFloat << 0.1L << "0.10" << true;
    QTest::newRow("letters step from 0, integer") << "abc" << 1 << vtInteger << 1.0L << "1" << true;
    QTest::newRow("past 32 bits") << "2147483647" << 1 << vtInteger << 1.0L << "2147483648" << true;
    QTest::newRow("typed digits cut") << "12.341" << 1 << vtFloat << 0.1L << "12.44" << true;
    QTest::newRow("only the case changes") << "1e20" << 1 << vtFloat << 0.1L << "1E20" << false;
    QTest::newRow("nothing changes") << "1E20" << -1 << vtFloat << 0.1L << "1E20" << false;
    QTest::newRow("no direction") << "12.5" << 0 << vtFloat << 0.1L << "12.5" << false;
  }
  void step() {
    QFETCH(QString, text);
    QFETCH(int, direction);
    QFETCH(vx::TValueType, type);
    QFETCH(long double, increment);
    QFETCH(QString, stepped);
    QFETCH(bool, changed);
    for (const Separators &seps : {kPoint, kComma}) {
      const vx::EntryStep r =
          vx::stepEntry(withSeparator(text, seps), direction, increment, {type, 2}, seps);
      QCOMPARE(r.text, withSeparator(stepped, seps));
      QCOMPARE(r.changed, changed);
    }
  }

  void stepped_past_range_reads_zero() {
    const EntryFormat integer{vtInteger, 2};
    const vx::EntryStep r = vx::stepEntry(u"2147483647", 1, 1.0L, integer, kPoint);
    QCOMPARE(vx::readEntryValue(r.text, integer, kPoint), 0.0L);
  }
};

QTEST_GUILESS_MAIN(TestEntryRules)
#include "tst_entry_rules.moc"
