#pragma once
// A loaded main window on the in-memory controls, with platform services that only record what
// the logic asks of them: for the logic's tests, benchmarks and fuzz targets.

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "ui/event_sink.h"
#include "ui/form1.h"
#include "ui/module1.h"
#include "ui/testing/memory_info_windows.h"
#include "ui/testing/memory_window.h"

namespace vantro::ui::testing {

// The event queue of the information windows, which writes each call to the log: "events" for
// the pending events alone, "wait" for a call that also waits.
class LoggedPump : public MemoryEventPump {
 public:
  explicit LoggedPump(std::vector<std::string>& log) : log_(log) {}
  void processEvents(int milliseconds) override {
    log_.push_back(milliseconds > 0 ? "wait" : "events");
    MemoryEventPump::processEvents(milliseconds);
  }

 private:
  std::vector<std::string>& log_;
};

class FakeApplication : public Application {
 public:
  std::filesystem::path programFolder() const override { return folder; }
  std::filesystem::path userConfigFolder() const override { return folder / "user-config"; }
  bool previousInstance() override { return anotherCopyRuns; }
  void showMainWindow() override {
    ++windowsShown;
    log.push_back("Form1 shown");
  }
  void endNow() override { ++ends; }
  core::NumberLocale numberLocale() const override { return locale; }
  ProgramVersion version() const override { return programVersion; }
  FrmSplash& splashWindow() override {
    if (!splash || !splash->window.loaded()) {
      splash = std::make_unique<MemorySplash>(*this, pump, log);
      ++splashLoads;
      splash->form().Form_Load();
    }
    return splash->form();
  }
  FrmAbout& aboutWindow() override {
    if (!module || !mainWindow) throw std::logic_error("the About window needs the main window");
    if (!about || !about->window.loaded()) {
      about = std::make_unique<MemoryAbout>(*module, *mainWindow, urls, programs, log);
      about->form().Form_Load();
    }
    return about->form();
  }

  std::filesystem::path folder;
  core::NumberLocale locale;  // English: "." "," "$"
  ProgramVersion programVersion{1, 2, 0, "7th Dec 2007"};
  bool anotherCopyRuns = false;
  int windowsShown = 0;
  int ends = 0;
  int splashLoads = 0;
  // Windows shown and unloaded, the main window shown, and the information windows' events.
  std::vector<std::string> log;
  LoggedPump pump{log};
  RecordedUrls urls;
  FakeLauncher programs;
  Module1* module = nullptr;
  FormWindow* mainWindow = nullptr;
  std::unique_ptr<MemorySplash> splash;
  std::unique_ptr<MemoryAbout> about;
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

// Keeps the tape's lines in memory. Every loaded form records to one, so that each test and
// keystroke script also shows that recording changes nothing the window does.
class RecordedTape : public TapeRecorder {
 public:
  void record(core::tape::Entry entry) override { lines.push_back(std::move(entry)); }
  std::vector<core::tape::Entry> lines;
};

// The window as the program opens it: Load has run and the display has the focus.
class LoadedForm {
 public:
  LoadedForm() : LoadedForm(std::filesystem::path()) {}
  // With a program folder, Main runs first and the settings file there is read.
  explicit LoadedForm(const std::filesystem::path& programFolder, double left = 1500,
                      double top = 1200)
      : module(app, messages, help), form(window.controls(), module), events(form) {
    app.module = &module;
    app.mainWindow = &window.form();
    module.setTape(&tape);
    window.attach(&events);
    window.form().move(left, top);
    if (!programFolder.empty()) {
      app.folder = programFolder;
      module.Main();
    }
    dispatch(form, ControlId::Form1, ui::events::Load{});
    window.focus(ControlId::Text1);
  }

  const Form1State& state() const { return form.state(); }
  std::string display() { return window.text(ControlId::Text1); }
  std::string status() { return window.caption(ControlId::Label4); }

  FakeApplication app;
  RecordedMessages messages;
  RecordedHelp help;
  RecordedTape tape;
  Module1 module;
  MemoryWindow window;
  Form1 form;
  Form1Events events;
};

}  // namespace vantro::ui::testing
