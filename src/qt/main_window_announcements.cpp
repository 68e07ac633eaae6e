#include "qt/main_window_announcements.h"

#include <QTimer>

#include "qt/code_points.h"
#include "ui/keypad/messages.h"

namespace vantro::qt {

namespace {

bool isFailureMessage(const std::string& caption) {
  for (const char* message :
       {ui::kDivideByZeroMessage, ui::kOverflowMessage, ui::kSqrtDomainMessage}) {
    if (caption == message) return true;
  }
  return false;
}

}  // namespace

ResultAnnouncements::ResultAnnouncements(QWidget& window, ui::TextBox& display,
                                         ui::Label& statusBar)
    : announcer_(*new Announcer(window)),  // the window owns it
      display_(*this, display),
      statusBar_(*this, statusBar) {}

void ResultAnnouncements::Display::setText(const std::string& text) {
  box_.setText(text);
  owner_.written(false);
}

void ResultAnnouncements::Display::setSelectedText(const std::string& text) {
  box_.setSelectedText(text);
  owner_.written(false);
}

void ResultAnnouncements::StatusBar::setCaption(const std::string& caption) {
  label_.setCaption(caption);
  owner_.written(true);
}

void ResultAnnouncements::written(bool status) {
  if (status)
    statusWritten_ = true;
  else
    displayWritten_ = true;
  if (turnEndPending_) return;
  turnEndPending_ = true;
  QTimer::singleShot(0, &announcer_, [this] { endOfTurn(); });
}

void ResultAnnouncements::endOfTurn() {
  const bool announce = statusWritten_;
  const bool withDisplay = displayWritten_;
  turnEndPending_ = statusWritten_ = displayWritten_ = false;
  const std::string status = statusBar_.caption();
  if (!announce || status.empty()) return;
  QString sentence = fromUtf8(status).trimmed();
  if (withDisplay && !isFailureMessage(status))
    sentence += QStringLiteral(", ") + fromUtf8(display_.text());
  announcer_.announce(sentence);
}

}  // namespace vantro::qt
