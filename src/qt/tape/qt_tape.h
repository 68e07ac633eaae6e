#pragma once
// The tape behind the calculator: every calculation the logic records is stamped with the time,
// appended to the store on disk and kept for the Tape window, which opens on first use beside
// the calculator.

#include <QAction>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "core/tape/tape_store.h"
#include "ui/services.h"

class QWidget;

namespace vantro::qt {

class TapeWindow;

class QtTape : public ui::TapeRecorder {
 public:
  // Reads the tape kept in `folder` (none: nothing is kept on disk).
  QtTape(QWidget& calculator, const std::filesystem::path& folder);
  ~QtTape() override;

  // What Recall does with a line: the calculator puts it back.
  void setRecall(std::function<void(const core::tape::Entry&)> recall) {
    recall_ = std::move(recall);
  }
  // An action of the calculator's that keeps its shortcut in the Tape window (F1).
  void addWindowAction(QAction& action) { windowActions_.push_back(&action); }

  void record(core::tape::Entry entry) override;
  void showTape() override;
  // The main window is going: the window closes, and nothing more is recorded.
  void stop();

  const std::vector<core::tape::Entry>& lines() {
    finishLoading();
    return lines_;
  }
  // Puts the line back into the calculator, which comes to the front to go on with it.
  void recall(const core::tape::Entry& line);
  // Whether calculations are recorded; the choice is kept beside the tape.
  bool recording() const { return recording_; }
  void setRecording(bool on);
  // Removes every line; false when the files could not be removed.
  bool clear();
  // What went wrong reading or writing the tape, for the window's status line; empty if nothing.
  const std::string& problem() {
    finishLoading();
    return problem_;
  }

  TapeWindow* window() const { return window_.get(); }

 private:
  std::filesystem::path folder_;
  // Waits for the tape read at start; the lines read come before those recorded since.
  void finishLoading();

  std::unique_ptr<core::tape::TapeStore> store_;
  // A full tape takes about a tenth of a second to read: it is read beside the start-up.
  std::future<core::tape::Loaded> loading_;
  std::vector<core::tape::Entry> lines_;
  std::string problem_;
  bool recording_ = true;
  bool stopped_ = false;
  QWidget& calculator_;
  std::unique_ptr<TapeWindow> window_;
  std::vector<QAction*> windowActions_;
  std::function<void(const core::tape::Entry&)> recall_;
};

}  // namespace vantro::qt
