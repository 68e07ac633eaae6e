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

bool readsAsNumbered(const std::vector<tape::Entry>& entries, int first, std::size_t count) {
  if (entries.size() != count) return false;
  for (std::size_t i = 0; i < count; ++i) {
    if (!sameBits(entries[i], numberedEntry(first + static_cast<int>(i)))) return false;
  }
  return true;
}

struct HostileCase {
  const char* name;
  std::function<void(const fs::path&)> make;  // fills the folder
  std::size_t loaded;                         // entries 0, 1, ... read back
  std::string setAside;  // the one file set aside, byte for byte; empty when none is
  bool quiet = false;    // loading reports no problem
};

TEST(TapeStore, DamagedAndForeignFilesAreReadUpToTheDamageAndKeptAside) {
  const std::string three = segmentOf(3);
  std::string flipped = three;
  flipped[kHeader.size() + lineOf(0).size() + 5] ^= 0x04;
  const std::string rest = three.substr(kHeader.size() + lineOf(0).size());
  const std::string future = "vantro-calculator tape 2\n" + lineOf(0);
  const std::string junk(
      "\x7f"
      "ELF\0\0\x01\xff\n\n\xfe",
      11);
  const auto segment = [](const std::string& bytes) {
    return [bytes](const fs::path& folder) { writeFile(folder / "tape-000001.txt", bytes); };
  };
  const auto odd = [three](const std::function<void(const fs::path&)>& make) {
    return [three, make](const fs::path& folder) {
      make(folder / "tape-000001.txt");
      writeFile(folder / "tape-000002.txt", three);
    };
  };
  const HostileCase cases[] = {
      {"whole", segment(three), 3, "", true},
      {"flipped byte", segment(flipped), 1, flipped.substr(kHeader.size() + lineOf(0).size())},
      {"torn last line", segment(three.substr(0, three.size() - 9)), 2,
       rest.substr(lineOf(1).size(), lineOf(2).size() - 9)},
      {"crlf", segment(kHeader + lineOf(0).insert(lineOf(0).size() - 1, "\r")), 0,
       lineOf(0).insert(lineOf(0).size() - 1, "\r")},
      {"newer version", segment(future), 0, future},
      {"foreign", segment("[System]\nYPosition=120\n"), 0, "[System]\nYPosition=120\n"},
      {"binary junk", segment(junk), 0, junk},
      {"torn header", segment("vantro-calc"), 0, "vantro-calc"},
      {"empty", segment(""), 0, "", true},
      {"directory", odd([](const fs::path& p) { fs::create_directory(p); }), 3, ""},
      {"link to /dev/zero", odd([](const fs::path& p) { fs::create_symlink("/dev/zero", p); }), 3,
       ""},
      {"link to a segment", odd([three](const fs::path& p) {
         writeFile(p.parent_path() / "elsewhere", three);
         fs::create_symlink(p.parent_path() / "elsewhere", p);
       }),
       3, ""},
      {"fifo", odd([](const fs::path& p) { ::mkfifo(p.c_str(), 0600); }), 3, ""},
  };
  for (const HostileCase& test : cases) {
    SCOPED_TRACE(test.name);
    TempFolder temp;
    test.make(temp.path());
    const auto before = filesIn(temp.path());
    TapeStore store(temp.path());
    const tape::Loaded loaded = store.load();
    EXPECT_TRUE(readsAsNumbered(loaded.entries, 0, test.loaded));
    EXPECT_EQ(loaded.problem.empty(), test.quiet) << loaded.problem;
    ASSERT_EQ(loaded.setAside.size(), test.setAside.empty() ? 0U : 1U);
    auto after = filesIn(temp.path());
    if (!test.setAside.empty()) {
      EXPECT_EQ(readFile(loaded.setAside[0]), test.setAside);
      EXPECT_TRUE(loaded.setAside[0].filename().string().starts_with("set-aside-"));
      if (after.count("tape-000001.txt") != 0) {  // the whole part stays in the segment
        EXPECT_EQ(after["tape-000001.txt"] + test.setAside, before.at("tape-000001.txt"));
      }
    } else {
      EXPECT_EQ(after, before);  // nothing renamed, rewritten or removed
    }
    EXPECT_TRUE(store.append(numberedEntry(99)));
    after = filesIn(temp.path());
    for (const auto& [name, content] : before) {
      EXPECT_TRUE(after.count(name) != 0 || !test.setAside.empty()) << name;
    }
    const tape::Loaded again = TapeStore(temp.path()).load();
    EXPECT_TRUE(again.problem.empty() || test.setAside.empty()) << again.problem;
    ASSERT_EQ(again.entries.size(), test.loaded + 1);
    EXPECT_TRUE(sameBits(again.entries.back(), numberedEntry(99)));
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
  struct Case {
    fs::path folder;
    std::size_t loaded;
  };
  for (const Case& test : {Case{readOnly, 1}, Case{notAFolder, 0}, Case{notAFolder / "sub", 0}}) {
    if (::geteuid() == 0 && test.folder == readOnly) continue;  // root writes anyway
    SCOPED_TRACE(test.folder);
    TapeStore store(test.folder);
    const tape::Loaded loaded = store.load();
    EXPECT_TRUE(readsAsNumbered(loaded.entries, 0, test.loaded));
    EXPECT_FALSE(loaded.problem.empty());
    EXPECT_FALSE(store.append(numberedEntry(5)));
  }
  EXPECT_EQ(readFile(readOnly / "tape-000001.txt"), torn);
  EXPECT_EQ(readFile(notAFolder), "x");
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
  using Env = std::map<std::string, std::string>;
  const std::pair<Env, fs::path> cases[] = {
      {{{"XDG_DATA_HOME", "/data"}, {"HOME", "/home/u"}}, "/data/vantro-calculator"},
      {{{"HOME", "/home/u"}}, "/home/u/.local/share/vantro-calculator"},
      {{{"XDG_DATA_HOME", "data"}, {"HOME", "/home/u"}}, "/home/u/.local/share/vantro-calculator"},
      {{{"XDG_DATA_HOME", ""}, {"HOME", "/home/u"}}, "/home/u/.local/share/vantro-calculator"},
      {{{"HOME", "home"}}, ""},
      {{}, ""},
  };
  for (const auto& [env, expected] : cases) {
    EXPECT_EQ(tape::defaultTapeFolder([&env](const char* name) {
                const auto found = env.find(name);
                return found == env.end() ? nullptr : found->second.c_str();
              }),
              expected);
  }
}

}  // namespace
}  // namespace vantro::test
