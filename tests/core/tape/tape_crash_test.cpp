// A writer killed with SIGKILL at a random moment: every line it finished is read back, the one
// it was writing at most is lost, and no line is misread.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <random>

#include "core/tape/tape_store.h"
#include "tape_test_support.h"

namespace vantro::test {
namespace {

// Small segments, so that kills also land while a segment is being started.
const tape::Limits kLimits{.entriesPerSegment = 500, .maxEntries = 1'000'000};

// Continues the tape and reports the number of each entry once append has returned, and first
// the last one it loaded, to say it is ready.
[[noreturn]] void appendUntilKilled(const fs::path& folder, int report) {
  tape::TapeStore store(folder, kLimits);
  auto next = static_cast<std::int64_t>(store.load().entries.size());
  const std::int64_t ready = next - 1;
  if (::write(report, &ready, sizeof ready) != sizeof ready) ::_exit(3);
  for (; next < 1'000'000; ++next) {
    if (!store.append(numberedEntry(next))) ::_exit(2);
    if (::write(report, &next, sizeof next) != sizeof next) ::_exit(3);
  }
  ::_exit(0);
}

TEST(TapeCrash, AKilledWriterLosesAtMostTheLineItWasWriting) {
  TempFolder temp;
  std::mt19937 random(std::random_device{}());
  std::int64_t lastReported = -1;
  for (int round = 0; round < 8; ++round) {
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    // Room for every report of a round, so that the writer never waits for the reader.
    ASSERT_GT(::fcntl(pipeEnds[1], F_SETPIPE_SZ, 1 << 20), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipeEnds[0]);
      appendUntilKilled(temp.path(), pipeEnds[1]);
    }
    ::close(pipeEnds[1]);
    std::int64_t number = 0;
    ASSERT_EQ(::read(pipeEnds[0], &number, sizeof number), sizeof number);
    ::usleep(std::uniform_int_distribution(100U, 20'000U)(random));
    ::kill(child, SIGKILL);
    while (::read(pipeEnds[0], &number, sizeof number) == sizeof number) lastReported = number;
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << status;

    const tape::Loaded loaded = tape::TapeStore(temp.path(), kLimits).load();
    const auto reported = static_cast<std::size_t>(lastReported + 1);
    ASSERT_TRUE(loaded.entries.size() == reported || loaded.entries.size() == reported + 1)
        << "round " << round << ": " << reported << " reported, " << loaded.entries.size();
    ASSERT_TRUE(readsAsNumbered(loaded.entries, 0, loaded.entries.size()));
    lastReported = static_cast<std::int64_t>(loaded.entries.size()) - 1;
  }
  EXPECT_GT(lastReported, 0);
}

// A file size limit makes write(2) stop part way, as a full disk does: the part written is cut
// off, so the lines after it are not lost behind a damaged one.
TEST(TapeCrash, APartlyWrittenLineIsCutOff) {
  TempFolder temp;
  tape::TapeStore store(temp.path());
  store.load();
  ASSERT_TRUE(store.append(numberedEntry(0)));
  const std::uintmax_t size = fs::file_size(temp.path() / "tape-000001.txt");
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const rlimit tight{size + 20, old.rlim_max};
  const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &tight);
  const bool appended = store.append(numberedEntry(1));
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(appended);
  EXPECT_EQ(fs::file_size(temp.path() / "tape-000001.txt"), size);
  ASSERT_TRUE(store.append(numberedEntry(2)));
  const tape::Loaded loaded = tape::TapeStore(temp.path()).load();
  EXPECT_EQ(loaded.problem, "");
  ASSERT_EQ(loaded.entries.size(), 2U);
  EXPECT_TRUE(sameBits(loaded.entries[1], numberedEntry(2)));
}

}  // namespace
}  // namespace vantro::test
