#pragma once
// The program as main() builds it, for the tests that run it without the contract suite.

#include <filesystem>
#include <string>

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

}  // namespace vantro::qt::testing
