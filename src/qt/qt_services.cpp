#include "qt/qt_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QStandardPaths>
#include <QThread>
#include <cstdio>
#include <stdexcept>

#include "qt/about_window.h"
#include "qt/code_points.h"
#include "qt/main_program.h"
#include "qt/splash_window.h"
#include "qt/version_info.h"

namespace vantro::qt {

void QtMessageBox::show(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(ui::kAppTitle), fromUtf8(text),
                  QMessageBox::Ok, QApplication::activeWindow());
  // Some desktop themes put an icon on dialog buttons; the classic box has a plain OK.
  for (QAbstractButton* button : box.buttons()) button->setIcon(QIcon());
  box.exec();
}

QtApplication::QtApplication(std::filesystem::path programFile)
    : programFile_(std::move(programFile)) {}

QtApplication::~QtApplication() = default;

std::filesystem::path QtApplication::programFolder() const {
  return programFile_.parent_path();
}

std::filesystem::path QtApplication::userConfigFolder() const {
  // GenericConfigLocation is $XDG_CONFIG_HOME, else ~/.config.
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return std::filesystem::path(toUtf8(config)) / "vantro-calculator";
}

bool QtApplication::previousInstance() {
  switch (lock_.tryTake(programFile_.string())) {
    case InstanceLock::Result::Taken:
      return false;
    case InstanceLock::Result::HeldElsewhere:
      return true;
    case InstanceLock::Result::Unavailable:
      break;
  }
  // Without a lock file the rule cannot be kept; refusing to start would be worse.
  std::fprintf(stderr, "vantro-calculator: cannot open the single-instance lock file\n");
  return false;
}

void QtApplication::showMainWindow() {
  if (!module_) throw std::logic_error("QtApplication: no module attached");
  if (program_ || ended_) return;
  program_ = std::make_unique<MainProgram>(*module_);
  program_->open();
}

// The default locale is the system's unless a test has set another.
core::NumberLocale QtApplication::numberLocale() const {
  const QLocale locale;
  return {toUtf8(locale.decimalPoint()), toUtf8(locale.groupSeparator()),
          toUtf8(locale.currencySymbol(QLocale::CurrencySymbol))};
}

ui::ProgramVersion QtApplication::version() const {
  return build::programVersion();
}

// An unloaded window is replaced only here, when the logic loads it again: the logic may hold
// on to the old one until then (the splash sequence does, after a key press unloaded it).
ui::FrmSplash& QtApplication::splashWindow() {
  if (!splash_ || !splash_->widget().loaded()) {
    splash_ = std::make_unique<SplashWindow>(*this);
    splash_->form().Form_Load();
  }
  return splash_->form();
}

ui::FrmAbout& QtApplication::aboutWindow() {
  if (!module_ || !program_) throw std::logic_error("QtApplication: no main window for About");
  if (!about_ || !about_->widget().loaded()) {
    about_ = std::make_unique<AboutWindow>(*module_, program_->window().form(), urls_, programs_);
    about_->form().Form_Load();
  }
  return about_->form();
}

void QtApplication::endNow() {
  ended_ = true;
  if (program_) {
    program_->window().stopEvents();
    program_->tape().stop();
    program_->window().hide();
  }
  // Every other window closes with the program, without its handlers.
  for (InfoWindowWidget* window :
       {splash_ ? &splash_->widget() : nullptr, about_ ? &about_->widget() : nullptr}) {
    if (!window) continue;
    window->stopEvents();
    window->close();
  }
  // Before the event loop runs, main() sees ended() and returns. exit() without a running
  // loop would make every later local loop (a message box's) return at once.
  if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

}  // namespace vantro::qt
