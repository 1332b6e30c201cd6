#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

// A window's control by the object name it carries, as a screen reader or a
// test tool finds it; a control missing or of another type stops the test
// with its name instead of crashing it.
template <typename T>
T *controlOf(const QObject &window, const char *name) {
  T *found = window.findChild<T *>(QString::fromLatin1(name));
  if (!found) qFatal("no %s named %s", T::staticMetaObject.className(), name);
  return found;
}
