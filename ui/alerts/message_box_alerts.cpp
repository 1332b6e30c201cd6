#include "ui/alerts/message_box_alerts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QIcon>
#include <QMessageBox>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>

#include "ui/desktop/close_box_only.h"
#include "ui/desktop/frame_placer.h"
#include "ui/alerts/stop_icon_style.h"

namespace {

// A title bar with the close box only, where the window manager follows it.
constexpr Qt::WindowFlags kBoxFrame =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// A stop box centred on the screen, also when one pops up before the main
// window exists, and transient for the window that was active when it
// opened, so the window manager keeps the two together.
class CentredStopBox : public QMessageBox {
public:
  CentredStopBox(const QString &caption, const QString &text)
      : QMessageBox(QMessageBox::NoIcon, caption, text, QMessageBox::Ok) {
    // The style's stop icon, one for all boxes: the box takes it from its
    // own style, which must be set before the icon.
    setStyle(StopIconStyle::forApplicationStyle());
    setIcon(QMessageBox::Critical);
    setWindowFlags(kBoxFrame);
    setWindowModality(Qt::ApplicationModal);
    // The frame texts stay English whatever translation is installed.
    button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    showOkCentredWithoutIcon();
    // One button that Enter, Esc and the close box all press.
    setDefaultButton(QMessageBox::Ok);
    setEscapeButton(QMessageBox::Ok);
    standFor(QApplication::activeWindow());
    m_placer = new FramePlacer(this);
  }

protected:
  void showEvent(QShowEvent *event) override {
    QMessageBox::showEvent(event);  // fixes the box's final size
    close_box_only::applyBeforeMap(this, close_box_only::Group::Keep);
    m_placer->placeAtShowing(FramePlacer::Rule::Centre);
  }

  void changeEvent(QEvent *event) override {
    QMessageBox::changeEvent(event);
    switch (event->type()) {
      case QEvent::StyleChange:
        // QMessageBox puts the style's button placement back on a style change.
        showOkCentredWithoutIcon();
        break;
      case QEvent::WindowStateChange:
        // Some window managers (openbox) offer minimise on every dialog; the
        // box comes straight back instead of leaving a program that takes no
        // input with nothing on screen to show why.
        if (windowState() & Qt::WindowMinimized)
          QTimer::singleShot(0, this, [this] {
            setWindowState(windowState() & ~Qt::WindowMinimized);
            raise();
            activateWindow();
          });
        break;
      default: break;
    }
  }

private:
  // No icon on OK: where the style gives dialog buttons icons, each box's
  // fresh copy would also leave a new entry in Qt's pixmap cache.
  void showOkCentredWithoutIcon() {
    button(QMessageBox::Ok)->setIcon(QIcon());
    if (auto *buttons = findChild<QDialogButtonBox *>()) buttons->setCenterButtons(true);
  }

  // Transient through the window handle, not a parent widget: the box lives
  // on its caller's stack, and the window may be destroyed before it closes.
  void standFor(QWidget *active) {
    if (!active || !active->windowHandle()) return;
    winId();  // the box's own window handle, to hang it on
    windowHandle()->setTransientParent(active->windowHandle());
  }

  FramePlacer *m_placer = nullptr;
};

}  // namespace

void MessageBoxAlerts::showError(std::string_view utf8Message) {
  CentredStopBox box(
      QStringLiteral("Error"),
      QString::fromUtf8(utf8Message.data(), static_cast<qsizetype>(utf8Message.size())));
  box.exec();
}

void MessageBoxAlerts::reportFault(const QString &caption, const QString &text) {
  CentredStopBox box(caption, text);
  box.exec();
}
