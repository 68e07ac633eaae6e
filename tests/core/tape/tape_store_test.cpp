// The tape's folder: damaged, foreign and hostile files kept aside and never deleted, the limit
// on entries, the files' modes, clearing, and where the folder is.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "core/tape/tape_format.h"
#include "core/tape/tape_store.h"
#include "tape_test_support.h"

namespace vantro::test {
namespace {

using tape::TapeStore;

const std::string kHeader = tape::formatHeader() + "\n";
std::string lineOf(int i) {
  return tape::encodeEntry(numberedEntry(i)) + "\n";
}
std::string segmentOf(int count) {
  std::string bytes = kHeader;
  for (int i = 0; i < count; ++i) bytes += lineOf(i);
  return bytes;
}

// Lines and segments are refused a little beyond the numbered entries' size.
const tape::Limits kSmall{.maxLineBytes = 300, .maxSegmentBytes = 2000};

struct HostileCase {
  const char* name;
  std::function<void(const fs::path&)> make;  // puts something where the first segment goes
  std::size_t loaded;                         // entries 0, 1, ... read back
  std::string setAside;  // the one file set aside, byte for byte; empty when none is
  bool quiet = false;    // loading reports no problem
};

TEST(TapeStore, DamagedAndForeignFilesAreReadUpToTheDamageAndKeptAside) {
  const std::string three = segmentOf(3);
  const std::size_t secondLine = kHeader.size() + lineOf(0).size();
  std::string flipped = three;
  flipped[secondLine + 5] ^= 0x04;
  const std::string crlf = lineOf(0).insert(lineOf(0).size() - 1, "\r");
  const std::string future = "vantro-calculator tape 2\n" + lineOf(0);
  const std::string longLine = std::string(kSmall.maxLineBytes + 1, 'x') + "\n";
  const std::string padding(kSmall.maxSegmentBytes, '\n');
  const std::string junk("\x7f\x45LF\0\0\x01\xff\n\n\xfe", 11);
  const auto segment = [](const std::string& bytes) {
    return [bytes](const fs::path& path) { writeFile(path, bytes); };
  };
  const auto linkTo = [](const fs::path& target) {
    return [target](const fs::path& path) { fs::create_symlink(target, path); };
  };
  const auto linkToSegment = [three](const fs::path& path) {
    writeFile(path.parent_path() / "elsewhere", three);
    fs::create_symlink("elsewhere", path);
  };
  // clang-format off
  const HostileCase cases[] = {
      {"whole", segment(three), 3, "", true},
      {"flipped byte", segment(flipped), 1, flipped.substr(secondLine)},
      {"torn last line", segment(three.substr(0, three.size() - 9)), 2,
       lineOf(2).substr(0, lineOf(2).size() - 9)},
      {"crlf", segment(kHeader + crlf), 0, crlf},
      {"newer version", segment(future), 0, future},
      {"foreign", segment("[System]\nYPosition=120\n"), 0, "[System]\nYPosition=120\n"},
      {"binary junk", segment(junk), 0, junk},
      {"torn header", segment("vantro-calc"), 0, "vantro-calc"},
      {"empty", segment(""), 0, "", true},
      {"long line", segment(kHeader + lineOf(0) + longLine), 1, longLine},
      {"too large", segment(three + padding), 0, three + padding},
      {"directory", [](const fs::path& path) { fs::create_directory(path); }, 0, ""},
      {"link to /dev/zero", linkTo("/dev/zero"), 0, ""},
      {"link to a segment", linkToSegment, 0, ""},
      {"fifo", [](const fs::path& path) { ::mkfifo(path.c_str(), 0600); }, 0, ""},
  };
  // clang-format on
  for (const HostileCase& test : cases) {
    SCOPED_TRACE(test.name);
    TempFolder temp;
    test.make(temp.path() / "tape-000001.txt");
    const auto before = filesIn(temp.path());
    TapeStore store(temp.path(), kSmall);
    const tape::Loaded loaded = store.load();
    EXPECT_TRUE(readsAsNumbered(loaded.entries, 0, test.loaded));
    EXPECT_EQ(loaded.problem.empty(), test.quiet) << loaded.problem;
    ASSERT_EQ(loaded.setAside.size(), test.setAside.empty() ? 0U : 1U);
    auto after = filesIn(temp.path());
    if (test.setAside.empty()) {
      EXPECT_EQ(after, before);  // nothing renamed, rewritten or removed
    } else {
      EXPECT_EQ(readFile(loaded.setAside[0]), test.setAside);
      EXPECT_TRUE(loaded.setAside[0].filename().string().starts_with("set-aside-"));
      // The whole part stays in the segment, when any does.
      EXPECT_EQ(after["tape-000001.txt"] + test.setAside, before.at("tape-000001.txt"));
    }
    // Appending goes on after what was read, past anything that is not a segment.
    EXPECT_TRUE(store.append(numberedEntry(test.loaded)));
    EXPECT_TRUE(readsAsNumbered(TapeStore(temp.path(), kSmall).load().entries, 0, test.loaded + 1));
  }
}

TEST(TapeStore, AFolderItCannotWriteIsReadAndLeftAsItIs) {
  TempFolder temp;
  const fs::path readOnly = temp.path() / "read-only";
  fs::create_directory(readOnly);
  const std::string torn = segmentOf(2).substr(0, segmentOf(2).size() - 3);
  writeFile(readOnly / "tape-000001.txt", torn);
  fs::permissions(readOnly, fs::perms::owner_read | fs::perms::owner_exec);
  const fs::path notAFolder = temp.path() / "file";
  writeFile(notAFolder, "x");
  for (const auto& [folder, entries] :
       {std::pair{readOnly, 1}, {notAFolder, 0}, {notAFolder / "a", 0}}) {
    if (::geteuid() == 0 && folder == readOnly) continue;  // root writes anyway
    SCOPED_TRACE(folder);
    TapeStore store(folder);
    const tape::Loaded loaded = store.load();
    EXPECT_TRUE(readsAsNumbered(loaded.entries, 0, entries));
    EXPECT_FALSE(loaded.problem.empty());
    EXPECT_FALSE(store.append(numberedEntry(5)));
  }
  EXPECT_EQ(readFile(readOnly / "tape-000001.txt"), torn);
  EXPECT_EQ(readFile(notAFolder), "x");
  fs::permissions(readOnly, fs::perms::owner_all);  // for the folder's removal
}

TEST(TapeStore, TheOldestSegmentFallsOffWholeAtTheLimit) {
  TempFolder temp;
  const tape::Limits limits{.entriesPerSegment = 3, .maxEntries = 9};
  auto store = std::make_unique<TapeStore>(temp.path(), limits);
  store->load();
  for (int i = 0; i < 40; ++i) {
    if (i == 17) {  // a new start continues the last segment
      store = std::make_unique<TapeStore>(temp.path(), limits);
      store->load();
    }
    ASSERT_TRUE(store->append(numberedEntry(i)));
    // Read with room to spare, so that only what appending dropped is gone.
    const auto entries =
        TapeStore(temp.path(), {.entriesPerSegment = 3, .maxEntries = 1000}).load().entries;
    // Room is kept for a full last segment: two full ones before it, 7 to 9 entries in all.
    const int written = i + 1;
    const int expected = written < 7 ? written : 7 + (written - 1) % 3;
    EXPECT_TRUE(readsAsNumbered(entries, written - expected, static_cast<std::size_t>(expected)))
        << i;
  }
  EXPECT_EQ(filesIn(temp.path()).size(), 3U);
  // Loading under a lower limit drops the oldest segments too: the last holds entry 39.
  EXPECT_TRUE(readsAsNumbered(TapeStore(temp.path(), {.maxEntries = 4}).load().entries, 39, 1));
  EXPECT_EQ(filesIn(temp.path()).size(), 1U);
}

TEST(TapeStore, FilesArePrivateAndClearingKeepsWhatWasSetAside) {
  TempFolder temp;
  const fs::path folder = temp.path() / "share" / "vantro-calculator";
  const mode_t oldMask = ::umask(0);
  TapeStore store(folder, {.entriesPerSegment = 2});
  store.load();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(store.append(numberedEntry(i)));
  ::umask(oldMask);
  writeFile(folder / "tape-000002.txt", segmentOf(1) + "torn");
  const tape::Loaded loaded = TapeStore(folder).load();
  ASSERT_EQ(loaded.setAside.size(), 1U);
  for (const fs::path& path : {folder.parent_path(), folder, folder / "tape-000001.txt",
                               folder / "tape-000002.txt", loaded.setAside[0]}) {
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, S_ISDIR(info.st_mode) ? 0700U : 0600U) << path;
  }
  EXPECT_TRUE(store.clear());
  EXPECT_EQ(filesIn(folder).size(), 1U);
  EXPECT_TRUE(fs::exists(loaded.setAside[0]));
  EXPECT_TRUE(store.append(numberedEntry(7)));
  EXPECT_TRUE(readsAsNumbered(TapeStore(folder).load().entries, 7, 1));
}

TEST(TapeStore, DefaultFolderFollowsTheEnvironment) {
  const fs::path home = "/home/u/.local/share/vantro-calculator";
  // XDG_DATA_HOME, HOME (nullptr: unset), the folder.
  const std::tuple<const char*, const char*, fs::path> cases[] = {
      {"/data", "/home/u", "/data/vantro-calculator"},
      {nullptr, "/home/u", home},
      {"data", "/home/u", home},
      {"", "/home/u", home},
      {nullptr, "home", ""},
      {nullptr, nullptr, ""}};
  for (const auto& [data, user, expected] : cases) {
    EXPECT_EQ(tape::defaultTapeFolder(
                  [&](std::string_view name) { return name == "HOME" ? user : data; }),
              expected);
  }
}

}  // namespace
}  // namespace vantro::test
