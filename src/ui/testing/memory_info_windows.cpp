#include "ui/testing/memory_info_windows.h"

namespace vantro::ui::testing {

namespace {
constexpr double kSplashWidth = 6735;
constexpr double kSplashHeight = 4245;
constexpr double kAboutWidth = 6420;
constexpr double kAboutHeight = 4650;
}  // namespace

void MemoryInfoWindow::show() {
  if (!loaded_) return;
  visible_ = true;
  log_.push_back(name_ + " shown");
}

void MemoryInfoWindow::unload() {
  if (!loaded_) return;
  if (onUnload) onUnload();
  loaded_ = false;
  visible_ = false;
  log_.push_back(name_ + " unloaded");
}

MemorySplash::MemorySplash(Application& app, EventPump& pump, std::vector<std::string>& log)
    : window("frmSplash", kSplashWidth, kSplashHeight, log),
      form_(FrmSplashControls{window, lblProductName, lblVersion, lblReleasedDate, DesLabel1,
                              EmailLabel1, HomePageLabel1, pump},
            app) {}

void MemorySplash::type(char c) {
  int keyAscii = static_cast<unsigned char>(c);
  form_.Form_KeyPress(keyAscii);
}

std::filesystem::path FakeLauncher::findProgram(const std::string& name) const {
  if (!installed.contains(name)) return {};
  return std::filesystem::path("/usr/bin") / name;
}

bool FakeLauncher::startDetached(const std::filesystem::path& program,
                                 const std::vector<std::string>& arguments) {
  if (startFails) return false;
  std::string command = program.string();
  for (const std::string& argument : arguments) {
    command += ' ';
    command += argument;
  }
  started.push_back(command);
  return true;
}

MemoryAbout::MemoryAbout(Module1& module, FormWindow& mainWindow, UrlOpener& shell,
                         ProgramLauncher& programs, std::vector<std::string>& log)
    : window("frmAbout", kAboutWidth, kAboutHeight, log),
      form_(FrmAboutControls{window, mainWindow, lblTitle, lblVersion, lblDescription,
                             Label1Description, lblDisclaimer, HomePageLabel, Label1, EmailLabel,
                             Label2, shell, programs},
            module) {
  Label1.setForeColor(kLinkColour);
  Label2.setForeColor(kLinkColour);
  window.onUnload = [this] { form_.Form_Unload(); };
}

}  // namespace vantro::ui::testing
