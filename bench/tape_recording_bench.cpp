// The tape in the real program, against the same work without it in the same run: a keypad
// calculation (2 + 3 =, four clicks, one line) and a payment (one click, one line) clicked on
// the real window with recording on and off; and the Tape window opened on a full tape of
// 100,000 lines against one opened on an empty tape. Runs on the offscreen platform unless the
// caller chose one.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "core/tape/tape_store.h"
#include "qt/main_program.h"
#include "qt/qt_services.h"
#include "qt/tape/tape_window.h"
#include "qt_bench_main.h"
#include "ui/module1.h"

namespace {

using vantro::ui::ControlId;

struct NoHelp : vantro::ui::HelpViewer {
  void showContents(const std::filesystem::path&) override {}
  void showTopic(const std::filesystem::path&, const std::string&) override {}
};

// The program as main() builds it, its tape in a folder of its own.
struct Program {
  // The tape is kept in `dataHome`, by default a folder of its own.
  explicit Program(bool recording, const QString& dataHome = {}) {
    qputenv("XDG_DATA_HOME", (dataHome.isEmpty() ? data.path() : dataHome).toLocal8Bit());
    services.attachModule(module);
    program = std::make_unique<vantro::qt::MainProgram>(module);
    program->tape().setRecording(recording);
    program->open();
    if (!QTest::qWaitForWindowExposed(&program->window())) throw std::runtime_error("not shown");
  }
  void click(ControlId key) { QTest::mouseClick(program->window().widget(key), Qt::LeftButton); }

  QTemporaryDir folder;
  QTemporaryDir data;
  vantro::qt::QtApplication services{folder.path().toStdString() + "/vantro-calculator"};
  vantro::qt::QtMessageBox messages;
  NoHelp help;
  vantro::ui::Module1 module{services, messages, help};
  std::unique_ptr<vantro::qt::MainProgram> program;
};

void KeypadCalculation(benchmark::State& state) {
  Program program(state.range(0) != 0);
  for (auto _ : state) {
    for (const ControlId key : {ControlId::Num2Command, ControlId::NumPlusCommand,
                                ControlId::Num3Command, ControlId::NumEqCommand})
      program.click(key);
  }
  state.SetLabel(state.range(0) != 0 ? "tape on" : "tape off");
}

void Payment(benchmark::State& state) {
  Program program(state.range(0) != 0);
  auto& window = program.program->window();
  window.textBox(ControlId::TextInterest).setText("7/12");
  window.textBox(ControlId::TextN).setText("360");
  window.textBox(ControlId::TextPV).setText("150000");
  for (auto _ : state) program.click(ControlId::CommandPMT);
  state.SetLabel(state.range(0) != 0 ? "tape on" : "tape off");
}

void OpenTapeWindow(benchmark::State& state) {
  QTemporaryDir data;
  {
    vantro::core::tape::TapeStore store(std::filesystem::path(data.path().toStdString()) /
                                        "vantro-calculator");
    store.load();
    vantro::core::tape::Entry line;
    line.kind = vantro::core::tape::EntryKind::Financial;
    line.operation = "PMT";
    line.text = "PMT: Interest 0.583333333333333 %, NPer 360, PV 150000, FV 0, End -> -997.95";
    line.inputs = {{"Interest", 7.0 / 1200}, {"NPer", 360}, {"PV", 150000}, {"FV", 0}};
    line.result = -997.9537427687749;
    line.shown = "-997.95";
    for (int i = 0; i < state.range(0); ++i) {
      line.timeMs = 1796635661205 + i * 1000LL;
      store.append(line);
    }
  }
  Program program(true, data.path());
  if (program.program->tape().lines().size() != static_cast<std::size_t>(state.range(0)))
    state.SkipWithError("the tape did not load");
  for (auto _ : state) {
    auto window = std::make_unique<vantro::qt::TapeWindow>(program.program->tape());
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) state.SkipWithError("never exposed");
    QCoreApplication::processEvents();
    window->repaint();
    state.PauseTiming();
    window.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(KeypadCalculation)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(Payment)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenTapeWindow)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char* argv[]) {
  return vantro::bench::runWidgetBenchmarks(argc, argv);
}
