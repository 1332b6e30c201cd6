// Dissolved CO2 and its rating on the whole number shown.
#include <QtTest>

#include "core/co2_calculation.h"
#include "core/float_fault.h"
#include "support/fake_ports.h"
#include "support/spy_result.h"

Q_DECLARE_METATYPE(vx::Co2Rating)

namespace {

struct Co2 {
  FixedSource ph{7}, kh{10};
  SpyResult content{0, "0 мг/л"};
  RecordingErrorBox errors;

  std::optional<vx::Co2Rating> run() { return vx::calculateCo2({ph, kh, content}, errors); }
};

}  // namespace

class TestCo2Calculation : public QObject {
  Q_OBJECT

private slots:
  void content_and_rating_data() {
    QTest::addColumn<double>("ph");
    QTest::addColumn<double>("kh");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<vx::Co2Rating>("rating");
    using R = vx::Co2Rating;
    QTest::newRow("7.0 / 10") << 7.0 << 10.0 << "35 мг/л" << R::Normal;
    QTest::newRow("7.0 / 4 rounds up into normal") << 7.0 << 4.0 << "14 мг/л" << R::Normal;
    QTest::newRow("7.0 / 3") << 7.0 << 3.0 << "10 мг/л" << R::Deficiency;
    QTest::newRow("7.5 / 10") << 7.5 << 10.0 << "11 мг/л" << R::Deficiency;
    QTest::newRow("6.8 / 10") << 6.8 << 10.0 << "55 мг/л" << R::Excess;
    QTest::newRow("6.5 / 10") << 6.5 << 10.0 << "110 мг/л" << R::Excess;
    QTest::newRow("8.0 / 10") << 8.0 << 10.0 << "3 мг/л" << R::Deficiency;
    QTest::newRow("0 / 1") << 0.0 << 1.0 << "34870819 мг/л" << R::Excess;
    QTest::newRow("kH 0") << 7.0 << 0.0 << "0 мг/л" << R::Deficiency;
    QTest::newRow("negative kH") << 7.0 << -10.0 << "-35 мг/л" << R::Excess;
    QTest::newRow("tiny negative shows no sign") << 7.0 << -0.1 << "0 мг/л" << R::Deficiency;
    // Underflow is no fault: a large pH just gives nothing.
    QTest::newRow("pH 5000.5") << 5000.5 << 10.0 << "0 мг/л" << R::Deficiency;
  }

  void content_and_rating() {
    QFETCH(double, ph);
    QFETCH(double, kh);
    QFETCH(QString, shown);
    QFETCH(vx::Co2Rating, rating);
    Co2 c;
    c.ph.set(ph);
    c.kh.set(kh);
    const auto rated = c.run();
    QVERIFY(rated);
    QCOMPARE(*rated, rating);
    QCOMPARE(c.content.field.displayText(), shown);
  }

  void bands_are_closed_at_both_ends_data() {
    QTest::addColumn<qint64>("c");
    QTest::addColumn<vx::Co2Rating>("rating");
    using R = vx::Co2Rating;
    QTest::newRow("-1") << qint64(-1) << R::Excess;
    QTest::newRow("0") << qint64(0) << R::Deficiency;
    QTest::newRow("13") << qint64(13) << R::Deficiency;
    QTest::newRow("14") << qint64(14) << R::Normal;
    QTest::newRow("35") << qint64(35) << R::Normal;
    QTest::newRow("36") << qint64(36) << R::Excess;
  }

  void bands_are_closed_at_both_ends() {
    QFETCH(qint64, c);
    QFETCH(vx::Co2Rating, rating);
    QCOMPARE(vx::co2Rating(c), rating);
  }

  // The read-back stores the whole number: the rating follows what is shown.
  void read_back_stores_the_whole_number() {
    Co2 c;
    c.kh.set(4);
    c.run();
    QCOMPARE(c.content.readBacks, QList<long double>{14.0L});
    QCOMPARE(c.content.field.storedValue(), 14.0L);
  }

  void faults_data() {
    QTest::addColumn<double>("ph");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("writes");
    QTest::newRow("content beyond int64") << -12.0 << "Invalid floating point operation" << 1;
    QTest::newRow("quotient overflows") << -4924.0 << "Floating point overflow" << 0;
    QTest::newRow("power overflows") << 4933.0 << "Floating point overflow" << 0;
  }

  void faults() {
    QFETCH(double, ph);
    QFETCH(QString, message);
    QFETCH(int, writes);
    Co2 c;
    c.ph.set(ph);
    try {
      c.run();
      QFAIL("no fault");
    } catch (const vx::FloatFaultError &e) {
      QCOMPARE(QString::fromLatin1(e.what()), message);
    }
    QCOMPARE(c.content.writes, writes);
  }

  // pH -12 writes the content before the truncation faults; the field shows it
  // in scientific notation, without its unit.
  void huge_content_is_shown_scientific() {
    Co2 c;
    c.ph.set(-12);
    QVERIFY_THROWS_EXCEPTION(vx::FloatFaultError, c.run());
    QCOMPARE(c.content.field.displayText(), QStringLiteral("3.48708194642607E20"));
  }
};

QTEST_GUILESS_MAIN(TestCo2Calculation)
#include "tst_co2_calculation.moc"
