#pragma once
// A loaded main window on the in-memory controls, with platform services that only record what
// the logic asks of them: for the logic's tests, benchmarks and fuzz targets.

#include <filesystem>
#include <string>
#include <vector>

#include "ui/event_sink.h"
#include "ui/form1.h"
#include "ui/module1.h"
#include "ui/testing/memory_window.h"

namespace vantro::ui::testing {

class FakeApplication : public Application {
 public:
  std::filesystem::path programFolder() const override { return folder; }
  std::filesystem::path userConfigFolder() const override { return folder / "user-config"; }
  bool previousInstance() override { return anotherCopyRuns; }
  void showMainWindow() override { ++windowsShown; }
  void endNow() override { ++ends; }
  core::NumberLocale numberLocale() const override { return locale; }

  std::filesystem::path folder;
  core::NumberLocale locale;  // English: "." "," "$"
  bool anotherCopyRuns = false;
  int windowsShown = 0;
  int ends = 0;
};

// Records what help was asked for.
class RecordedHelp : public HelpViewer {
 public:
  void showContents(const std::filesystem::path& helpFile) override {
    opened.push_back(helpFile.string());
  }
  void showTopic(const std::filesystem::path& helpFile, const std::string& topic) override {
    opened.push_back(helpFile.string() + "::" + topic);
  }
  std::vector<std::string> opened;
};

class RecordedMessages : public MessageBoxService {
 public:
  void show(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

// The window as the program opens it: Load has run and the display has the focus.
class LoadedForm {
 public:
  LoadedForm() : LoadedForm(std::filesystem::path()) {}
  // With a program folder, Main runs first and the settings file there is read.
  explicit LoadedForm(const std::filesystem::path& programFolder, double left = 1500,
                      double top = 1200)
      : module(app, messages, help), form(window.controls(), module), events(form) {
    window.attach(&events);
    window.form().move(left, top);
    if (!programFolder.empty()) {
      app.folder = programFolder;
      module.Main();
    }
    raise(form, ControlId::Form1, Event::Load);
    window.focus(ControlId::Text1);
  }

  const Form1State& state() const { return form.state(); }
  std::string display() { return window.text(ControlId::Text1); }
  std::string status() { return window.caption(ControlId::Label4); }

  FakeApplication app;
  RecordedMessages messages;
  RecordedHelp help;
  Module1 module;
  MemoryWindow window;
  Form1 form;
  Form1Events events;
};

}  // namespace vantro::ui::testing
