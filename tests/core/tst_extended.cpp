// The checked extended arithmetic every calculation stands on.
#include <QtTest>

#include <cfenv>
#include <cmath>
#include <functional>
#include <optional>

#include "core/extended.h"

using vx::Extended;
using vx::FloatFault;
using vx::FloatFaultError;

Q_DECLARE_METATYPE(std::function<void()>)
Q_DECLARE_METATYPE(std::optional<FloatFault>)

namespace {

std::optional<FloatFault> faultOf(const std::function<void()> &op) {
  try {
    op();
  } catch (const FloatFaultError &e) {
    return e.fault();
  }
  return std::nullopt;
}

// Literal operands on purpose: a fold at compile time would lose the fault.
constexpr long double kHuge = 1e4932L;
constexpr long double kTiny = 1e-4000L;

}  // namespace

class TestExtended : public QObject {
  Q_OBJECT

private slots:
  void is_eighty_bit_extended() {
    const Extended one = 1;
    const Extended tiny = std::ldexp(1.0L, -63);
    QVERIFY((one + tiny) != one);  // a 53-bit double would lose this bit
    QVERIFY((one + tiny / 2) == one);
  }

  void faults_data() {
    QTest::addColumn<std::function<void()>>("op");
    QTest::addColumn<std::optional<FloatFault>>("expected");
    const auto row = [](const char *name, std::optional<FloatFault> expected,
                        std::function<void()> op) { QTest::newRow(name) << op << expected; };
    row("1 / 0", FloatFault::DivisionByZero, [] { (void)(Extended(1) / 0); });
    row("-5 / 0", FloatFault::DivisionByZero, [] { (void)(Extended(-5) / 0); });
    row("0 / 0", FloatFault::InvalidOperation, [] { (void)(Extended(0) / 0); });
    row("sqrt -1", FloatFault::InvalidOperation, [] { (void)vx::sqrt(-1); });
    row("ln 0", FloatFault::DivisionByZero, [] { (void)vx::ln(0); });
    row("ln -1", FloatFault::InvalidOperation, [] { (void)vx::ln(-1); });
    row("huge * 10", FloatFault::Overflow, [] { (void)(Extended(kHuge) * 10); });
    row("huge + huge", FloatFault::Overflow, [] { (void)(Extended(kHuge) + kHuge); });
    row("-huge - huge", FloatFault::Overflow, [] { (void)(Extended(-kHuge) - kHuge); });
    row("exp 20000", FloatFault::Overflow, [] { (void)vx::exp(20000); });
    row("1e309 into a double", FloatFault::Overflow, [] { (void)vx::toDouble(1e309L); });
    row("-1e309 into a double", FloatFault::Overflow, [] { (void)vx::toDouble(-1e309L); });
    row("2^63 to int64", FloatFault::InvalidOperation,
        [] { (void)vx::truncToInt64(9223372036854775808.0L); });
    row("-2^63 - 1 to int64", FloatFault::InvalidOperation,
        [] { (void)vx::truncToInt64(-9223372036854775809.0L); });
    row("3.5e20 to int64", FloatFault::InvalidOperation, [] { (void)vx::truncToInt64(3.5e20L); });
    // Not faults: underflow, denormals and inexact results pass silently.
    row("underflow", std::nullopt, [] { (void)(Extended(kTiny) * kTiny); });
    row("1 / 3 inexact", std::nullopt, [] { (void)(Extended(1) / 3); });
    row("1e-320 into a double", std::nullopt, [] { (void)vx::toDouble(1e-320L); });
    row("max double stays", std::nullopt, [] { (void)vx::toDouble(1.7976931348623157e308L); });
    row("-2^63 to int64", std::nullopt, [] { (void)vx::truncToInt64(-9223372036854775808.0L); });
  }

  void faults() {
    QFETCH(std::function<void()>, op);
    QFETCH(std::optional<FloatFault>, expected);
    QCOMPARE(faultOf(op), expected);
  }

