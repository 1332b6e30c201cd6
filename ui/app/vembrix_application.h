#pragma once

#include <QApplication>
#include <memory>

class Alerts;

// The application object. The program reads no command line, and Qt gets
// none either: only the program's name reaches QApplication, so no option of
// Qt's (-reverse, -stylesheet, -platform, -style ...) changes the windows or
// makes the program read a file.
//
// Every handler wired to a control already runs guarded; notify() is the
// backstop for anything that still escapes an event handler, reported the
// same way instead of ending the program.
class VembrixApplication : public QApplication {
  Q_OBJECT

public:
  VembrixApplication(int &argc, char **argv);
  ~VembrixApplication() override;

  // The boxes the program shows: real message boxes unless replaced.
  Alerts &alerts() { return *m_alerts; }
  void setAlerts(Alerts *alerts);  // nullptr goes back to the real boxes

  bool notify(QObject *receiver, QEvent *event) override;

private:
  std::unique_ptr<Alerts> m_ownAlerts;
  Alerts *m_alerts;
};
