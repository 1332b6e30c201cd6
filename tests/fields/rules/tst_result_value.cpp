// The result field without a widget: number patterns, the edit text, the
// read-back that rounds, and the display text.
#include <QtTest>

#include <cmath>
#include <optional>

#include "fields/rules/number_pattern.h"
#include "fields/rules/result_value.h"
#include "support/long_double_text.h"
#include "support/separator_rows.h"

using vx::ResultValue;
using vx::Separators;

namespace {

// A field set up as the window sets up its result fields.
ResultValue field(int decimalPlaces, const QString &displayFormat, const Separators &seps) {
  ResultValue f(seps);
  f.setDecimalPlaces(decimalPlaces);
  f.setDisplayFormat(displayFormat);
  return f;
}

}  // namespace

class TestResultValue : public QObject {
  Q_OBJECT

private slots:
  void pattern_data() {
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");  // "." stands for the decimal separator
    const auto row = [](const char *name, long double value, const char *pattern,
                        const char *text) { QTest::newRow(name) << value << pattern << text; };
    row("volume", 193.05L, "0.00 л", "193.05 л");
    row("soil", 40.5405L, "0.00 кг", "40.54 кг");
    row("zero shown", 0.0L, "0.00 л", "0.00 л");
    row("negative", -12.5L, "0.00 кг", "-12.50 кг");
    row("minus before everything", -50.0L, "0 %", "-50 %");
    row("rounds to zero, no sign", -0.4L, "0 W", "0 W");
    row("12.495 whole", 12.495L, "0 Lm", "12 Lm");
    row("12.5 whole", 12.5L, "0 Lm", "13 Lm");
    row("slash in unit", 14.0L, "0 мг/л", "14 мг/л");
    row("0.5", 0.5L, "0", "1");
    row("1.5", 1.5L, "0", "2");
    row("2.5 away from zero", 2.5L, "0", "3");
    row("-2.5", -2.5L, "0", "-3");
    row("optional digits", 12.5L, "0.##", "12.5");
    row("no decimals left, no separator", 12.0L, "0.##", "12");
    row("12.345", 12.345L, "0.##", "12.35");
    row("12.344", 12.344L, "0.##", "12.34");
    row("2.675", 2.675L, "0.##", "2.68");
    row("1.005", 1.005L, "0.##", "1.01");
    row("0.125", 0.125L, "0.##", "0.13");
    row("9.995 carries", 9.995L, "0.##", "10");
    row("-0.004", -0.004L, "0.##", "0");
    row("mandatory digits", 5.0L, "000", "005");
    row("optional integer digit", 0.0L, "#", "0");
    row("integer wider than pattern", 123456.0L, "0", "123456");
    row("fraction only", 0.5L, ".00", "0.50");
    row("quoted text", 5.0L, "0 '#0' \"0\"", "5 #0 0");
    row("no placeholder", 5.0L, "W ", "W 5");
    row("just below 1E18", 999999999999999999.0L, "0 W", "999999999999999999 W");
    row("1E18 drops the text", 1e18L, "0 W", "1E18");
    row("1E20", 1e20L, "0.00 л", "1E20");
    row("-1E20", -1e20L, "0 %", "-1E20");
    row("15 digits in scientific", 348708194642607123456.0L, "0 Lm", "3.48708194642607E20");
    row("nan", static_cast<long double>(NAN), "0 W", "NAN");
  }
  void pattern() {
    QFETCH(long double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    for (const Separators &seps : {kPoint, kComma, kCommaNbsp}) {
      QCOMPARE(vx::formatNumber(value, pattern, seps), withSeparator(text, seps));
    }
  }

  void normalize_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("decimal");
    QTest::addColumn<QChar>("thousands");
    QTest::addColumn<QString>("normalized");
    QTest::newRow("trimmed") << "  12.5 " << QChar(u'.') << QChar(u',') << "12.5";
    QTest::newRow("grouping deleted") << "1,234.5" << QChar(u'.') << QChar(u',') << "1234.5";
    QTest::newRow("point to comma") << "12.5" << QChar(u',') << QChar(u' ') << "12,5";
    QTest::newRow("comma to point") << "12,5" << QChar(u'.') << QChar(u' ') << "12.5";
    QTest::newRow("point is grouping") << "1.234,5" << QChar(u',') << QChar(u'.') << "1234,5";
    QTest::newRow("no-break grouping")
        << QString::fromUtf8("1\u00A0234,5") << QChar(u',') << QChar(0x00A0) << "1234,5";
    QTest::newRow("same separators: nothing deleted")
        << "12,5" << QChar(u'.') << QChar(u'.') << "12.5";
    QTest::newRow("empty") << "" << QChar(u'.') << QChar(u',') << "0";
    QTest::newRow("blank") << "   " << QChar(u'.') << QChar(u',') << "0";
    QTest::newRow("lone minus") << "-" << QChar(u',') << QChar(u' ') << "-0";
  }
  void normalize() {
    QFETCH(QString, text);
    QFETCH(QChar, decimal);
    QFETCH(QChar, thousands);
    QFETCH(QString, normalized);
    QCOMPARE(vx::normalizeResultText(text, Separators{decimal, thousands}), normalized);
  }

