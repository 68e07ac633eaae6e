#pragma once
// The platform services of the logic, on Qt and POSIX.

#include <filesystem>
#include <memory>

#include "qt/instance_lock.h"
#include "ui/module1.h"
#include "ui/services.h"

namespace vantro::qt {

class MainProgram;

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

  bool ended() const { return ended_; }
  MainProgram* program() const { return program_.get(); }

 private:
  std::filesystem::path programFile_;
  ui::Module1* module_ = nullptr;
  InstanceLock lock_;
  std::unique_ptr<MainProgram> program_;
  bool ended_ = false;
};

}  // namespace vantro::qt
