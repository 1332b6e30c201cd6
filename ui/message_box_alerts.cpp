#include "ui/message_box_alerts.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QAbstractButton>
#include <QScreen>
#include <QShowEvent>

namespace {

// A parentless QMessageBox is placed next to whatever window happens to be
// active, or wherever the window manager likes; these boxes belong in the
// middle of the screen, also when one pops up before the main window exists.
class CentredStopBox : public QMessageBox {
public:
  CentredStopBox(const QString &caption, const QString &text)
      : QMessageBox(QMessageBox::Critical, caption, text, QMessageBox::Ok) {
    setWindowModality(Qt::ApplicationModal);
    // The frame texts stay English even if a translator is ever installed.
    button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    // No icon on it: where the style gives dialog buttons icons, each box's
    // fresh copy would leave a new entry in Qt's pixmap cache.
    button(QMessageBox::Ok)->setIcon(QIcon());
    // One button that Enter, Esc and the close box all press.
    setDefaultButton(QMessageBox::Ok);
    setEscapeButton(QMessageBox::Ok);
  }

protected:
  void showEvent(QShowEvent *event) override {
    QMessageBox::showEvent(event);  // fixes the box's final size
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
};

}  // namespace

void MessageBoxAlerts::showError(std::string_view utf8Message) {
  CentredStopBox box(QStringLiteral("Error"),
                     QString::fromUtf8(utf8Message.data(), static_cast<qsizetype>(utf8Message.size())));
  box.exec();
}

void MessageBoxAlerts::reportFault(const QString &caption, const QString &text) {
  CentredStopBox box(caption, text);
  box.exec();
}
