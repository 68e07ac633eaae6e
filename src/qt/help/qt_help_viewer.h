#pragma once
// The help viewer service: opens the help file in the program's own help window.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "help/help_book.h"
#include "ui/services.h"

namespace vantro::qt {

class HelpWindow;

class QtHelpViewer final : public ui::HelpViewer {
 public:
  QtHelpViewer();
  ~QtHelpViewer() override;

  void showContents(const std::filesystem::path& helpFile) override;
  void showTopic(const std::filesystem::path& helpFile, const std::string& topicPath) override;

  // The help window once a call has opened it; null before.
  HelpWindow* window() const { return window_.get(); }

 private:
  struct OpenedFile {
    std::filesystem::path file;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;
    std::shared_ptr<const help::HelpBook> book;
  };
  // The book of `helpFile`, read again when the file changed since it was last read.
  std::shared_ptr<const help::HelpBook> bookOf(const std::filesystem::path& helpFile);
  void present(const std::shared_ptr<const help::HelpBook>& book, const std::string& page);

  std::optional<OpenedFile> opened_;
  std::unique_ptr<HelpWindow> window_;
};

}  // namespace vantro::qt
