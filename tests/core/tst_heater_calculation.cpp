// Heater power: the read-back to whole watts happens before the band factor.
#include <QtTest>

#include "core/float_fault.h"
#include "core/heater_calculation.h"
#include "support/fake_ports.h"
#include "support/spy_result.h"

namespace {

struct Heater {
  vx::TankState tank{.WaterH = 5, .BaseArea = 38.61};
  FixedSource water{25}, room{22};
  SpyResult power{0, "0 W"};
  RecordingErrorBox errors;

  void run() { vx::calculateHeater(tank, {water, room, power}, errors); }
};

}  // namespace

class TestHeaterCalculation : public QObject {
  Q_OBJECT

private slots:
  void bands_data() {
    QTest::addColumn<qint64>("litres");
    QTest::addColumn<long double>("factor");
    QTest::newRow("0") << qint64(0) << 0.3L;
    QTest::newRow("24") << qint64(24) << 0.3L;
    QTest::newRow("25") << qint64(25) << 0.2L;
    QTest::newRow("50") << qint64(50) << 0.2L;
    QTest::newRow("51") << qint64(51) << 0.13L;
    QTest::newRow("100") << qint64(100) << 0.13L;
    QTest::newRow("101") << qint64(101) << 0.1L;
    QTest::newRow("200") << qint64(200) << 0.1L;
    QTest::newRow("201") << qint64(201) << 0.07L;
    QTest::newRow("-1") << qint64(-1) << 0.07L;
  }

  void bands() {
    QFETCH(qint64, litres);
    QFETCH(long double, factor);
    QCOMPARE(vx::heaterFactor(litres).raw(), factor);
  }

  // The band is chosen on the stored volume truncated toward zero: 24.99 l
  // is still the small tank, -0.5 l truncates to 0 and -1.5 l to -1.
  void volume_truncates_toward_zero_data() {
    QTest::addColumn<double>("volume");
    QTest::addColumn<QString>("shown");
    // Ten degrees: the first write is 10 V, read back whole.
    QTest::newRow("24.99 l, factor 0.3") << 24.99 << "75 W";     // 250 x 0.3
    QTest::newRow("25 l, factor 0.2") << 25.0 << "50 W";         // 250 x 0.2
    QTest::newRow("-0.5 l, factor 0.3") << -0.5 << "-2 W";       // -5 x 0.3 = -1.5
    QTest::newRow("-1.5 l, factor 0.07") << -1.5 << "-1 W";      // -15 x 0.07 = -1.05
    QTest::newRow("200.99 l, factor 0.1") << 200.99 << "201 W";  // 2010 x 0.1
    QTest::newRow("201 l, factor 0.07") << 201.0 << "141 W";     // 2010 x 0.07 = 140.7
  }

  void volume_truncates_toward_zero() {
    QFETCH(double, volume);
    QFETCH(QString, shown);
    Heater h;
    h.tank = {.WaterH = 1, .BaseArea = volume};
    h.water.set(32);
    h.run();
    QCOMPARE(h.power.field.displayText(), shown);
  }

  void power_data() {
    QTest::addColumn<double>("water");
    QTest::addColumn<double>("room");
    QTest::addColumn<double>("area");
    QTest::addColumn<double>("height");
    QTest::addColumn<long double>("readBack");
    QTest::addColumn<QString>("shown");
    QTest::newRow("start-up") << 25.0 << 22.0 << 38.61 << 5.0 << 579.0L << "58 W";
    QTest::newRow("40 litres") << 26.0 << 20.0 << 40.0 << 1.0 << 240.0L << "48 W";
    // 1.5 is read back as 2: without that rounding the tank would get 0 W.
    QTest::newRow("1.5 litres") << 23.0 << 22.0 << 1.5 << 1.0 << 2.0L << "1 W";
    QTest::newRow("room warmer than tank") << 20.0 << 22.0 << 38.61 << 5.0 << -386.0L << "-39 W";
    QTest::newRow("equal temperatures") << 22.0 << 22.0 << 38.61 << 5.0 << 0.0L << "0 W";
  }

  void power() {
    QFETCH(double, water);
    QFETCH(double, room);
    QFETCH(double, area);
    QFETCH(double, height);
    QFETCH(long double, readBack);
    QFETCH(QString, shown);
    Heater h;
    h.tank = {.WaterH = height, .BaseArea = area};
    h.water.set(water);
    h.room.set(room);
    h.run();
    QCOMPARE(h.power.readBacks, QList<long double>{readBack});
    QCOMPARE(h.power.field.displayText(), shown);
  }

  // A volume past 2^63 litres faults at the truncation, after the first write.
  void absurd_volume_faults_after_the_first_write() {
    Heater h;
    h.tank = {.WaterH = 1e10, .BaseArea = 1e10};
    try {
      h.run();
      QFAIL("no fault");
    } catch (const vx::FloatFaultError &e) {
      QCOMPARE(QString::fromLatin1(e.what()), QStringLiteral("Invalid floating point operation"));
    }
    QCOMPARE(h.power.writes, 1);
    QCOMPARE(h.power.field.storedValue(), 3e20L);
  }
};

QTEST_GUILESS_MAIN(TestHeaterCalculation)
#include "tst_heater_calculation.moc"
