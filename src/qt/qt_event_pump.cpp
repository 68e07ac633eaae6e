#include "qt/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace vantro::qt {

// A local loop keeps the window painting and answering clicks while it waits, unlike a sleep.
// Once the program has been told to exit, a new local loop returns at once.
void QtEventPump::processEvents(int milliseconds) {
  QCoreApplication::processEvents();
  if (milliseconds <= 0) return;
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace vantro::qt
