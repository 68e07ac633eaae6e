// The help file read by chmlib in a child process. chmlib is a C library that trusts the
// compressed data it decodes; the checks in chm_layout keep it from the faults known to us,
// and this keeps whatever remains (a crash, a hang) out of the program.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <map>
#include <utility>

#include "help/help_archive.h"
#include "help/text_case.h"

namespace vantro::help {
namespace {

// All the files of an archive together; a help file holds a few megabytes at most.
constexpr std::uint64_t kMaxArchiveBytes = 256u << 20;

class MemoryArchive final : public HelpArchive {
 public:
  void add(std::string path, std::optional<std::string> contents) {
    if (contents) byKey_.emplace(foldCase(path), std::move(*contents));
    paths_.push_back(std::move(path));
  }
  std::optional<std::string> read(std::string_view path) const override {
    const auto found = byKey_.find(foldCase(path));
    if (found == byKey_.end()) return std::nullopt;
    return found->second;
  }
  const std::vector<std::string>& paths() const override { return paths_; }

 private:
  std::vector<std::string> paths_;
  std::map<std::string, std::string, std::less<>> byKey_;
};

// The child's message: for each file, its path's length (8 bytes), its path, 1 when it could
// be read, then its length (8 bytes) and its bytes.
void appendNumber(std::string& out, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) out += static_cast<char>(value >> (8 * i));
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool childReads(const std::filesystem::path& file, int out) {
  const auto archive = openChmArchiveInProcess(file);
  if (!archive) return false;
  std::string message;
  std::uint64_t total = 0;
  for (const std::string& path : archive->paths()) {
    const auto contents = archive->read(path);
    appendNumber(message, path.size());
    message += path;
    message += contents ? '\1' : '\0';
    if (contents) {
      total += contents->size();
      if (total > kMaxArchiveBytes) return false;
      appendNumber(message, contents->size());
      message += *contents;
    }
  }
  return writeAll(out, message);
}

// Never returns: the child must not go back into the code that called openChmArchive.
[[noreturn]] void runChild(const std::filesystem::path& file, int out) noexcept {
  int status = 1;
  try {
    status = childReads(file, out) ? 0 : 1;
  } catch (...) {
  }
  ::_exit(status);
}

struct FileDescriptor {
  int fd;
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
};

class MessageReader {
 public:
  explicit MessageReader(std::string_view message) : rest_(message) {}
  bool atEnd() const { return rest_.empty(); }
  std::optional<std::uint64_t> number() {
    if (rest_.size() < 8) return std::nullopt;
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(rest_[i]);
    rest_.remove_prefix(8);
    return value;
  }
  std::optional<std::string_view> bytes(std::uint64_t length) {
    if (rest_.size() < length) return std::nullopt;
    const std::string_view taken = rest_.substr(0, length);
    rest_.remove_prefix(length);
    return taken;
  }

 private:
  std::string_view rest_;
};

std::unique_ptr<HelpArchive> archiveOfMessage(std::string_view message) {
  auto archive = std::make_unique<MemoryArchive>();
  MessageReader reader(message);
  while (!reader.atEnd()) {
    const auto pathLength = reader.number();
    const auto path = pathLength ? reader.bytes(*pathLength) : std::nullopt;
    const auto readable = path ? reader.bytes(1) : std::nullopt;
    if (!readable) return nullptr;
    std::optional<std::string> contents;
    if ((*readable)[0] == '\1') {
      const auto length = reader.number();
      const auto data = length ? reader.bytes(*length) : std::nullopt;
      if (!data) return nullptr;
      contents = std::string(*data);
    }
    archive->add(std::string(*path), std::move(contents));
  }
  return archive;
}

// Reads the child's whole message, or nothing once the deadline has passed, a stop was
// signalled on `stopped` or the message grows past any archive's size.
std::optional<std::string> readMessage(int in, int stopped, int timeoutMilliseconds) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
  std::string message;
  char buffer[65536];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd ready[2]{{in, POLLIN, 0}, {stopped, POLLIN, 0}};
    const int polled = ::poll(ready, 2, static_cast<int>(left.count()));
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0 || ready[1].revents != 0) return std::nullopt;
    const ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) return message;
    message.append(buffer, static_cast<std::size_t>(got));
    if (message.size() > 2 * kMaxArchiveBytes) return std::nullopt;
  }
}

}  // namespace

ChmReading::ChmReading(ChmReading&& other) noexcept
    : child_(std::exchange(other.child_, -1)), fromChild_(std::exchange(other.fromChild_, -1)) {}

ChmReading& ChmReading::operator=(ChmReading&& other) noexcept {
  if (this != &other) {
    end();
    child_ = std::exchange(other.child_, -1);
    fromChild_ = std::exchange(other.fromChild_, -1);
  }
  return *this;
}

ChmReading::~ChmReading() {
  end();
}

void ChmReading::end() {
  if (fromChild_ >= 0) ::close(std::exchange(fromChild_, -1));
  if (child_ > 0) {
    ::kill(child_, SIGKILL);
    while (::waitpid(child_, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  child_ = -1;
}

ChmReading startChmReading(const std::filesystem::path& file) {
  ChmReading reading;
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return reading;
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return reading;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    return reading;
  }
  if (child == 0) {
    ::close(pipeEnds[0]);
    runChild(file, pipeEnds[1]);
  }
  ::close(pipeEnds[1]);
  reading.child_ = child;
  reading.fromChild_ = pipeEnds[0];
  return reading;
}

std::unique_ptr<HelpArchive> ChmReading::finish(int timeoutMilliseconds,
                                                const std::stop_token& stop) {
  if (child_ <= 0) return nullptr;
  // Closed only after the callback that writes to it is gone.
  const FileDescriptor stopped{::eventfd(0, EFD_CLOEXEC)};
  if (stopped.fd < 0) return nullptr;
  const std::stop_callback signalStop(stop, [fd = stopped.fd] {
    const std::uint64_t one = 1;
    (void)!::write(fd, &one, sizeof one);
  });
  const auto message = readMessage(fromChild_, stopped.fd, timeoutMilliseconds);
  ::close(std::exchange(fromChild_, -1));
  if (!message) ::kill(child_, SIGKILL);
  int status = 0;
  while (::waitpid(child_, &status, 0) < 0 && errno == EINTR) {
  }
  child_ = -1;
  if (!message || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return nullptr;
  return archiveOfMessage(*message);
}

std::unique_ptr<HelpArchive> openChmArchive(const std::filesystem::path& file,
                                            int timeoutMilliseconds, const std::stop_token& stop) {
  return startChmReading(file).finish(timeoutMilliseconds, stop);
}

}  // namespace vantro::help
