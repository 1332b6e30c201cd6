#include "ui/app/application_windows.h"

#include "ui/windows/AquaTypeForm.h"
#include "ui/windows/MainForm.h"
#include "ui/accessibility/accessibility.h"
#include "ui/app/designed_default_font.h"

ApplicationWindows::ApplicationWindows(const vx::RegionalSettings &regional, Alerts &alerts) {
  {
    const DesignedDefaultFont whileBuilding;
    m_main = std::make_unique<TMainFrm>(regional, alerts);
    MainFrm = m_main.get();
    m_picker = std::make_unique<TAquaTypeFrm>(alerts);
  }
  AquaTypeFrm = m_picker.get();
  describeForScreenReaders(m_main.get());
  describeForScreenReaders(m_picker.get());
}

ApplicationWindows::~ApplicationWindows() {
  AquaTypeFrm = nullptr;
  m_picker.reset();
  MainFrm = nullptr;
}