  void messages_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("zero divide") << int(FloatFault::DivisionByZero)
                                 << "Floating point division by zero";
    QTest::newRow("invalid") << int(FloatFault::InvalidOperation)
                             << "Invalid floating point operation";
    QTest::newRow("overflow") << int(FloatFault::Overflow) << "Floating point overflow";
  }

  void messages() {
    QFETCH(int, fault);
    QFETCH(QString, message);
    QCOMPARE(QString::fromLatin1(FloatFaultError(FloatFault(fault)).what()), message);
  }

  // A fault left behind by unchecked code must not be blamed on the next
  // checked operation.
  void stale_flags_are_ignored() {
    std::feraiseexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    QCOMPARE((Extended(6) / 3).raw(), 2.0L);
  }

  void truncation_data() {
    QTest::addColumn<long double>("x");
    QTest::addColumn<qint64>("whole");
    QTest::newRow("24.9") << 24.9L << qint64(24);
    QTest::newRow("-3.7") << -3.7L << qint64(-3);
    QTest::newRow("-0.5") << -0.5L << qint64(0);
    QTest::newRow("2^63 - 1") << 9223372036854775807.0L << qint64(9223372036854775807LL);
  }

  void truncation() {
    QFETCH(long double, x);
    QFETCH(qint64, whole);
    QCOMPARE(vx::truncToInt64(x), whole);
  }

  void power_data() {
    QTest::addColumn<long double>("base");
    QTest::addColumn<long double>("exponent");
    QTest::addColumn<long double>("expected");
    QTest::newRow("0 ^ 0 is exactly 1") << 0.0L << 0.0L << 1.0L;
    QTest::newRow("x ^ 0 is exactly 1") << 123.456L << 0.0L << 1.0L;
    QTest::newRow("0 ^ 2.5") << 0.0L << 2.5L << 0.0L;
    QTest::newRow("10 ^ 3") << 10.0L << 3.0L << 1000.0L;
    // Whole negative exponents take the reciprocal of the exact power.
    QTest::newRow("10 ^ -7") << 10.0L << -7.0L << 1.0L / 10000000.0L;
    QTest::newRow("2 ^ 64") << 2.0L << 64.0L << 18446744073709551616.0L;
    QTest::newRow("-2 ^ 3") << -2.0L << 3.0L << -8.0L;
    // Far below the extended range a non-whole exponent underflows quietly.
    QTest::newRow("10 ^ -5000.5") << 10.0L << -5000.5L << 0.0L;
    // Non-whole exponents go through exp and ln.
    QTest::newRow("10 ^ -7.5") << 10.0L << -7.5L << std::exp(-7.5L * std::log(10.0L));
    QTest::newRow("2.718281828 ^ -1") << 2.718281828L << -1.0L << 1.0L / 2.718281828L;
  }

  void power() {
    QFETCH(long double, base);
    QFETCH(long double, exponent);
    QFETCH(long double, expected);
    QCOMPARE(vx::power(base, exponent).raw(), expected);
  }

  // The squaring must stop at the exponent's top bit: one squaring more
  // would overflow although the power itself fits.
  void power_near_the_top_of_the_range() {
    const long double p = vx::power(10, 4932).raw();
    QVERIFY(p > 9.99e4931L && p < 1.001e4932L);
    QVERIFY(vx::power(10, -4932).raw() > 0);
  }

  void power_faults_data() {
    QTest::addColumn<long double>("base");
    QTest::addColumn<long double>("exponent");
    QTest::addColumn<int>("fault");
    QTest::newRow("10 ^ 4933") << 10.0L << 4933.0L << int(FloatFault::Overflow);
    // A whole negative exponent forms the positive power first.
    QTest::newRow("10 ^ -4933") << 10.0L << -4933.0L << int(FloatFault::Overflow);
    QTest::newRow("10 ^ 2147483647") << 10.0L << 2147483647.0L << int(FloatFault::Overflow);
    QTest::newRow("10 ^ 5000.5") << 10.0L << 5000.5L << int(FloatFault::Overflow);
    QTest::newRow("0 ^ -1") << 0.0L << -1.0L << int(FloatFault::DivisionByZero);
    QTest::newRow("-8 ^ 0.5") << -8.0L << 0.5L << int(FloatFault::InvalidOperation);
  }

  void power_faults() {
    QFETCH(long double, base);
    QFETCH(long double, exponent);
    QFETCH(int, fault);
    QCOMPARE(faultOf([&] { (void)vx::power(base, exponent); }), std::optional(FloatFault(fault)));
  }
};

QTEST_GUILESS_MAIN(TestExtended)
#include "tst_extended.moc"
