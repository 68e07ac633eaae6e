// Opening the help file in the program's help window.

#include "ui/module1.h"

namespace vantro::ui {

namespace {

// Help is a convenience: whatever goes wrong in opening it, the calculator goes on as it was.
template <typename Call>
void ignoringErrors(Call call) {
  try {
    call();
  } catch (...) {
  }
}

}  // namespace

void Module1::ShowHelpTopic(const std::filesystem::path& helpFile, const std::string& topic) {
  ignoringErrors([&] { help_.showTopic(helpFile, topic); });
}

void Module1::ShowHelpContents(const std::filesystem::path& helpFile) {
  ignoringErrors([&] { help_.showContents(helpFile); });
}

void Module1::OpenHelpPage(const std::string& page) {
  std::string topic = "/html Docs/";
  topic += page;
  ShowHelpTopic(HelpFilePath(), topic);
}

std::filesystem::path Module1::HelpFilePath() const {
  return app_.programFolder() / "CalcHelp.chm";
}

}  // namespace vantro::ui
