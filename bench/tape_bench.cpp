// The tape's cost to the calculator: appending one entry after a calculation, against encoding it
// alone and against write(2) of the same bytes to /dev/null and to a file opened for appending,
// all in the same run; appending 100,000 entries to an empty tape; loading a full tape of
// 100,000 entries, against reading its files' bytes alone. For example:
//   tape_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/tape/tape_format.h"
#include "core/tape/tape_store.h"

namespace {

namespace fs = std::filesystem;
namespace tape = vantro::core::tape;

constexpr int kFullTape = 100000;

// A monthly loan payment as the calculator records it.
tape::Entry paymentEntry(std::int64_t time) {
  tape::Entry entry;
  entry.timeMs = time;
  entry.kind = tape::EntryKind::Financial;
  entry.operation = "PMT";
  entry.text = "PMT: Interest 0.5833333 %, NPer 360, PV 150000, FV 0, End -> -997.95";
  entry.inputs = {{"Interest", 0.07 / 12}, {"NPer", 360}, {"PV", 150000}, {"FV", 0}};
  entry.decimals = 2;
  entry.result = -997.9537700129506;
  entry.shown = "-997.95";
  return entry;
}

// A folder of its own for one benchmark, removed at the end.
class BenchFolder {
 public:
  explicit BenchFolder(const std::string& name)
      : path_(fs::temp_directory_path() / ("tape-bench-" + std::to_string(::getpid()) + name)) {
    fs::remove_all(path_);
  }
  ~BenchFolder() { fs::remove_all(path_); }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

void BaselineEncode(benchmark::State& state) {
  std::int64_t time = 0;
  for (auto _ : state) benchmark::DoNotOptimize(tape::encodeEntry(paymentEntry(++time)));
}

void writeLines(benchmark::State& state, int descriptor, bool restartEvery10000) {
  std::int64_t time = 0;
  for (auto _ : state) {
    const std::string line = tape::encodeEntry(paymentEntry(++time)) + "\n";
    benchmark::DoNotOptimize(::write(descriptor, line.data(), line.size()));
    if (restartEvery10000 && time % 10000 == 0)
      benchmark::DoNotOptimize(::ftruncate(descriptor, 0));
  }
}

void BaselineEncodeAndWriteDevNull(benchmark::State& state) {
  const int descriptor = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  writeLines(state, descriptor, false);
  ::close(descriptor);
}

// The least an append can cost: the same line written to a file kept open for appending.
void BaselineEncodeAndWriteFile(benchmark::State& state) {
  const BenchFolder folder("write");
  fs::create_directories(folder.path());
  const int descriptor =
      ::open((folder.path() / "lines").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  writeLines(state, descriptor, true);
  ::close(descriptor);
}

// Steady state: segments fill, new ones start and the oldest fall off as in a long use.
void AppendOne(benchmark::State& state) {
  const BenchFolder folder("append");
  tape::TapeStore store(folder.path());
  store.load();
  std::int64_t time = 0;
  for (auto _ : state) {
    if (!store.append(paymentEntry(++time))) state.SkipWithError("append failed");
  }
}

void Append100000(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    {
      const BenchFolder folder("fill");
      tape::TapeStore store(folder.path());
      store.load();
      state.ResumeTiming();
      for (int i = 0; i < kFullTape; ++i) {
        if (!store.append(paymentEntry(i))) state.SkipWithError("append failed");
      }
      state.PauseTiming();  // the folder's removal is not counted
    }
    state.ResumeTiming();
  }
}

const BenchFolder& fullTape() {
  static const BenchFolder folder("full");
  static const bool filled = [] {
    tape::TapeStore store(folder.path());
    store.load();
    for (int i = 0; i < kFullTape; ++i) store.append(paymentEntry(i));
    return true;
  }();
  (void)filled;
  return folder;
}

void BaselineReadFull(benchmark::State& state) {
  const fs::path& path = fullTape().path();
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (const auto& file : fs::directory_iterator(path)) {
      std::ifstream in(file.path(), std::ios::binary);
      bytes += std::string(std::istreambuf_iterator<char>(in), {}).size();
    }
    benchmark::DoNotOptimize(bytes);
  }
}

void LoadFull(benchmark::State& state) {
  const fs::path& path = fullTape().path();
  for (auto _ : state) {
    const tape::Loaded loaded = tape::TapeStore(path).load();
    if (loaded.entries.size() != kFullTape) state.SkipWithError("the tape did not load whole");
    benchmark::DoNotOptimize(loaded.entries.data());
  }
}

}  // namespace

BENCHMARK(BaselineEncode);
BENCHMARK(BaselineEncodeAndWriteDevNull);
BENCHMARK(BaselineEncodeAndWriteFile);
BENCHMARK(AppendOne);
BENCHMARK(Append100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BaselineReadFull)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadFull)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
