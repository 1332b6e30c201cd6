#pragma once

#include <QLineEdit>

#include <optional>

#include "core/calculation_ports.h"
#include "fields/rules/entry_rules.h"
#include "fields/rules/value_type.h"

namespace vx {

class EntryHistory;
class RegionalSettings;
class SpinButton;

// The numeric entry field. It keeps no number of its own: its text is its
// value, every read of Value parses the text and every write replaces it.
// The parsing, formatting and typing rules live in widget-free code
// (fields/rules/entry_rules.h); this class only moves text and events.
//
// The change notification is QLineEdit::textChanged. A step holds it back
// while it rewrites the text and emits it once afterwards, only when the text
// changed other than in letter case.
//
// A spin button sits at the right end, over the text box; the text stops
// short of it.
//
// The undo history is QLineEdit's, kept within bounds by an EntryHistory.
class TRxSpinEdit : public QLineEdit, public vx::NumberSource {
  Q_OBJECT
  Q_PROPERTY(double value READ valueForProperty WRITE setValueForProperty NOTIFY valueChanged)
  Q_PROPERTY(int valueType READ valueTypeForProperty WRITE setValueTypeForProperty)
  Q_PROPERTY(double increment READ incrementForProperty WRITE setIncrementForProperty)
  Q_PROPERTY(int decimal READ Decimal WRITE setDecimal)
  Q_PROPERTY(bool readable READ isReadable NOTIFY valueChanged)

public:
  // A field's settings when it is made; an unset one keeps its default.
  // They are applied as the setters would apply them, in this order, but
  // before the field lays out any text.
  struct Settings {
    std::optional<int> decimal;
    std::optional<long double> increment;
    std::optional<TValueType> valueType;
    std::optional<long double> value;
  };

  explicit TRxSpinEdit(const RegionalSettings &regional, QWidget *parent = nullptr);
  TRxSpinEdit(const RegionalSettings &regional, const Settings &settings,
              QWidget *parent = nullptr);

  long double Value() const;
  void setValue(long double v);
  // Whether the text stands for a number, rather than reading as 0 for want
  // of one (see isReadableEntryText).
  bool isReadable() const;

  // The calculations' view: each read parses the text anew.
  vx::Extended read() const override { return Value(); }
  bool readable() const override { return isReadable(); }

  TValueType ValueType() const { return m_valueType; }
  void setValueType(TValueType type);  // reads under the old type, writes under the new

  long double Increment() const { return m_increment; }
  void setIncrement(long double step) { m_increment = step; }

  int Decimal() const { return m_decimal; }
  void setDecimal(int decimals);  // reads, then writes back with the new count

  // One step up (+1) or down (-1) by Increment, as the arrow keys and the spin
  // button make it.
  void step(int direction);

  SpinButton *spinButton() const { return m_spinButton; }

signals:
  // Follows textChanged; the notify signal of the value property, which
  // textChanged(QString) cannot be for a double.
  void valueChanged();
  // A typed character the field dropped (after the system beep).
  void refused(QChar c);

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void inputMethodEvent(QInputMethodEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  // The field's type, step, decimals and text that the settings make.
  struct Start {
    TValueType valueType = TValueType::vtInteger;
    long double increment = 1.0L;
    int decimal = 2;
    QString text = QStringLiteral("0");
    vx::EntryFormat format() const { return {valueType, decimal}; }
  };
  static Start startFor(const Settings &settings, const Separators &separators);
  TRxSpinEdit(const RegionalSettings &regional, const Start &start, QWidget *parent);

  // Puts the button in its place for the current size and narrows the text.
  void placeSpinButton();

  vx::EntryFormat format() const { return {m_valueType, m_decimal}; }
  // The characters of `typed` that may enter the text; beeps for each other one.
  QString filterTyped(const QString &typed);

  double valueForProperty() const { return static_cast<double>(Value()); }
  void setValueForProperty(double v) { setValue(v); }
  int valueTypeForProperty() const { return static_cast<int>(m_valueType); }
  void setValueTypeForProperty(int t) {
    setValueType(t == int(TValueType::vtFloat) ? TValueType::vtFloat : TValueType::vtInteger);
  }
  double incrementForProperty() const { return static_cast<double>(m_increment); }
  void setIncrementForProperty(double v) { m_increment = v; }

  const RegionalSettings &m_regional;
  TValueType m_valueType;
  long double m_increment;
  int m_decimal;
  SpinButton *m_spinButton = nullptr;
  EntryHistory *m_history = nullptr;
};

}  // namespace vx
