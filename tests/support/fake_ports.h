#pragma once

#include <QString>
#include <QStringList>

#include <string_view>
#include <utility>

#include "core/calculation_ports.h"

// An entry field that always holds one number.
class FixedSource : public vx::NumberSource {
public:
  explicit FixedSource(long double v = 0.0L) : m_v(v) {}
  vx::Extended read() const override { return m_v; }
  bool readable() const override { return true; }
  void set(long double v) { m_v = v; }

private:
  long double m_v;
};

// An entry field that notes each read in a shared log, for pinning the
// order in which a calculation reads its inputs.
class LoggingSource : public vx::NumberSource {
public:
  LoggingSource(QStringList &log, QString name, long double v)
      : m_log(log), m_name(std::move(name)), m_v(v) {}
  vx::Extended read() const override {
    m_log << m_name;
    return m_v;
  }
  bool readable() const override { return true; }

private:
  QStringList &m_log;
  QString m_name;
  long double m_v;
};

// A result field that keeps exactly what was written; for calculations whose
// results are never read back.
class RecordingSink : public vx::NumberSink {
public:
  void write(vx::Extended v) override {
    m_v = v.raw();
    ++writes;
  }
  vx::Extended readBack() override { return m_v; }
  long double value() const { return m_v; }
  int writes = 0;

private:
  long double m_v = 0.0L;
};

// Remembers the messages instead of showing a box.
class RecordingErrorBox : public vx::ErrorBox {
public:
  void showError(std::string_view message) override {
    messages << QString::fromUtf8(message.data(), qsizetype(message.size()));
  }
  QStringList messages;
};
