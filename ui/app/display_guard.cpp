#include "ui/app/display_guard.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  bool hasCategory;
  QString text;
};

// Messages can come from threads Qt starts on the way (the accessibility bus,
// a platform theme), so the store is locked.
std::mutex heldMutex;
QList<HeldMessage> *heldMessages = nullptr;
QtMessageHandler previousHandler = nullptr;

// Held under the lock: what Qt said before it gave up.
bool heldMessagesTell(QStringView what) {
  return heldMessages &&
         std::any_of(heldMessages->cbegin(), heldMessages->cend(), [what](const HeldMessage &m) {
           return m.text.contains(what, Qt::CaseInsensitive);
         });
}

// The display is to blame when none is named, or when the plugin said it could
// not reach the one named; any other failure (a plugin that does not load, a
// library it lacks) is told in Qt's own words, still on one line.
QString failureLine(const QString &fatalText) {
  const DisplayEnvironment env = DisplayEnvironment::current();
  const std::lock_guard lock(heldMutex);
  if ((env.x11Display.isEmpty() && env.wayland.isEmpty()) ||
      heldMessagesTell(u"could not connect to display") ||
      heldMessagesTell(u"failed to create wl_display") || heldMessagesTell(u"wayland compositor"))
    return missingDisplayMessage(env);
  QString said = heldMessages && !heldMessages->isEmpty() ? heldMessages->first().text : fatalText;
  return QStringLiteral("vembrix: the window system could not be started: ") + said.simplified();
}

[[noreturn]] void exitForWantOfDisplay(const QString &fatalText) {
  const QByteArray line = failureLine(fatalText).toLocal8Bit() + '\n';
  std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
  std::fflush(stderr);
  // Not exit(): the application object is half built, and its static
  // neighbours must not be torn down around it.
  std::_Exit(1);
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text) {
  if (type == QtFatalMsg) exitForWantOfDisplay(text);
  const std::lock_guard lock(heldMutex);
  if (heldMessages)
    heldMessages->append({type, QByteArray(context.category), context.category != nullptr, text});
}

bool isWayland(const QString &platform) { return platform.startsWith(u"wayland"); }

QString quoted(const QString &s) { return u'"' + s + u'"'; }

}  // namespace

DisplayEnvironment DisplayEnvironment::current() {
  return {qEnvironmentVariable("QT_QPA_PLATFORM"), qEnvironmentVariable("DISPLAY"),
          qEnvironmentVariable("WAYLAND_DISPLAY"), qEnvironmentVariable("XDG_SESSION_TYPE")};
}

QString missingDisplayMessage(const DisplayEnvironment &env) {
  // The plugins Qt tried, in its order: those QT_QPA_PLATFORM names (each
  // perhaps with options after a colon), else X, after Wayland in a Wayland
  // session.
  QStringList tried;
  for (const QString &entry : env.platform.split(u';', Qt::SkipEmptyParts))
    tried << entry.section(u':', 0, 0).trimmed();
  if (tried.isEmpty()) {
    if (env.sessionType == u"wayland") tried << QStringLiteral("wayland");
    tried << QStringLiteral("xcb");
  }

  QStringList reasons;
  const bool onlyDisplays = std::all_of(
      tried.cbegin(), tried.cend(), [](const QString &p) { return p == u"xcb" || isWayland(p); });
  if (onlyDisplays && env.x11Display.isEmpty() && env.wayland.isEmpty()) {
    reasons << QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
  } else {
    for (const QString &platform : std::as_const(tried)) {
      if (platform == u"xcb")
        reasons << (env.x11Display.isEmpty()
                        ? QStringLiteral("DISPLAY is not set")
                        : QStringLiteral("the X display %1 (DISPLAY) cannot be opened")
                              .arg(quoted(env.x11Display)));
      else if (isWayland(platform))
        reasons << (env.wayland.isEmpty()
                        ? QStringLiteral("no Wayland compositor answers at \"wayland-0\" "
                                         "(WAYLAND_DISPLAY is not set)")
                        : QStringLiteral("no Wayland compositor answers at %1 (WAYLAND_DISPLAY)")
                              .arg(quoted(env.wayland)));
      else
        reasons << QStringLiteral("the platform %1 (QT_QPA_PLATFORM) cannot be started")
                       .arg(quoted(platform));
    }
    reasons.removeDuplicates();
  }
  return QStringLiteral("vembrix: no display to show the window on: ") +
         reasons.join(QStringLiteral("; "));
}

DisplayGuard::DisplayGuard() {
  const std::lock_guard lock(heldMutex);
  heldMessages = new QList<HeldMessage>;
  previousHandler = qInstallMessageHandler(holdMessage);
}

DisplayGuard::~DisplayGuard() {
  QList<HeldMessage> held;
  {
    const std::lock_guard lock(heldMutex);
    qInstallMessageHandler(previousHandler);
    held.swap(*heldMessages);
    delete heldMessages;
    heldMessages = nullptr;
  }
  for (const HeldMessage &m : std::as_const(held)) {
    const QMessageLogContext context(nullptr, 0, nullptr,
                                     m.hasCategory ? m.category.constData() : nullptr);
    qt_message_output(m.type, context, m.text);
  }
}
