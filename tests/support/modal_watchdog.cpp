#include "support/modal_watchdog.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>

namespace {
constexpr int kPollMs = 20;
}

ModalWatchdog::ModalWatchdog(int graceMs, QObject *parent) : QObject(parent), m_graceMs(graceMs) {
  m_timer.setInterval(kPollMs);
  connect(&m_timer, &QTimer::timeout, this, &ModalWatchdog::poll);
  m_timer.start();
}

void ModalWatchdog::poll() {
  QWidget *modal = QApplication::activeModalWidget();
  if (modal != m_seen) {
    m_seen = modal;
    m_seenFor = 0;
    return;
  }
  if (!modal || (m_seenFor += kPollMs) < m_graceMs) return;

  QString what = modal->windowTitle();
  if (auto *box = qobject_cast<QMessageBox *>(modal)) what += QStringLiteral(": ") + box->text();
  m_closed << what;
  // A message box without an escape button ignores close(); done() always ends exec().
  if (auto *dialog = qobject_cast<QDialog *>(modal))
    dialog->done(QDialog::Rejected);
  else
    modal->close();
  m_seen = nullptr;
}

void ModalWatchdog::check() {
  const QStringList closed = std::exchange(m_closed, {});
  if (!closed.isEmpty())
    QTest::qFail(qPrintable(QStringLiteral("unexpected modal box: ") + closed.join(u"; ")),
                 __FILE__, __LINE__);
}
