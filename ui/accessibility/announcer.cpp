#include "ui/accessibility/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "ui/app/qt_differences.h"

namespace {

// Without an announcement event, a notification that appears is what screen
// readers speak of an object that does not have the focus (a change of the
// focused control's description reaches them as the control, not as its
// text). The window carries one that paints nothing, takes no input, and is
// shown only for the moment it takes the reader to hear of it.
constexpr char kNoticeName[] = "vxNotice";

QAccessibleInterface *noticeInterface(const QString &key, QObject *object) {
  if (key != QLatin1String("QWidget") || object->objectName() != QLatin1String(kNoticeName))
    return nullptr;
  return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
}

QWidget *noticeOf(QWidget *window) {
  auto *notice =
      window->findChild<QWidget *>(QLatin1String(kNoticeName), Qt::FindDirectChildrenOnly);
  if (notice) return notice;
  static const bool installed = [] {
    QAccessible::installFactory(noticeInterface);
    return true;
  }();
  static_cast<void>(installed);
  notice = new QWidget(window);
  notice->setObjectName(QLatin1String(kNoticeName));
  notice->setAttribute(Qt::WA_TransparentForMouseEvents);
  notice->setFocusPolicy(Qt::NoFocus);
  notice->setGeometry(0, 0, 1, 1);
  notice->hide();
  return notice;
}

void say(QWidget *focus, const QString &sentence) {
  if (vx::qt_differences::announce(focus, sentence)) return;
  QWidget *notice = noticeOf(focus->window());
  notice->hide();
  notice->setAccessibleName(sentence);
  notice->show();
  // Gone again before anyone could come upon it in the window.
  QTimer::singleShot(0, notice, &QWidget::hide);
}

}  // namespace

Announcer &Announcer::instance() {
  static Announcer announcer;
  return announcer;
}

void Announcer::announce(QWidget *window, const QString &sentence) {
  if (!window || sentence.isEmpty()) return;
  window = window->window();
  QWidget *focus = QApplication::focusWidget();
  if (window->isActiveWindow() && focus && focus->window() == window) {
    tell(focus, sentence);
    return;
  }
  // Once the window has the focus again, and after the reader has heard of
  // that: Qt tells it right after the change itself, so a call queued from
  // here comes later. A newer sentence replaces one still waiting, which it
  // has made stale.
  const QString pendingName = QStringLiteral("vxPendingAnnouncement");
  delete window->findChild<QObject *>(pendingName, Qt::FindDirectChildrenOnly);
  auto *once = new QObject(window);
  once->setObjectName(pendingName);
  connect(qApp, &QApplication::focusChanged, once,
          [this, window, once, sentence](QWidget *, QWidget *now) {
            if (!now || now->window() != window) return;
            disconnect(qApp, nullptr, once, nullptr);
            once->setObjectName(QString());  // no longer waiting
            QPointer<QWidget> target(now);
            // Gone with the call, not by deleteLater, which a nested event
            // loop would put off for as long as it runs.
            QTimer::singleShot(0, once, [this, once, target, sentence] {
              delete once;
              if (target) tell(target, sentence);
            });
          });
}

void Announcer::tell(QWidget *focus, const QString &sentence) {
  emit said(focus, sentence);
  if (QAccessible::isActive()) say(focus, sentence);
}
