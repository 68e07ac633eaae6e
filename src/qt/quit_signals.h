#pragma once
// Asked from outside to end (SIGTERM, SIGHUP, SIGINT, or the end of the desktop session), the
// program closes its main window as the user would, so that the window's close handling runs
// and saves its position. While the splash window shows, the request waits for the main
// window, which opens next. Before that there is nothing to save: a signal then ends the
// program as it would without this.

#include <QObject>
#include <csignal>

class QSocketNotifier;

namespace vantro::qt {

class QtApplication;

class QuitSignals : public QObject {
 public:
  // One per process, created after the QApplication. Signals the process ignores (started
  // under nohup, for instance) stay ignored.
  explicit QuitSignals(QtApplication& services);
  ~QuitSignals() override;
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

 private:
  void signalArrived();
  void endFor(int signalNumber);
  void closeMainWindow();

  QtApplication& services_;
  QSocketNotifier* notifier_ = nullptr;
  struct sigaction previous_[3] = {};
  bool installed_[3] = {};
};

}  // namespace vantro::qt
