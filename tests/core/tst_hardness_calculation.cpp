// Share of water to change; b = p faults before anything is written.
#include <QtTest>

#include "core/float_fault.h"
#include "core/hardness_calculation.h"
#include "support/fake_ports.h"
#include "support/spy_result.h"

namespace {

struct Hardness {
  FixedSource begin{14}, wanted{5}, change{0};
  SpyResult share{0, "0 %"};
  RecordingErrorBox errors;

  void run() { vx::calculateHardness({begin, wanted, change, share}, errors); }
};

}  // namespace

class TestHardnessCalculation : public QObject {
  Q_OBJECT

private slots:
  void share_data() {
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("e");
    QTest::addColumn<int>("p");
    QTest::addColumn<QString>("shown");
    QTest::newRow("start-up") << 14 << 5 << 0 << "64 %";
    QTest::newRow("soft change water") << 14 << 5 << 2 << "75 %";
    QTest::newRow("hardening") << 10 << 15 << 20 << "50 %";
    QTest::newRow("above 100") << 14 << 5 << 10 << "225 %";
    QTest::newRow("negative") << 14 << 20 << 0 << "-43 %";
    QTest::newRow("already there") << 12 << 12 << 0 << "0 %";
    QTest::newRow("20 to 5") << 20 << 5 << 0 << "75 %";
    QTest::newRow("10 to 8 with 2") << 10 << 8 << 2 << "25 %";
  }

  void share() {
    QFETCH(int, b);
    QFETCH(int, e);
    QFETCH(int, p);
    QFETCH(QString, shown);
    Hardness h;
    h.begin.set(b);
    h.wanted.set(e);
    h.change.set(p);
    h.run();
    QCOMPARE(h.share.field.displayText(), shown);
    QVERIFY(h.share.readBacks.isEmpty());
  }

  // b is read twice, around e: b, e, b, p.
  void reads_in_order() {
    QStringList log;
    LoggingSource b(log, "b", 14), e(log, "e", 5), p(log, "p", 0);
    SpyResult share{0, "0 %"};
    RecordingErrorBox errors;
    vx::calculateHardness({b, e, p, share}, errors);
    QCOMPARE(log, (QStringList{"b", "e", "b", "p"}));
  }

  void faults_data() {
    QTest::addColumn<int>("e");
    QTest::addColumn<QString>("message");
    QTest::newRow("b = p") << 5 << "Floating point division by zero";
    QTest::newRow("b = p = e") << 14 << "Invalid floating point operation";
  }

  void faults() {
    QFETCH(int, e);
    QFETCH(QString, message);
    Hardness h;
    h.run();
    h.wanted.set(e);
    h.change.set(14);
    try {
      h.run();
      QFAIL("no fault");
    } catch (const vx::FloatFaultError &err) {
      QCOMPARE(QString::fromLatin1(err.what()), message);
    }
    QCOMPARE(h.share.writes, 1);
    QCOMPARE(h.share.field.displayText(), QStringLiteral("64 %"));
  }
};

QTEST_GUILESS_MAIN(TestHardnessCalculation)
#include "tst_hardness_calculation.moc"
