#pragma once
// Start-up and the settings file: the program-wide procedures and values.

#include <filesystem>
#include <string>
#include <vector>

#include "core/settings_file.h"
#include "services.h"

namespace vantro::ui {

class FormWindow;

class Module1 {
 public:
  Module1(Application& app, MessageBoxService& messages, HelpViewer& help);

  // The entry point: refuses a second copy, chooses the settings file, shows the splash
  // window for a moment, then the main window.
  void Main();

  // Reads the settings file into the values below (the caller presets the two positions).
  void ReadSettings();
  // Writes the settings file with the window's current position and the lines read at start.
  // Nothing is written when the file read at start exists but could not be read.
  void WriteSettings(const FormWindow& window);

  // The help file, opened at one topic ("/html Docs/License_Agreement.htm"), at its contents,
  // or at a page of the "html Docs" folder. Whatever fails, nothing happens and nothing shows.
  void ShowHelpTopic(const std::filesystem::path& helpFile, const std::string& topic);
  void ShowHelpContents(const std::filesystem::path& helpFile);
  void OpenHelpPage(const std::string& page);
  // The help file in the program's folder.
  std::filesystem::path HelpFilePath() const;

  core::SettingsValues& values() { return values_; }
  const core::SettingsPaths& settingsPaths() const { return settingsPaths_; }
  void setSettingsPaths(core::SettingsPaths paths) { settingsPaths_ = std::move(paths); }
  const std::filesystem::path& helpFile() const { return helpFile_; }
  void setHelpFile(std::filesystem::path path) { helpFile_ = std::move(path); }
  Application& app() { return app_; }
  MessageBoxService& messages() { return messages_; }
  // The tape the calculations go to; none (nullptr) records nothing.
  TapeRecorder* tape() { return tape_; }
  void setTape(TapeRecorder* tape) { tape_ = tape; }

 private:
  Application& app_;
  MessageBoxService& messages_;
  HelpViewer& help_;
  TapeRecorder* tape_ = nullptr;
  core::SettingsPaths settingsPaths_;
  std::filesystem::path helpFile_;
  std::vector<std::string> keptLines_;
  core::SettingsReadStatus readStatus_ = core::SettingsReadStatus::Missing;
  core::SettingsValues values_;
};

}  // namespace vantro::ui
