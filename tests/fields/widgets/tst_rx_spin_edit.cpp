// The entry field as the user meets it: what typing lets through, the keys it
// keeps to itself, stepping, focus, and the texts the window starts with.
#include <QtTest>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QVBoxLayout>

#include "fields/rules/regional_settings.h"
#include "fields/widgets/entry/rx_spin_edit.h"
#include "support/long_double_text.h"
#include "support/separator_rows.h"

using enum vx::TValueType;

Q_DECLARE_METATYPE(vx::TValueType)

namespace {

// A text written with '.' for the decimal separator and ',' for the other
// one, on the row's separator.
QString withSeparator(QString text, QChar decimal) {
  const QChar other = decimal == u'.' ? QChar(u',') : QChar(u'.');
  for (QChar &c : text) c = c == u'.' ? decimal : c == u',' ? other : c;
  return text;
}

// A window that records the keys its children let through.
class KeyRecorder : public QWidget {
public:
  QList<int> keys;

protected:
  void keyPressEvent(QKeyEvent *event) override { keys << event->key(); }
};

// Two fields in a window shown and active, the focus in the first.
struct TwoFields {
  vx::RegionalSettings regional{rowDecimal(), thousandsFor(rowDecimal())};
  QWidget window;
  vx::TRxSpinEdit *first = new vx::TRxSpinEdit(regional, &window);
  vx::TRxSpinEdit *second = new vx::TRxSpinEdit(regional, &window);

  TwoFields() {
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(first);
    layout->addWidget(second);
  }
  bool focusFirst() {
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) return false;
    first->setFocus(Qt::OtherFocusReason);
    return QTest::qWaitFor([this] { return first->hasFocus(); });
  }
};

void sendText(QWidget *w, const QString &text) {
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
}

}  // namespace

class TestRxSpinEdit : public QObject {
  Q_OBJECT

private slots:
  void initTestCase_data() { addSeparatorRows(); }

  void creation() {
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    QCOMPARE(f.text(), QStringLiteral("0"));
    QCOMPARE(f.ValueType(), vtInteger);
    QCOMPARE(f.Increment(), 1.0L);
    QCOMPARE(f.Decimal(), 2);
    QCOMPARE(f.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(f.Value(), 0.0L);
  }

  // Each field's start: its settings through the setters in the listed
  // order ("I" Increment 0.1, "T" ValueType vtFloat, "D" Decimal, "V"
  // Value), and the same settings given at once, which apply them as
  // decimals, increment, type, value.
  void start_texts_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("text");  // "." stands for the decimal separator
    // One row per way the window sets a field up (tst_main_window checks the
    // window's own start texts).
    QTest::newRow("real, two places") << "ITV" << 2 << 100.0L << "100.00";
    QTest::newRow("real, no value") << "IT" << 2 << 0.0L << "0.00";
    QTest::newRow("real, no places") << "DTV" << 0 << 10.0L << "10";
    QTest::newRow("integer") << "V" << 2 << 1000.0L << "1000";
    QTest::newRow("integer, no places") << "DV" << 0 << 25.0L << "25";
    QTest::newRow("nothing set") << "" << 2 << 0.0L << "0";
  }
  void start_texts() {
    const QChar decimal = rowDecimal();
    QFETCH(QString, order);
    QFETCH(int, decimals);
    QFETCH(long double, value);
    QFETCH(QString, text);
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    vx::TRxSpinEdit::Settings settings;
    for (const QChar step : order) {
      switch (step.unicode()) {
        case u'I': f.setIncrement(0.1L), settings.increment = 0.1L; break;
        case u'T': f.setValueType(vtFloat), settings.valueType = vtFloat; break;
        case u'D': f.setDecimal(decimals), settings.decimal = decimals; break;
        case u'V': f.setValue(value), settings.value = value; break;
      }
    }
    QCOMPARE(f.text(), withSeparator(text, decimal));
    QCOMPARE(f.Value(), value);
    // The same field made with its settings at once.
    vx::TRxSpinEdit made(regional, settings);
    QCOMPARE(made.text(), f.text());
    QCOMPARE(made.ValueType(), f.ValueType());
    QCOMPARE(made.Increment(), f.Increment());
    QCOMPARE(made.Decimal(), f.Decimal());
    QVERIFY(!made.isUndoAvailable());
  }

  void k_hbox_stays_zero_until_value() {
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    f.setDecimal(0);
    QCOMPARE(f.text(), QStringLiteral("0"));
    f.setValueType(vtFloat);
    QCOMPARE(f.text(), QStringLiteral("0"));
    QCOMPARE(f.Increment(), 1.0L);
  }

