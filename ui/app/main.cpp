#include <optional>

#include "fields/rules/regional_settings.h"
#include "ui/windows/MainForm.h"
#include "ui/app/application_windows.h"
#include "ui/app/display_guard.h"
#include "ui/app/startup.h"
#include "ui/app/vembrix_application.h"

int main(int argc, char *argv[]) {
  std::optional<VembrixApplication> app;
  {
    const DisplayGuard exitCleanlyWithoutDisplay;
    app.emplace(argc, argv);
  }
  setUpApplication();
  vx::RegionalSettings regional;
  ApplicationWindows windows(regional, app->alerts());
  showMainWindow(windows.mainForm());
  return app->exec();
}
