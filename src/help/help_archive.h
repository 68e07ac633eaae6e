#pragma once
// A read-only archive of named files, the form in which the help pages reach the viewer.

#include <filesystem>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::help {

class HelpArchive {
 public:
  virtual ~HelpArchive() = default;
  // The contents of the file at `path` ("/html Docs/index.htm"), looked up without regard to
  // case; nothing when the archive has no such file or cannot give it.
  virtual std::optional<std::string> read(std::string_view path) const = 0;
  // Every file of the archive, by its path as stored, in the archive's order.
  virtual const std::vector<std::string>& paths() const = 0;
};

// A compiled HTML help file being read by chmlib in a child process, which hands every file
// of the archive over at once: a file that makes chmlib crash or hang is refused instead of
// taking the program with it.
//
// The child is started by startChmReading and waited for by finish, which may run on another
// thread. Start it on the thread that owns the program's state (the GUI thread): a child
// forked from a thread while another holds a lock inside the allocator would wait on that
// lock for ever.
class ChmReading {
 public:
  ChmReading() = default;
  ChmReading(ChmReading&& other) noexcept;
  ChmReading& operator=(ChmReading&& other) noexcept;
  // Ends the child if it still runs.
  ~ChmReading();

  // The archive, or nothing when the file is damaged in a way that would make reading it
  // unsafe or useless, or the child has not answered within `timeoutMilliseconds`. A stop
  // requested through `stop` (from any thread) ends the child and the call at once, with
  // nothing. Once only.
  std::unique_ptr<HelpArchive> finish(int timeoutMilliseconds = 10000,
                                      const std::stop_token& stop = {});

 private:
  friend ChmReading startChmReading(const std::filesystem::path& file);
  void end();

  int child_ = -1;
  int fromChild_ = -1;
};

// Nothing to finish when the path is no regular file or no child could be started.
ChmReading startChmReading(const std::filesystem::path& file);

// Both at once, on the calling thread.
std::unique_ptr<HelpArchive> openChmArchive(const std::filesystem::path& file,
                                            int timeoutMilliseconds = 10000,
                                            const std::stop_token& stop = {});

// The same archive read by chmlib in this process, file by file on demand. For the child
// above and for fuzzing chmlib itself.
std::unique_ptr<HelpArchive> openChmArchiveInProcess(const std::filesystem::path& file);

}  // namespace vantro::help