  void switch_to_integer_rounds_increment() {
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    f.setValueType(vtFloat);
    f.setIncrement(0.1L);
    f.setValue(12.5L);
    f.setValueType(vtInteger);
    QCOMPARE(f.text(), QStringLiteral("12"));  // 12.5 to even
    QCOMPARE(f.Increment(), 1.0L);
  }

  // Only a real change rewrites the text: the same setting leaves what the
  // user typed alone.
  void same_setting_keeps_text() {
    const QChar decimal = rowDecimal();
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    f.setValueType(vtFloat);
    const QString typed = withSeparator(QStringLiteral("7.255"), decimal);
    f.setText(typed);
    f.setValueType(vtFloat);
    f.setDecimal(2);
    QCOMPARE(f.text(), typed);
    f.setDecimal(1);
    QCOMPARE(f.text(), withSeparator(QStringLiteral("7.3"), decimal));
  }

  void typing_data() {
    QTest::addColumn<vx::TValueType>("type");
    QTest::addColumn<QString>("keys");     // "." the decimal separator, "," the other
    QTest::addColumn<QString>("text");     // what enters the field
    QTest::addColumn<QString>("refused");  // the characters that beep
    const auto row = [](const char *name, vx::TValueType type, const char *keys, const char *text,
                        const char *refused) {
      QTest::newRow(name) << type << keys << text << refused;
    };
    row("real number", vtFloat, "12.5", "12.5", "");
    row("other separator", vtFloat, "12,5", "125", ",");
    row("second separator", vtFloat, "1.2.3", "1.23", ".");
    row("second exponent", vtFloat, "1e3E4", "1e34", "E");
    row("signs anywhere", vtFloat, "1-2+", "1-2+", "");
    row("separator in integer", vtInteger, "12.5", "125", ".");
    row("exponent in integer", vtInteger, "1e3", "13", "e");
    row("letters and blank", vtFloat, "a b", "", "a b");
    row("hex prefix", vtInteger, "$FF", "", "$FF");
  }
  void typing() {
    const QChar decimal = rowDecimal();
    QFETCH(vx::TValueType, type);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(QString, refused);
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    f.setValueType(type);
    f.clear();
    QSignalSpy beeps(&f, &vx::TRxSpinEdit::refused);
    QTest::keyClicks(&f, withSeparator(keys, decimal));
    QCOMPARE(f.text(), withSeparator(text, decimal));
    QString beeped;
    for (const auto &args : beeps) beeped += args.at(0).toChar();
    QCOMPARE(beeped, withSeparator(refused, decimal));
  }

  // The keypad's decimal key means the decimal separator, whichever
  // character the layout gives it; the main keyboard's keys mean themselves.
  void keypad_decimal_key_data() {
    QTest::addColumn<vx::TValueType>("type");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("typesSeparator");
    QTest::newRow("keypad '.', float") << vtFloat << int(Qt::Key_Period) << true;
    QTest::newRow("keypad ',', float") << vtFloat << int(Qt::Key_Comma) << true;
    QTest::newRow("keypad '.', integer") << vtInteger << int(Qt::Key_Period) << false;
  }
  void keypad_decimal_key() {
    const QChar decimal = rowDecimal();
    QFETCH(vx::TValueType, type);
    QFETCH(int, key);
    QFETCH(bool, typesSeparator);
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    f.setValueType(type);
    f.clear();
    QSignalSpy beeps(&f, &vx::TRxSpinEdit::refused);
    QTest::keyClick(&f, Qt::Key_1);
    QTest::keyClick(&f, Qt::Key(key), Qt::KeypadModifier);
    QTest::keyClick(&f, Qt::Key_5);
    QCOMPARE(f.text(),
             typesSeparator ? QStringLiteral("1") + decimal + u'5' : QStringLiteral("15"));
    QCOMPARE(beeps.count(), typesSeparator ? 0 : 1);
  }

  void non_ascii_digits_refused() {
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    f.clear();
    QSignalSpy beeps(&f, &vx::TRxSpinEdit::refused);
    sendText(&f, QString(QChar(0x0663)));           // ARABIC-INDIC DIGIT THREE
    sendText(&f, QString(QChar(0xFF13)));           // FULLWIDTH DIGIT THREE
    sendText(&f, QString::fromUtf8("\U0001D7D1"));  // a mathematical digit, a surrogate pair
    QCOMPARE(f.text(), QString());
    QCOMPARE(beeps.count(), 3);
  }

