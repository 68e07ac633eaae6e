// Opening help files made to be hostile, from the Help call to the help window shown or the
// file refused, against opening the program's own help file in the same run. The counter
// "stall_ms" is the longest the GUI thread went without running its event loop meanwhile:
// how long the calculator could have left a key unanswered. Every file must be done within a
// second, with no stall beyond a tenth of one. Runs on the offscreen platform unless the
// caller chose one.

#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "qt/help/help_window.h"
#include "qt/help/qt_help_viewer.h"
#include "qt_bench_main.h"

namespace {

using vantro::qt::QtHelpViewer;

const std::filesystem::path kHelpFile = VANTRO_HELP_FILE;

std::filesystem::path folder() {
  static const std::filesystem::path path = [] {
    auto made = std::filesystem::temp_directory_path() / "vantro_help_file_bench";
    std::filesystem::remove_all(made);
    std::filesystem::create_directories(made);
    std::ifstream in(kHelpFile, std::ios::binary);
    const std::string good{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::ofstream(made / "truncated.chm", std::ios::binary) << good.substr(0, good.size() / 3);
    std::string flipped = good;
    for (std::size_t i = good.size() / 2; i < good.size(); i += 97) flipped[i] ^= 0x5a;
    std::ofstream(made / "flipped.chm", std::ios::binary) << flipped;
    std::ofstream(made / "huge.chm", std::ios::binary) << good;
    std::filesystem::resize_file(made / "huge.chm", std::uintmax_t{1} << 30);  // sparse
    std::filesystem::create_symlink("/dev/zero", made / "zeros.chm");
    ::mkfifo((made / "pipe.chm").c_str(), 0600);
    return made;
  }();
  return path;
}

// Opens `file` at its contents as the Help menu does and runs the event loop until the file
// has been read and the window, if any, painted.
void open(benchmark::State& state, const std::filesystem::path& file) {
  double longestStall = 0;
  for (auto _ : state) {
    QtHelpViewer viewer;
    QElapsedTimer sinceTick;
    double stall = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout,
                     [&] { stall = std::max(stall, static_cast<double>(sinceTick.restart())); });
    ticks.start(1);
    sinceTick.start();
    viewer.showContents(file);
    stall = std::max(stall, static_cast<double>(sinceTick.restart()));
    while (viewer.reading()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    if (viewer.window()) {
      (void)QTest::qWaitForWindowExposed(viewer.window());
      viewer.window()->repaint();
    }
    stall = std::max(stall, static_cast<double>(sinceTick.restart()));
    longestStall = std::max(longestStall, stall);
    state.PauseTiming();
    ticks.stop();
    state.ResumeTiming();
  }
  state.counters["stall_ms"] = longestStall;
}

void BaselineOwnHelpFile(benchmark::State& state) {
  open(state, kHelpFile);
}

void HostileFile(benchmark::State& state, const std::string& name) {
  open(state, name.find('/') == std::string::npos ? folder() / name : std::filesystem::path(name));
}

BENCHMARK(BaselineOwnHelpFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(HostileFile, tables_3000_deep, std::string(VANTRO_HOSTILE_TABLES))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(HostileFile, lists_20000_deep, std::string(VANTRO_HOSTILE_LISTS))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(HostileFile, truncated, std::string("truncated.chm"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(HostileFile, bit_flipped, std::string("flipped.chm"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(HostileFile, huge_sparse, std::string("huge.chm"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(HostileFile, link_to_dev_zero, std::string("zeros.chm"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(HostileFile, fifo, std::string("pipe.chm"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char* argv[]) {
  return vantro::bench::runWidgetBenchmarks(argc, argv);
}
