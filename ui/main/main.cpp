#include "fields/number/regional_settings.h"
#include "ui/MainForm.h"
#include "ui/application_windows.h"
#include "ui/startup.h"
#include "ui/vembrix_application.h"

int main(int argc, char *argv[]) {
  VembrixApplication app(argc, argv);
  setUpApplication();
  vx::RegionalSettings regional;
  ApplicationWindows windows(regional, app.alerts());
  windows.mainForm().show();
  return app.exec();
}