  void control_keys_pass() {
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    f.clear();
    QSignalSpy beeps(&f, &vx::TRxSpinEdit::refused);
    QTest::keyClicks(&f, QStringLiteral("123"));
    QTest::keyClick(&f, Qt::Key_Backspace);
    QTest::keyClick(&f, Qt::Key_Home);
    QTest::keyClick(&f, Qt::Key_Delete);
    QCOMPARE(f.text(), QStringLiteral("2"));
    QTest::keyClick(&f, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(f.selectedText(), QStringLiteral("2"));
    QCOMPARE(beeps.count(), 0);
  }

  // Paste is not filtered: the pasted text stays and reads as it can.
  void paste_is_not_filtered() {
    const QChar decimal = rowDecimal();
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    f.setValueType(vtFloat);
    f.clear();
    QClipboard *clipboard = QApplication::clipboard();
    const auto restore = qScopeGuard([clipboard] { clipboard->clear(); });
    clipboard->setText(QStringLiteral("12.5"));
    QSignalSpy beeps(&f, &vx::TRxSpinEdit::refused);
    QTest::keyClick(&f, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.text(), QStringLiteral("12.5"));
    QCOMPARE(beeps.count(), 0);
    QCOMPARE(f.Value(), decimal == u'.' ? 12.5L : 0.0L);
  }

  void megabyte_paste() {
    const QChar decimal = rowDecimal();
    vx::RegionalSettings regional(decimal, thousandsFor(decimal));
    for (const vx::TValueType type : {vtFloat, vtInteger}) {
      vx::TRxSpinEdit f(regional);
      f.setValueType(type);
      f.clear();
      QClipboard *clipboard = QApplication::clipboard();
      const auto restore = qScopeGuard([clipboard] { clipboard->clear(); });
      clipboard->setText(QString(1 << 20, u'9'));
      QElapsedTimer timer;
      timer.start();
      QTest::keyClick(&f, Qt::Key_V, Qt::ControlModifier);
      QVERIFY(!f.text().isEmpty());
      QCOMPARE(f.Value(), 0.0L);  // far out of range
      f.step(1);
      QCOMPARE(f.text(), type == vtFloat ? withSeparator(QStringLiteral("1.00"), decimal)
                                         : QStringLiteral("1"));
      QVERIFY(timer.elapsed() < 10000);
    }
  }

  void input_method_commit_is_filtered() {
    const QChar decimal = rowDecimal();
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    f.setValueType(vtFloat);
    f.clear();
    QSignalSpy beeps(&f, &vx::TRxSpinEdit::refused);
    QInputMethodEvent commit;
    commit.setCommitString(withSeparator(QStringLiteral("1.2.3x"), decimal));
    QApplication::sendEvent(&f, &commit);
    QCOMPARE(f.text(), withSeparator(QStringLiteral("1.23"), decimal));
    QCOMPARE(beeps.count(), 2);
  }

  void enter_is_swallowed_escape_goes_on() {
    const QChar decimal = rowDecimal();
    vx::RegionalSettings regional(decimal, thousandsFor(decimal));
    KeyRecorder window;
    auto *f = new vx::TRxSpinEdit(regional, &window);
    f->setText(QStringLiteral("12"));
    QTest::keyClick(f, Qt::Key_Return);
    QTest::keyClick(f, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(f->text(), QStringLiteral("12"));
    QTest::keyClick(f, Qt::Key_Escape);
    QCOMPARE(f->text(), QStringLiteral("12"));
    QCOMPARE(window.keys, QList<int>{Qt::Key_Escape});
  }

  void arrows_step_data() {
    QTest::addColumn<vx::TValueType>("type");
    QTest::addColumn<long double>("increment");
    QTest::addColumn<QString>("before");  // "." stands for the decimal separator
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("after");
    QTest::newRow("12.5 up") << vtFloat << 0.1L << "12.5" << int(Qt::Key_Up) << "12.60";
    QTest::newRow("0.00 down") << vtFloat << 0.1L << "0.00" << int(Qt::Key_Down) << "-0.10";
    QTest::newRow("letters, float") << vtFloat << 0.1L << "abc" << int(Qt::Key_Up) << "0.10";
    QTest::newRow("integer down") << vtInteger << 1.0L << "5" << int(Qt::Key_Down) << "4";
  }
  void arrows_step() {
    QFETCH_GLOBAL(QChar, decimal);
    QFETCH(vx::TValueType, type);
    QFETCH(long double, increment);
    QFETCH(QString, before);
    QFETCH(int, key);
    QFETCH(QString, after);
    vx::RegionalSettings regional(decimal, thousandsFor(decimal));
    KeyRecorder window;
    auto *f = new vx::TRxSpinEdit(regional, &window);
    f->setValueType(type);
    f->setIncrement(increment);
    f->setText(withSeparator(before, decimal));
    QSignalSpy changes(f, &QLineEdit::textChanged);
    QSignalSpy values(f, &vx::TRxSpinEdit::valueChanged);
    QTest::keyClick(f, Qt::Key(key));
    QCOMPARE(f->text(), withSeparator(after, decimal));
    QCOMPARE(changes.count(), 1);  // held back during the write, then once
    QCOMPARE(values.count(), 1);
    QVERIFY(f->isModified());
    QVERIFY(window.keys.isEmpty());  // consumed
  }

  void stepped_past_range_reads_zero() {
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    f.setValue(2147483647.0L);
    f.step(1);
    QCOMPARE(f.text(), QStringLiteral("2147483648"));
    QCOMPARE(f.Value(), 0.0L);
  }

  // No notification and no "modified" when only the letter case changes or
  // nothing changes, and the caret stays where it was.
  void step_without_change() {
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    f.setValueType(vtFloat);
    f.setIncrement(0.1L);
    f.setText(QStringLiteral("1e20"));
    QSignalSpy changes(&f, &QLineEdit::textChanged);
    f.step(1);
    QCOMPARE(f.text(), QStringLiteral("1E20"));
    QCOMPARE(changes.count(), 0);
    QVERIFY(!f.isModified());
    f.setCursorPosition(2);
    QTest::keyClick(&f, Qt::Key_Down);
    QCOMPARE(f.text(), QStringLiteral("1E20"));
    QCOMPARE(f.cursorPosition(), 2);
    QCOMPARE(changes.count(), 0);
  }

  void tab_selects_all_click_does_not() {
    TwoFields w;
    auto *first = w.first, *second = w.second;
    second->setValue(1234.0L);
    QVERIFY(w.focusFirst());

    QTest::keyClick(first, Qt::Key_Tab);
    QTRY_VERIFY(second->hasFocus());
    QCOMPARE(second->selectedText(), QStringLiteral("1234"));

    QTest::keyClick(second, Qt::Key_Backtab, Qt::ShiftModifier);
    QTRY_VERIFY(first->hasFocus());
    QCOMPARE(first->selectedText(), QStringLiteral("0"));

    second->deselect();
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(4, second->height() / 2));
    QTRY_VERIFY(second->hasFocus());
    QVERIFY(!second->hasSelectedText());
  }

  void leaving_keeps_typed_text() {
    const QChar decimal = rowDecimal();
    TwoFields w;
    auto *first = w.first, *second = w.second;
    first->setValueType(vtFloat);
    QVERIFY(w.focusFirst());
    first->clear();
    QTest::keyClicks(first, withSeparator(QStringLiteral("7.255"), decimal));
    QTest::keyClick(first, Qt::Key_Tab);
    QTRY_VERIFY(second->hasFocus());
    QCOMPARE(first->text(), withSeparator(QStringLiteral("7.255"), decimal));
    QCOMPARE(first->Value(), 7.255L);
  }

  void disabled_field_still_reads() {
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    f.setValueType(vtFloat);
    f.setValue(40.0L);
    f.setEnabled(false);
    QCOMPARE(f.Value(), 40.0L);
  }

  // The text is the value: a new decimal separator changes no text, and the
  // old separator no longer reads.
  void separator_change_keeps_text() {
    vx::RegionalSettings regional(u'.', u',');
    vx::TRxSpinEdit f(regional);
    f.setValueType(vtFloat);
    f.setValue(12.5L);
    QSignalSpy changes(&f, &QLineEdit::textChanged);
    regional.setSeparators(u',', u' ');
    QCOMPARE(f.text(), QStringLiteral("12.50"));
    QCOMPARE(changes.count(), 0);
    QCOMPARE(f.Value(), 0.0L);
    f.setValue(12.5L);
    QCOMPARE(f.text(), QStringLiteral("12,50"));
  }

  void properties() {
    const QChar decimal = rowDecimal();
    auto &&[regional, f] = fieldOnRow<vx::TRxSpinEdit>();
    QVERIFY(f.setProperty("increment", 0.1));
    QVERIFY(f.setProperty("valueType", int(vtFloat)));
    QCOMPARE(f.text(), withSeparator(QStringLiteral("0.00"), decimal));
    QVERIFY(f.setProperty("value", 2.5));
    QCOMPARE(f.property("value").toDouble(), 2.5);
    QVERIFY(f.setProperty("decimal", 0));
    QCOMPARE(f.text(), QStringLiteral("3"));
  }
};

QTEST_MAIN(TestRxSpinEdit)
#include "tst_rx_spin_edit.moc"
