#include <optional>

#include "fields/number/regional_settings.h"
#include "ui/MainForm.h"
#include "ui/application_windows.h"
#include "ui/display_guard.h"
#include "ui/startup.h"
#include "ui/vembrix_application.h"

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
