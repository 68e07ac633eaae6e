#include "ui/module1.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/controls.h"
#include "ui/info/frm_splash.h"

namespace vantro::ui {

namespace {

constexpr const char* kSecondCopyMessage =
    "Another Vantro Calculator already running, will quit this program.";

// Positions are kept in single precision; a value beyond its range (no real window is there)
// is pinned to the range's end rather than converted with undefined behaviour.
float asSingle(double twips) {
  constexpr double kLargest = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(std::isnan(twips) ? 0.0 : twips, -kLargest, kLargest));
}

}  // namespace

Module1::Module1(Application& app, MessageBoxService& messages, HelpViewer& help)
    : app_(app), messages_(messages), help_(help) {}

void Module1::Main() {
  if (app_.previousInstance()) {
    messages_.show(kSecondCopyMessage);
    app_.endNow();
    return;
  }
  const std::filesystem::path folder = app_.programFolder();
  settingsPaths_ =
      core::chooseSettingsPaths(folder, app_.userConfigFolder(), core::isWritableFolder(folder));
  RunSplashSequence(app_);
  app_.showMainWindow();
}

void Module1::ReadSettings() {
  keptLines_.clear();
  readStatus_ = core::SettingsReadStatus::Missing;
  if (settingsPaths_.read.empty()) return;
  core::SettingsReadResult result = core::readSettingsFile(settingsPaths_.read);
  readStatus_ = result.status;
  keptLines_ = std::move(result.lines);
  core::applySettingsLines(keptLines_, values_);
}

void Module1::WriteSettings(const FormWindow& window) {
  // A file we could not read may hold more than we know: never replace it with less.
  if (settingsPaths_.write.empty() || readStatus_ == core::SettingsReadStatus::Unreadable) return;
  const std::string content = core::formatSettingsFile(asSingle(window.left()),
                                                       asSingle(window.top()), values_, keptLines_);
  core::writeFileAtomically(settingsPaths_.write, content);
}

}  // namespace vantro::ui
