// Button press to written result, for each calculator on the real window
// (offscreen). The press is a real click() so the guard and the signal
// dispatch are measured too.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>

#include <memory>

#include "fields/regional_settings.h"
#include "ui/MainForm.h"
#include "ui/alerts.h"

namespace {

// Boxes would block a benchmark; none is expected on the default inputs.
class SilentAlerts final : public Alerts {
public:
  void showError(std::string_view) override {}
  void reportFault(const QString &, const QString &) override {}
};

struct Window {
  RegionalSettings regional{u'.', u','};
  SilentAlerts alerts;
  TMainFrm frm{regional, alerts};
  Window() {
    frm.show();
    QApplication::processEvents();
  }
};

Window &window() {
  static auto *w = new Window;  // lives until exit, like the program's window
  return *w;
}

void pressButton(benchmark::State &state, QPushButton *TMainFrm::*button) {
  Window &w = window();
  QPushButton *b = w.frm.*button;
  for (auto _ : state) {
    b->click();
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK_CAPTURE(pressButton, volume, &TMainFrm::VolumeCalcBtn);
BENCHMARK_CAPTURE(pressButton, lighting, &TMainFrm::LightCalcBtn);
BENCHMARK_CAPTURE(pressButton, co2, &TMainFrm::Co2CalcBtn);
BENCHMARK_CAPTURE(pressButton, heater, &TMainFrm::TempCalcBtn);
BENCHMARK_CAPTURE(pressButton, hardness, &TMainFrm::GhCalcBtn);

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
