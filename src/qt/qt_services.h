#pragma once
// The platform services of the logic, on Qt and POSIX.

#include <filesystem>
#include <memory>

#include "qt/desktop_services.h"
#include "qt/instance_lock.h"
#include "ui/module1.h"
#include "ui/services.h"

namespace vantro::qt {

class MainProgram;
class SplashWindow;
class AboutWindow;

// A modal box with the application's title, the text, an OK button and no icon, over the
// active window.
class QtMessageBox : public ui::MessageBoxService {
 public:
  void show(const std::string& text) override;
};

class QtApplication : public ui::Application {
 public:
  // `programFile`: the program's own file (its folder holds the settings; its path keys the
  // single-instance lock). Tests pass a file in a temporary folder.
  explicit QtApplication(std::filesystem::path programFile);
  ~QtApplication() override;

  // The module whose window showMainWindow() opens.
  void attachModule(ui::Module1& module) { module_ = &module; }

  std::filesystem::path programFolder() const override;
  std::filesystem::path userConfigFolder() const override;
  bool previousInstance() override;
  void showMainWindow() override;
  void endNow() override;
  core::NumberLocale numberLocale() const override;
  // The project's version and release date, from the build.
  ui::ProgramVersion version() const override;
  ui::FrmSplash& splashWindow() override;
  // The About window needs the main window, which it disables while it is open.
  ui::FrmAbout& aboutWindow() override;

  bool ended() const { return ended_; }
  // Between the splash window's start and the main window's opening.
  bool starting() const { return splash_ && !program_ && !ended_; }
  MainProgram* program() const { return program_.get(); }
  SplashWindow* splash() const { return splash_.get(); }
  AboutWindow* about() const { return about_.get(); }

 private:
  std::filesystem::path programFile_;
  ui::Module1* module_ = nullptr;
  InstanceLock lock_;
  std::unique_ptr<MainProgram> program_;
  QtUrlOpener urls_;
  QtProgramLauncher programs_;
  // After the main window, which the About window refers to, so that they go first.
  std::unique_ptr<SplashWindow> splash_;
  std::unique_ptr<AboutWindow> about_;
  bool ended_ = false;
};

}  // namespace vantro::qt
