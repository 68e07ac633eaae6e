#pragma once
// An archive held in memory, for help file readers' tests: files by path, in the given order.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "help/help_archive.h"

namespace vantro::help {

class FilesArchive : public HelpArchive {
 public:
  explicit FilesArchive(const std::vector<std::pair<std::string, std::string>>& files) {
    for (const auto& [path, contents] : files) {
      paths_.push_back(path);
      files_[path] = contents;
    }
  }
  std::optional<std::string> read(std::string_view path) const override {
    const auto found = files_.find(std::string(path));
    if (found == files_.end()) return std::nullopt;
    return found->second;
  }
  const std::vector<std::string>& paths() const override { return paths_; }

  static std::string page(const std::string& title, const std::string& text) {
    return "<html><head><title>" + title + "</title></head><body><p>" + text + "</p></body></html>";
  }

 private:
  std::vector<std::string> paths_;
  std::map<std::string, std::string> files_;
};

}  // namespace vantro::help
