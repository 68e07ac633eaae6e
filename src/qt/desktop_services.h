#pragma once
// The desktop's URL handler and its other programs, for the About window.

#include "ui/services.h"

namespace vantro::qt {

class QtUrlOpener : public ui::UrlOpener {
 public:
  void openUrl(const std::string& url) override;
};

class QtProgramLauncher : public ui::ProgramLauncher {
 public:
  std::filesystem::path findProgram(const std::string& name) const override;
  bool startDetached(const std::filesystem::path& program,
                     const std::vector<std::string>& arguments) override;
};

}  // namespace vantro::qt
