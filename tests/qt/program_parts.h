#pragma once
// The program as main() builds it, for the tests that run it without the contract suite.

#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "qt/main_program.h"
#include "qt/qt_services.h"
#include "ui/module1.h"

namespace vantro::qt::testing {

struct NoHelp : ui::HelpViewer {
  void showContents(const std::filesystem::path&) override {}
  void showTopic(const std::filesystem::path&, const std::string&) override {}
};

// The program's services and logic, before its Main runs.
struct Program {
  Program(const std::filesystem::path& programFile, ui::HelpViewer& help)
      : services(programFile), module(services, messages, help) {
    services.attachModule(module);
  }

  QtApplication services;
  QtMessageBox messages;
  ui::Module1 module;
};

// The program window without the splash, in a folder of its own: the logic loaded, the window
// open.
struct OpenProgram {
  OpenProgram() { program.open(); }
  MainWindow& window() { return program.window(); }

  QTemporaryDir folder;
  NoHelp help;
  Program app{folder.path().toStdString() + "/vantro-calculator", help};
  MainProgram program{app.module};
};

}  // namespace vantro::qt::testing
