#include "qt/quit_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstdio>

#include "qt/main_program.h"
#include "qt/qt_services.h"

namespace vantro::qt {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The handler may only make async-signal-safe calls: it writes the signal's number into a
// socket whose other end the event loop watches. [0] is read, [1] is written.
int wakeUp[2] = {-1, -1};

void onQuitSignal(int signalNumber) {
  const int savedErrno = errno;
  const auto byte = static_cast<unsigned char>(signalNumber);
  // Non-blocking: when the socket is full, signals are already waiting to be handled.
  [[maybe_unused]] const ssize_t written = ::write(wakeUp[1], &byte, 1);
  errno = savedErrno;
}

}  // namespace

QuitSignals::QuitSignals(QtApplication& services) : services_(services) {
  static_assert(std::size(kSignals) == std::size(decltype(previous_){}));
  connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this] { closeMainWindow(); });
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, wakeUp) != 0) {
    std::perror("vantro-calculator: signals end the program without saving");
    return;
  }
  notifier_ = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { signalArrived(); });
  struct sigaction action {};
  action.sa_handler = onQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    if (::sigaction(kSignals[i], nullptr, &previous_[i]) != 0 || previous_[i].sa_handler == SIG_IGN)
      continue;
    installed_[i] = ::sigaction(kSignals[i], &action, nullptr) == 0;
  }
}

QuitSignals::~QuitSignals() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    if (installed_[i]) ::sigaction(kSignals[i], &previous_[i], nullptr);
  }
  if (wakeUp[0] < 0) return;
  delete notifier_;
  ::close(wakeUp[0]);
  ::close(wakeUp[1]);
  wakeUp[0] = wakeUp[1] = -1;
}

void QuitSignals::signalArrived() {
  unsigned char byte = 0;
  int last = 0;
  while (::read(wakeUp[0], &byte, 1) == 1) last = byte;
  if (last != 0) endFor(last);
}

void QuitSignals::endFor(int signalNumber) {
  if (services_.ended()) return;
  if (services_.program()) {
    closeMainWindow();
    return;
  }
  // While the splash shows, the main window is about to open: the request waits for it.
  if (services_.starting()) {
    QTimer::singleShot(50, this, [this, signalNumber] { endFor(signalNumber); });
    return;
  }
  // No window yet, so nothing to save: the signal does what it would have done.
  ::signal(signalNumber, SIG_DFL);
  ::raise(signalNumber);
}

void QuitSignals::closeMainWindow() {
  if (MainProgram* program = services_.program(); program && !services_.ended()) {
    program->window().close();
  }
}

}  // namespace vantro::qt
