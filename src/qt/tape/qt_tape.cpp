#include "qt/tape/qt_tape.h"

#include <chrono>
#include <fstream>
#include <system_error>

#include "qt/placement_beside.h"
#include "qt/tape/tape_window.h"

namespace vantro::qt {

namespace {

// Its presence says the user turned recording off.
constexpr const char* kRecordingOffFile = "recording-off";

std::int64_t nowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace

QtTape::QtTape(QWidget& calculator, const std::filesystem::path& folder)
    : folder_(folder), calculator_(calculator) {
  if (folder_.empty()) {
    problem_ = "The tape has no folder to be kept in: set HOME or XDG_DATA_HOME.";
    return;
  }
  std::error_code error;
  recording_ = !std::filesystem::exists(folder_ / kRecordingOffFile, error);
  store_ = std::make_unique<core::tape::TapeStore>(folder_);
  loading_ = std::async(std::launch::async, [store = store_.get()] { return store->load(); });
}

QtTape::~QtTape() {
  if (loading_.valid()) loading_.wait();
}

void QtTape::finishLoading() {
  if (!loading_.valid()) return;
  core::tape::Loaded loaded = loading_.get();
  lines_ = std::move(loaded.entries);
  problem_ = std::move(loaded.problem);
}

void QtTape::record(core::tape::Entry entry) {
  if (stopped_ || !recording_) return;
  finishLoading();
  entry.timeMs = nowMs();
  if (store_ && !store_->append(entry)) {
    problem_ = "The tape could not be written in " + folder_.string() +
               ": this session's lines are not kept.";
    store_.reset();
  }
  lines_.push_back(std::move(entry));
  // As on disk, the oldest lines fall off a segment at a time.
  const core::tape::Limits limits;
  if (lines_.size() > limits.maxEntries + limits.entriesPerSegment) {
    lines_.erase(lines_.begin(),
                 lines_.begin() + static_cast<std::ptrdiff_t>(lines_.size() - limits.maxEntries));
  }
  if (window_) window_->lineAdded();
}

void QtTape::showTape() {
  if (stopped_) return;
  if (!window_) {
    window_ = std::make_unique<TapeWindow>(*this);
    for (QAction* action : windowActions_) window_->addAction(action);
  }
  if (!window_->isVisible()) placeBesideCalculator(*window_, calculator_);
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void QtTape::stop() {
  stopped_ = true;
  if (window_) window_->close();
}

void QtTape::recall(const core::tape::Entry& line) {
  if (stopped_ || !recall_) return;
  recall_(line);
  calculator_.raise();
  calculator_.activateWindow();
}

void QtTape::setRecording(bool on) {
  recording_ = on;
  if (folder_.empty()) return;
  std::error_code error;
  if (on) {
    std::filesystem::remove(folder_ / kRecordingOffFile, error);
  } else {
    std::filesystem::create_directories(folder_, error);
    std::ofstream(folder_ / kRecordingOffFile) << "Calculations are not recorded.\n";
  }
}

bool QtTape::clear() {
  finishLoading();
  if (store_ && !store_->clear()) return false;
  lines_.clear();
  return true;
}

}  // namespace vantro::qt
