// Each calculator on the real window (offscreen), pressed with a real click()
// through the guard and the signal:
// - pressButton: until the results are written;
// - pressAndRepaint: on through the event loop until every field the
//   calculation writes has been painted again, which is what the user waits
//   for. (The rating panel repaints only when its rating changes, so it is not
//   waited for.)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <vector>

#include "fields/widgets/result/currency_edit.h"
#include "fields/rules/regional_settings.h"
#include "ui/windows/MainForm.h"
#include "ui/alerts/alerts.h"
#include "ui/app/startup.h"

namespace {

// Boxes would block a benchmark; none is expected on the default inputs.
class SilentAlerts final : public Alerts {
public:
  void showError(std::string_view) override {}
  void reportFault(const QString &, const QString &) override {}
};

// Counts the paint events of the widgets it watches.
class PaintCounter : public QObject {
public:
  int painted = 0;

protected:
  bool eventFilter(QObject *, QEvent *e) override {
    if (e->type() == QEvent::Paint) ++painted;
    return false;
  }
};

struct Window {
  vx::RegionalSettings regional{u'.', u','};
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

// The window's controls by their object names, as the tests find them.
template <typename T>
T *named(const char *name) {
  return window().frm.findChild<T *>(QString::fromLatin1(name));
}

void pressButton(benchmark::State &state, const char *button) {
  QPushButton *b = named<QPushButton>(button);
  for (auto _ : state) {
    b->click();
    benchmark::ClobberMemory();
  }
}

void pressAndRepaint(benchmark::State &state, const char *button,
                     std::vector<const char *> results) {
  QPushButton *b = named<QPushButton>(button);
  std::vector<QWidget *> watched;
  for (const char *name : results) watched.push_back(named<QWidget>(name));
  PaintCounter counter;
  for (QWidget *r : watched) r->installEventFilter(&counter);
  const int wanted = static_cast<int>(watched.size());

  for (auto _ : state) {
    counter.painted = 0;
    b->click();
    // Each write of a result asks for a repaint; the next turns of the event
    // loop deliver it. A field that never repaints would be a fault.
    for (int turns = 0; counter.painted < wanted; ++turns) {
      if (turns == 1000) {
        state.SkipWithError("a result field was not repainted");
        break;
      }
      QApplication::processEvents();
    }
  }
  for (QWidget *r : watched) r->removeEventFilter(&counter);
}

}  // namespace

BENCHMARK_CAPTURE(pressButton, volume, "VolumeCalcBtn");
BENCHMARK_CAPTURE(pressButton, lighting, "LightCalcBtn");
BENCHMARK_CAPTURE(pressButton, co2, "Co2CalcBtn");
BENCHMARK_CAPTURE(pressButton, heater, "TempCalcBtn");
BENCHMARK_CAPTURE(pressButton, hardness, "GhCalcBtn");
BENCHMARK_CAPTURE(pressAndRepaint, volume, "VolumeCalcBtn",
                  std::vector<const char *>{"VAquaBox", "VGrBox"});
BENCHMARK_CAPTURE(pressAndRepaint, lighting, "LightCalcBtn", std::vector<const char *>{"BugerBox"});
BENCHMARK_CAPTURE(pressAndRepaint, co2, "Co2CalcBtn", std::vector<const char *>{"Co2Box"});
BENCHMARK_CAPTURE(pressAndRepaint, heater, "TempCalcBtn", std::vector<const char *>{"TempWBox"});
BENCHMARK_CAPTURE(pressAndRepaint, hardness, "GhCalcBtn", std::vector<const char *>{"PodVBox"});

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  setUpApplication();  // the program's font substitution and icon
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
