#pragma once
// The splash and About windows in memory, with the window logic behind them, and the desktop
// services of the About window recorded: for the logic's tests.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ui/info/frm_about.h"
#include "ui/info/frm_splash.h"
#include "ui/testing/memory_controls.h"

namespace vantro::ui::testing {

// A window of its own on a screen of 1024 by 768 pixels. Showing and unloading it are written
// to `log` as "<name> shown" and "<name> unloaded".
class MemoryInfoWindow : public InfoWindow {
 public:
  static constexpr double kScreenWidth = 1024 * 15;
  static constexpr double kScreenHeight = 768 * 15;

  MemoryInfoWindow(std::string name, double width, double height, std::vector<std::string>& log)
      : name_(std::move(name)), width_(width), height_(height), log_(log) {}

  std::string caption() const override { return caption_; }
  void setCaption(const std::string& caption) override { caption_ = caption; }
  double width() const override { return width_; }
  double height() const override { return height_; }
  double left() const override { return left_; }
  double top() const override { return top_; }
  void move(double left, double top) override {
    left_ = left;
    top_ = top;
  }
  double screenWidth() const override { return kScreenWidth; }
  double screenHeight() const override { return kScreenHeight; }
  MousePointer mousePointer() const override { return pointer_; }
  void setMousePointer(MousePointer pointer) override { pointer_ = pointer; }
  bool topmost() const override { return topmost_; }
  void setTopmost(bool on) override { topmost_ = on; }
  bool loaded() const override { return loaded_; }
  bool visible() const override { return visible_; }
  void show() override;
  void unload() override;

  std::function<void()> onUnload;  // the window's Unload handler

 private:
  std::string name_;
  std::string caption_;
  double width_;
  double height_;
  double left_ = 0;
  double top_ = 0;
  MousePointer pointer_ = MousePointer::Default;
  bool topmost_ = false;
  bool loaded_ = true;
  bool visible_ = false;
  std::vector<std::string>& log_;
};

// The splash window as designed, before its Load handler has run.
class MemorySplash {
 public:
  MemorySplash(Application& app, EventPump& pump, std::vector<std::string>& log);
  FrmSplash& form() { return form_; }
  // A character key pressed while the window has the focus.
  void type(char c);

  MemoryInfoWindow window;
  MemoryLabel lblProductName{"Vantro Calculator"};
  MemoryLabel lblVersion{"Version :"};
  MemoryLabel lblReleasedDate{"Released date :"};
  MemoryLabel DesLabel1{"Description"};
  MemoryLabel EmailLabel1{"Email :"};
  MemoryLabel HomePageLabel1{"Home Page :"};

 private:
  FrmSplash form_;
};

// Records the addresses it is asked to open.
class RecordedUrls : public UrlOpener {
 public:
  void openUrl(const std::string& url) override { opened.push_back(url); }
  std::vector<std::string> opened;
};

// A search path holding the programs named in `installed`, each found at "/usr/bin/<name>".
class FakeLauncher : public ProgramLauncher {
 public:
  std::filesystem::path findProgram(const std::string& name) const override;
  bool startDetached(const std::filesystem::path& program,
                     const std::vector<std::string>& arguments) override;

  std::set<std::string> installed;
  bool startFails = false;
  std::vector<std::string> started;  // program and arguments, joined by spaces
};

// The About window as designed, before its Load handler has run.
class MemoryAbout {
 public:
  MemoryAbout(Module1& module, FormWindow& mainWindow, UrlOpener& shell, ProgramLauncher& programs,
              std::vector<std::string>& log);
  FrmAbout& form() { return form_; }

  MemoryInfoWindow window;
  MemoryLabel lblTitle;
  MemoryLabel lblVersion;
  MemoryLabel lblDescription;
  MemoryLabel Label1Description;
  MemoryLabel lblDisclaimer;
  MemoryLabel HomePageLabel{"Home Page :"};
  MemoryLabel Label1;
  MemoryLabel EmailLabel{"Email :"};
  MemoryLabel Label2;

 private:
  FrmAbout form_;
};

}  // namespace vantro::ui::testing
