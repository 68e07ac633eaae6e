// The compiled HTML help file read through chmlib, after our own checks of its structures.
#include <chm_lib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <system_error>

#include "help/chm_layout.h"
#include "help/help_archive.h"
#include "help/text_case.h"

namespace vantro::help {
namespace {

// No page, picture or table of contents of a help file comes near this; a larger object is
// refused rather than decompressed.
constexpr LONGUINT64 kMaxObjectLength = 16u << 20;

struct ChmCloser {
  void operator()(chmFile* file) const { chm_close(file); }
};

int collectPath(chmFile*, chmUnitInfo* unit, void* context) {
  static_cast<std::vector<std::string>*>(context)->emplace_back(unit->path);
  return CHM_ENUMERATOR_CONTINUE;
}

class ChmArchive final : public HelpArchive {
 public:
  explicit ChmArchive(chmFile* file) : file_(file) {
    chm_enumerate(file, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectPath, &paths_);
    for (const std::string& path : paths_) byKey_.emplace(foldCase(path), path);
  }

  std::optional<std::string> read(std::string_view path) const override {
    const auto found = byKey_.find(foldCase(path));
    if (found == byKey_.end()) return std::nullopt;
    chmUnitInfo unit{};
    if (chm_resolve_object(file_.get(), found->second.c_str(), &unit) != CHM_RESOLVE_SUCCESS)
      return std::nullopt;
    if (unit.length > kMaxObjectLength) return std::nullopt;
    std::string contents(static_cast<std::size_t>(unit.length), '\0');
    if (unit.length == 0) return contents;
    const LONGINT64 got =
        chm_retrieve_object(file_.get(), &unit, reinterpret_cast<unsigned char*>(contents.data()),
                            0, static_cast<LONGINT64>(unit.length));
    if (got != static_cast<LONGINT64>(unit.length)) return std::nullopt;
    return contents;
  }

  const std::vector<std::string>& paths() const override { return paths_; }

 private:
  std::unique_ptr<chmFile, ChmCloser> file_;
  std::vector<std::string> paths_;
  std::map<std::string, std::string, std::less<>> byKey_;
};

std::optional<std::string> wholeFile(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  const auto size = std::filesystem::file_size(file, error);
  if (error || size > kMaxChmFileSize) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() > kMaxChmFileSize) return std::nullopt;
  return bytes;
}

}  // namespace

std::unique_ptr<HelpArchive> openChmArchiveInProcess(const std::filesystem::path& file) {
  const auto bytes = wholeFile(file);
  if (!bytes || !chmLayoutIsSound(*bytes)) return nullptr;
  chmFile* handle = chm_open(file.c_str());
  if (!handle) return nullptr;
  return std::make_unique<ChmArchive>(handle);
}

}  // namespace vantro::help
