#include "ui/desktop/scrolling_contents.h"

#include <QEvent>
#include <QScrollArea>
#include <QWidget>

ScrollingContents::ScrollingContents(QWidget *window, QSize designedSize)
    : QObject(window), m_window(window), m_designed(designedSize) {
  window->installEventFilter(this);
}

bool ScrollingContents::eventFilter(QObject *watched, QEvent *event) {
  if (watched == m_window && event->type() == QEvent::Resize) {
    if (!m_area &&
        (m_window->width() < m_designed.width() || m_window->height() < m_designed.height()))
      moveIntoScrollArea();
    if (m_area) m_area->setGeometry(m_window->rect());
  }
  return QObject::eventFilter(watched, event);
}

void ScrollingContents::moveIntoScrollArea() {
  // The keyboard's way through the controls, to be laid again after the
  // move: moving a control to another parent moves it in the chain as well.
  QList<QWidget *> tabChain;
  for (QWidget *w = m_window->nextInFocusChain(); w && w != m_window; w = w->nextInFocusChain())
    tabChain << w;
  QWidget *focused = m_window->focusWidget();

  // The contents: the layout at its designed size, on the window's face.
  auto *contents = new QWidget;
  contents->setObjectName(m_window->objectName() + QStringLiteral("Contents"));
  contents->resize(m_designed);
  // A copy of the list, which each move shortens.
  const QObjectList children = m_window->children();
  for (QObject *child : children) {
    auto *control = qobject_cast<QWidget *>(child);
    if (!control || control->isWindow()) continue;
    const bool hidden = control->isHidden();
    control->setParent(contents);
    control->setHidden(hidden);
  }

  m_area = new QScrollArea(m_window);
  m_area->setObjectName(m_window->objectName() + QStringLiteral("Scroller"));
  m_area->setFrameShape(QFrame::NoFrame);
  // Not a stop of its own: Tab goes from control to control, and the area
  // scrolls each one into view as it gets the focus.
  m_area->setFocusPolicy(Qt::NoFocus);
  m_area->setWidget(contents);
  m_area->setGeometry(m_window->rect());
  m_area->show();

  for (qsizetype i = 1; i < tabChain.size(); ++i)
    QWidget::setTabOrder(tabChain[i - 1], tabChain[i]);
  if (focused) focused->setFocus();
}
