#pragma once

#include <QIcon>
#include <QPointer>
#include <QProxyStyle>

// The style of the stop boxes: the application's style, but with its stop
// icon made once and handed to every box. From Qt 6.8 on a style makes that
// icon anew at every request, and each new icon leaves its own entry in Qt's
// pixmap cache, so every box answered would keep some 12 KB until the
// cache's 10 MB limit. Only the box takes this style; its buttons and texts
// keep the application's.
class StopIconStyle final : public QProxyStyle {
public:
  // The one for the application's present style.
  static QStyle *forApplicationStyle();

  QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                     const QWidget *widget) const override;

private:
  explicit StopIconStyle(QStyle *applicationStyle);

  QPointer<QStyle> m_applicationStyle;
  mutable QIcon m_stop;
};
