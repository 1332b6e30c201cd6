// Tank volume and soil weight for the six shapes, and what a failed shape
// test keeps. The figures are compared exactly, to the last bit of the
// extended (or, for TankState, double) value: a formula that slipped into
// double arithmetic anywhere fails them.
#include <QtTest>

#include "core/float_fault.h"
#include "core/tank_shapes.h"
#include "core/volume_calculation.h"
#include "support/fake_ports.h"
#include "support/long_double_text.h"

namespace {

struct Tank {
  FixedSource a{100}, b{40}, c{0}, d{0}, glass{5}, water{50}, soil{6};
  RecordingSink volume, soilWeight;
  RecordingErrorBox errors;
  vx::TankState state;

  void run() {
    vx::calculateVolume(state, {a, b, c, d, glass, water, soil, volume, soilWeight}, errors);
  }
};

}  // namespace

class TestVolumeCalculation : public QObject {
  Q_OBJECT

private slots:
  // The exact figures of the extended formulas, stored as doubles where
  // TankState stores them; the rectangle is the window's start.
  void shapes_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<QList<double>>("sides");  // A, B, C, D in cm
    QTest::addColumn<double>("baseArea");
    QTest::addColumn<long double>("volume");
    QTest::addColumn<long double>("soil");
    QTest::addColumn<QList<double>>("lit");  // LightLen, LightWid; empty: unchanged
    const auto row = [](const char *name, int shape, const QList<double> &sides, double baseArea,
                        long double volume, long double soil, const QList<double> &lit) {
      QTest::newRow(name) << shape << sides << baseArea << volume << soil << lit;
    };
    row("rectangular", 0, {100, 40, 0, 0}, 38.61, 193.049999999999997158L, 40.5404999999999994011L,
        {3.9, 9.9});
    row("bevelled", 1, {80, 30, 100, 50}, 46.510000000000005, 232.55000000000002558L,
        48.8355000000000053738L, {4.9, 9.9});
    row("vision rectangle", 2, {30, 50, 100, 0}, 41.910000000000004, 209.550000000000018474L,
        44.0055000000000038803L, {4.9, 9.9});
    row("triangular", 3, {60, 20, 50, 0}, 22.723020184167421, 113.615100920837104326L,
        23.8591711933757919094L, {});
    // In double arithmetic this area comes out one bit lower.
    row("vision triangle", 4, {60, 55, 0, 0}, 24.236451951138356, 121.182259755691781322L,
        25.448274548695274078L, {});
    row("hexagonal", 5, {40, 0, 0, 0}, 39.516739174683934, 197.583695873419671329L,
        41.4925761334181309771L, {});
  }

  void shapes() {
    QFETCH(int, shape);
    QFETCH(QList<double>, sides);
    QFETCH(double, baseArea);
    QFETCH(long double, volume);
    QFETCH(long double, soil);
    QFETCH(QList<double>, lit);
    Tank t;
    t.state.LightLen = 7;  // left over from an earlier rectangular tank
    t.state.LightWid = 8;
    t.state.AquaType = shape;
    t.a.set(sides[0]);
    t.b.set(sides[1]);
    t.c.set(sides[2]);
    t.d.set(sides[3]);
    t.run();
    QVERIFY(t.errors.messages.isEmpty());
    // Inner sides in dm: less two 5 mm glasses.
    const QList<double> inner{t.state.DimA, t.state.DimB, t.state.DimC, t.state.DimD};
    for (qsizetype i = 0; i < 4; ++i) QCOMPARE(inner[i], (sides[i] - 1) / 10);
    QCOMPARE(t.state.WaterH, 5.0);
    QCOMPARE(t.state.BaseArea, baseArea);
    QCOMPARE(t.volume.value(), volume);
    QCOMPARE(t.soilWeight.value(), soil);
    if (lit.isEmpty()) lit = {7, 8};
    QCOMPARE(t.state.LightLen, lit[0]);
    QCOMPARE(t.state.LightWid, lit[1]);
  }

  void failed_shape_test_keeps_the_area_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<QList<double>>("sides");
    QTest::newRow("vision rectangle, B = A") << 2 << QList<double>{40, 40, 100, 0};
    QTest::newRow("triangle, bevels too short") << 3 << QList<double>{60, 5, 50, 0};
    QTest::newRow("triangle, front too long") << 3 << QList<double>{60, 20, 90, 0};
    QTest::newRow("vision triangle, B below 0.7071 A") << 4 << QList<double>{60, 40, 0, 0};
  }

  void failed_shape_test_keeps_the_area() {
    QFETCH(int, shape);
    QFETCH(QList<double>, sides);
    Tank t;
    t.run();  // the default rectangle: area 38.61, lit 3.9 x 9.9
    t.state.AquaType = shape;
    t.a.set(sides[0]);
    t.b.set(sides[1]);
    t.c.set(sides[2]);
    t.d.set(sides[3]);
    t.water.set(30);
    t.soil.set(10);
    t.run();
    QCOMPARE(t.errors.messages, QStringList{"Неверные входные данные !"});
    QCOMPARE(t.state.BaseArea, 38.61);
    QCOMPARE(t.state.LightLen, 3.9);
    QCOMPARE(t.state.LightWid, 9.9);
    // The new heights still reach the results, over the kept area.
    QCOMPARE(t.state.WaterH, 3.0);
    QCOMPARE(t.volume.value(), 115.829999999999998295L);
    QCOMPARE(t.soilWeight.value(), 67.5674999999999990052L);
    QCOMPARE(t.state.DimA, (sides[0] - 1) / 10);
  }

  // The area as the formula leaves it, before TankState rounds it to a
  // double: every operation in extended. The inner sides are the doubles
  // the calculation stores for the example tanks of shapes() above.
  void area_is_extended_to_the_last_bit_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<QList<double>>("inner");  // A, B, C, D, L in dm
    QTest::addColumn<long double>("area");
    const auto row = [](const char *name, int shape, const QList<double> &inner, long double area) {
      QTest::newRow(name) << shape << inner << area;
    };
    row("rectangular", 0, {9.9, 3.9, -0.1, -0.1, 14.000714267493642}, 38.6100000000000005071L);
    row("bevelled", 1, {7.9, 2.9, 9.9, 4.9, 11.172287142747452}, 46.5100000000000048141L);
    row("vision rectangle", 2, {2.9, 4.9, 9.9, -0.1, 4.1012193308819755}, 41.910000000000003556L);
    row("triangular", 3, {5.9, 1.9, 4.9, -0.1, 8.3438600180012621}, 22.7230201841674213457L);
    row("vision triangle", 4, {5.9, 5.4, -0.1, -0.1, 8.3438600180012621}, 24.2364519511383553433L);
    row("hexagonal", 5, {3.9, -0.1, -0.1, -0.1, 5.5154328932550705}, 39.5167391746839336518L);
  }

  void area_is_extended_to_the_last_bit() {
    QFETCH(int, shape);
    QFETCH(QList<double>, inner);
    QFETCH(long double, area);
    using vx::Extended;
    const auto result = vx::shapeArea(
        shape, {Extended::widen(inner[0]), Extended::widen(inner[1]), Extended::widen(inner[2]),
                Extended::widen(inner[3]), Extended::widen(inner[4])});
    QVERIFY(result);
    QCOMPARE(result->baseArea.raw(), area);
  }

  // The picker offers the lighting calculation by the table's flag; it must
  // say what the formula does, or the lighting would run on a stale
  // rectangle (or be refused one it has).
  void lighting_flag_matches_the_formula() {
    // Sides that pass every shape's test.
    const vx::InnerSides sides{5, 6, 7, 8, vx::sqrt(vx::Extended(50))};
    for (const vx::TankShapeRow &shape : vx::kTankShapes) {
      const auto result = shape.area(sides);
      QVERIFY2(result, shape.drawing.data());
      QCOMPARE(result->lit.has_value(), shape.lightsRectangle);
    }
  }

  void unknown_code_has_no_area() {
    const vx::InnerSides sides{5, 6, 7, 8, 7};
    QVERIFY(!vx::shapeArea(-1, sides));
    QVERIFY(!vx::shapeArea(vx::kTankShapeCount, sides));
  }

  // At exactly 0.7071·A (that decimal, not 1/√2) the vision triangle fails;
  // the next extended value above passes, with an area just over A²/2.
  void vision_triangle_edge() {
    const vx::Extended A = 10;
    const vx::Extended edge = vx::Extended(0.7071L) * A;
    QVERIFY(!vx::shapeArea(vx::VisionTriangular, {A, edge, 0, 0, 0}));
    const auto above =
        vx::shapeArea(vx::VisionTriangular, {A, std::nextafter(edge.raw(), 100.0L), 0, 0, 0});
    QVERIFY(above);
    QVERIFY(above->baseArea > 50 && above->baseArea < vx::Extended(50.000001L));
    // Below 1/√2·A but above 0.7071·A still passes: the constant is the decimal.
    QVERIFY(vx::shapeArea(vx::VisionTriangular, {A, 7.0712L, 0, 0, 0}));
  }

  // A side of 0 is not replaced by anything: less the glass it is -0.1 dm,
  // and the area and both results come out negative, unremarked.
  void negative_sides_are_used_as_computed() {
    Tank t;
    t.a.set(0);
    t.run();
    QCOMPARE(t.state.DimA, -0.1);
    QCOMPARE(t.state.BaseArea, -0.39000000000000001);
    QCOMPARE(t.volume.value(), -1.95000000000000006661L);
    QCOMPARE(t.soilWeight.value(), -0.409500000000000013973L);
    QVERIFY(t.errors.messages.isEmpty());
  }

  void glass_changes_sides_but_not_water() {
    Tank t;
    t.glass.set(0);
    t.run();
    QCOMPARE(t.state.DimA, 10.0);
    QCOMPARE(t.state.DimB, 4.0);
    QCOMPARE(t.state.WaterH, 5.0);
  }

  // A side beyond double's range faults where it becomes a double; what was
  // stored before stays.
  void side_beyond_double_range_overflows() {
    Tank t;
    t.run();
    t.b.set(1e400L);
    try {
      t.run();
      QFAIL("no fault");
    } catch (const vx::FloatFaultError &e) {
      QCOMPARE(QString::fromLatin1(e.what()), QStringLiteral("Floating point overflow"));
    }
    QCOMPARE(t.state.DimA, 9.9);
    QCOMPARE(t.state.DimB, 3.9);
    QCOMPARE(t.volume.writes, 1);
  }

  // The glass is read again for every side, all four sides for every shape,
  // and the soil only after the volume is written.
  void reads_in_order() {
    QStringList log;
    LoggingSource a(log, "A", 100), b(log, "B", 40), c(log, "C", 0), d(log, "D", 0);
    LoggingSource glass(log, "glass", 5), water(log, "water", 50), soil(log, "soil", 6);
    RecordingSink volume, soilWeight;
    RecordingErrorBox errors;
    vx::TankState state;
    state.AquaType = 5;
    vx::calculateVolume(state, {a, b, c, d, glass, water, soil, volume, soilWeight}, errors);
    QCOMPARE(log, (QStringList{"A", "glass", "B", "glass", "C", "glass", "D", "glass", "water",
                               "soil"}));
  }
};

QTEST_GUILESS_MAIN(TestVolumeCalculation)
#include "tst_volume_calculation.moc"
