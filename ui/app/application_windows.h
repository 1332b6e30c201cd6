#pragma once

#include <memory>

namespace vx {
class RegionalSettings;
}  // namespace vx

class Alerts;
class TAquaTypeFrm;
class TMainFrm;

// The program's two windows, created in order (the main window first, then
// the hidden picker) and published through MainFrm and AquaTypeFrm for as
// long as they live.
class ApplicationWindows {
public:
  ApplicationWindows(const vx::RegionalSettings &regional, Alerts &alerts);
  ~ApplicationWindows();
  ApplicationWindows(const ApplicationWindows &) = delete;
  ApplicationWindows &operator=(const ApplicationWindows &) = delete;

  TMainFrm &mainForm() { return *m_main; }
  TAquaTypeFrm &picker() { return *m_picker; }

private:
  std::unique_ptr<TMainFrm> m_main;
  std::unique_ptr<TAquaTypeFrm> m_picker;
};
