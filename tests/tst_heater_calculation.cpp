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

  void run() { vx::calculateHeater(tank, {water, room, power}); }
};

}  // namespace

class TestHeaterCalculation : public QObject {
  Q_OBJECT

private slots:
  void bands_data() {
    QTest::addColumn<double>("volume");
    QTest::addColumn<long double>("factor");
    QTest::newRow("0") << 0.0 << 0.3L;
    QTest::newRow("24.99") << 24.99 << 0.3L;
    QTest::newRow("25") << 25.0 << 0.2L;
    QTest::newRow("50.99") << 50.99 << 0.2L;
    QTest::newRow("51") << 51.0 << 0.13L;
    QTest::newRow("100.99") << 100.99 << 0.13L;
    QTest::newRow("101") << 101.0 << 0.1L;
    QTest::newRow("200.99") << 200.99 << 0.1L;
    QTest::newRow("201") << 201.0 << 0.07L;
    QTest::newRow("-0.5 truncates to 0") << -0.5 << 0.3L;
    QTest::newRow("-1.5") << -1.5 << 0.07L;
  }

  // The factor is found through the volume of the tank state, truncated.
  void bands() {
    QFETCH(double, volume);
    QFETCH(long double, factor);
    Heater h;
    h.tank = {.WaterH = 1, .BaseArea = volume};
    h.water.set(23);  // one degree: the written power is V itself
    h.run();
    QCOMPARE(h.power.field.storedValue(), h.power.readBacks.value(0) * factor);
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
  void absurdVolumeFaultsAfterTheFirstWrite() {
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