  void unparseable_text() {
    QVERIFY(!vx::parseResultText(u"abc", kPoint));
    QVERIFY(!vx::parseResultText(u"1e99999", kPoint));
    QCOMPARE(*vx::parseResultText(u"1,234.5", kPoint), 1234.5L);
  }

  void starts_empty() {
    ResultValue f(kComma);
    QCOMPARE(f.decimalPlaces(), 2);
    QVERIFY(f.zeroEmpty());
    QCOMPARE(f.editText(), QString());
    f.setDisplayFormat(QStringLiteral("0.00 кг"));
    QCOMPARE(f.displayText(), QStringLiteral("0,00 кг"));
  }

  void read_back_rounds_data() {
    QTest::addColumn<int>("places");
    QTest::addColumn<long double>("written");
    QTest::addColumn<QString>("editText");  // "." stands for the decimal separator
    QTest::addColumn<long double>("read");
    QTest::newRow("12.345") << 2 << 12.345L << "12.35" << 12.35L;
    QTest::newRow("12.344") << 2 << 12.344L << "12.34" << 12.34L;
    QTest::newRow("2.675") << 2 << 2.675L << "2.68" << 2.68L;
    QTest::newRow("9.995") << 2 << 9.995L << "10" << 10.0L;
    QTest::newRow("12.495") << 2 << 12.495L << "12.5" << 12.5L;
    QTest::newRow("0.5 whole") << 0 << 0.5L << "1" << 1.0L;
    QTest::newRow("2.5 whole") << 0 << 2.5L << "3" << 3.0L;
    QTest::newRow("-0.4 whole") << 0 << -0.4L << "0" << 0.0L;
    QTest::newRow("-2.5 whole") << 0 << -2.5L << "-3" << -3.0L;
    QTest::newRow("zero leaves no text") << 2 << 0.0L << "" << 0.0L;
    QTest::newRow("1E20") << 2 << 1e20L << "1E20" << 1e20L;
    QTest::newRow("15 digits") << 2 << 348708194642607123456.0L << "3.48708194642607E20"
                               << 348708194642607e6L;
  }
  void read_back_rounds() {
    QFETCH(int, places);
    QFETCH(long double, written);
    QFETCH(QString, editText);
    QFETCH(long double, read);
    for (const Separators &seps : {kPoint, kComma, kCommaNbsp}) {
      ResultValue f = field(places, QStringLiteral("0 W"), seps);
      vx::NumberSink &sink = f;  // as a calculation sees it
      sink.write(written);
      QCOMPARE(f.storedValue(), written);
      QCOMPARE(f.editText(), withSeparator(editText, seps));
      QCOMPARE(sink.readBack().raw(), read);
      QCOMPARE(f.storedValue(), read);
      QCOMPARE(f.editText(), withSeparator(editText, seps));  // a read changes no text
      QCOMPARE(sink.readBack().raw(), read);                  // and a second read nothing
    }
  }

  // Read or not, the display rounds the stored number again.
  void display_follows_read() {
    for (const Separators &seps : {kPoint, kComma}) {
      ResultValue flux = field(2, QStringLiteral("0 Lm"), seps);
      flux.setValue(12.495L);
      QCOMPARE(flux.displayText(), QStringLiteral("12 Lm"));
      flux.Value();
      QCOMPARE(flux.displayText(), QStringLiteral("13 Lm"));
    }
  }

  void zero_empty_off() {
    ResultValue f = field(2, QStringLiteral("0.00 л"), kPoint);
    f.setZeroEmpty(false);
    f.setValue(0.0L);
    QCOMPARE(f.editText(), QStringLiteral("0"));
    QCOMPARE(f.displayText(), QStringLiteral("0.00 л"));
  }

  void decimal_places_rebuild_edit_text() {
    ResultValue f(kPoint);
    f.setValue(12.345L);
    QCOMPARE(f.editText(), QStringLiteral("12.35"));
    f.setDecimalPlaces(0);
    QCOMPARE(f.editText(), QStringLiteral("12"));
    QCOMPARE(f.Value(), 12.0L);
  }

  // Without the rebuild the old "." would read as a thousands separator
  // and 1234.5 would come back as 12345.
  void separator_change_rebuilds_edit_text() {
    ResultValue f(kPoint);
    f.setValue(1234.5L);
    QCOMPARE(f.editText(), QStringLiteral("1234.5"));
    f.setSeparators(Separators{u',', u'.'});
    QCOMPARE(f.editText(), QStringLiteral("1234,5"));
    QCOMPARE(f.Value(), 1234.5L);
  }

  void empty_display_format_uses_edit_pattern() {
    ResultValue f(kComma);
    f.setValue(12.345L);
    QCOMPARE(f.displayText(), QStringLiteral("12,35"));
  }
};

QTEST_GUILESS_MAIN(TestResultValue)
#include "tst_result_value.moc"
