#pragma once

#include <QLineEdit>

#include "core/calculation_ports.h"
#include "fields/rules/result_value.h"

namespace vx {

class RegionalSettings;

// The numeric result field: read-only, disabled, and always painting its
// display text (the stored value through DisplayFormat). The rounding rules
// live in widget-free code (fields/rules/result_value.h).
//
// QLineEdit::text() is kept equal to the display text, so what a screen
// reader reads is what the field shows; the edit text, from which a read
// takes the number, lives in the model (editText()).
class TCurrencyEdit : public QLineEdit, public vx::NumberSink {
  Q_OBJECT
  Q_PROPERTY(double value READ storedValueForProperty)
  Q_PROPERTY(QString editText READ editText)
  Q_PROPERTY(int decimalPlaces READ DecimalPlaces WRITE setDecimalPlaces)
  Q_PROPERTY(QString displayFormat READ DisplayFormat WRITE setDisplayFormat)
  Q_PROPERTY(bool zeroEmpty READ ZeroEmpty WRITE setZeroEmpty)
  Q_PROPERTY(QColor textColour READ textColour)

public:
  explicit TCurrencyEdit(const RegionalSettings &regional, QWidget *parent = nullptr);
  // With its places and pattern from the start: the text is laid out once,
  // not once for each setting.
  TCurrencyEdit(const RegionalSettings &regional, int decimalPlaces, const QString &displayFormat,
                QWidget *parent = nullptr);

  void setValue(long double v);
  // Reads the number back from the edit text and stores it: the written
  // number rounded to DecimalPlaces.
  long double Value();

  void write(vx::Extended v) override { setValue(v.raw()); }
  vx::Extended readBack() override { return Value(); }

  int DecimalPlaces() const;
  void setDecimalPlaces(int places);
  QString DisplayFormat() const;
  void setDisplayFormat(const QString &pattern);
  bool ZeroEmpty() const;
  void setZeroEmpty(bool on);

  // What the field shows is QLineEdit's text (and displayText): the
  // display pattern applied to the stored number.
  QString editText() const;
  // The grey the text is painted in: the palette's disabled-text colour, or
  // the nearest grey towards the text colour that is readable on the field.
  QColor textColour() const;

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  double storedValueForProperty() const { return static_cast<double>(m_model.storedValue()); }
  // Shows the model's current display text and repaints.
  void refresh();

  const RegionalSettings &m_regional;
  vx::ResultValue m_model;
};

}  // namespace vx
