// The settings file, on real files in a private temporary folder.

#include "core/settings_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_folder.h"

using namespace vantro::core;
using namespace vantro::test;

namespace {

std::string ownLines(const std::string& x, const std::string& y, const std::string& tools = " 0") {
  return "[System]\r\nXPosition=" + x + "\r\nYPosition=" + y + "\r\nXPositionTools=" + tools +
         "\r\nYPositionTools= 0\r\nToolsWidth= 0\r\nToolsHeight= 0\r\n";
}

class SettingsFileTest : public testing::Test {
 protected:
  void put(const std::string& content) { writeFile(file_, content); }
  std::string get() { return readFile(file_); }
  // What the program does at start and at exit, with the window left where it was.
  SettingsValues startAndExit() {
    SettingsValues values;
    const auto read = readSettingsFile(file_);
    EXPECT_EQ(read.status, SettingsReadStatus::Read);
    applySettingsLines(read.lines, values);
    EXPECT_TRUE(
        writeFileAtomically(file_, formatSettingsFile(static_cast<float>(values.xPosition),
                                                      values.yPosition, values, read.lines)));
    return values;
  }

  TempFolder temp_;
  const fs::path folder_ = temp_.path();
  const fs::path file_ = temp_.ini();
};

TEST_F(SettingsFileTest, FirstFileAndRoundTrip) {
  EXPECT_EQ(readSettingsFile(file_).status, SettingsReadStatus::Missing);
  ASSERT_TRUE(writeFileAtomically(file_, formatSettingsFile(4530, 2475, {}, {})));
  EXPECT_EQ(get(), ownLines(" 4530", " 2475"));

  SettingsValues values;
  values.xPositionTools = 120.25;
  values.yPositionTools = -7;
  values.toolsWidth = 1e20;
  ASSERT_TRUE(writeFileAtomically(file_, formatSettingsFile(-1200, -0.0f, values, {})));
  const std::string head = "[System]\r\nXPosition=-1200\r\nYPosition= 0\r\n";
  EXPECT_EQ(get().substr(0, head.size()), head);
  SettingsValues back;
  applySettingsLines(readSettingsFile(file_).lines, back);
  EXPECT_EQ(back.xPosition, -1200);
  EXPECT_EQ(back.xPositionTools, 120.25);
  EXPECT_EQ(back.yPositionTools, -7);
  EXPECT_EQ(back.toolsWidth, 1e20);
}

// Foreign lines, bytes that are no text and a 10 MB line among them, are kept in order.
TEST_F(SettingsFileTest, KeysIgnoreCaseLastWinsAndAreNotTrimmedAndForeignLinesStay) {
  const std::string garbage("\x01\xFF\x00=\xC3", 5);
  const std::string longLine = "Note=" + std::string(10u << 20, 'x');
  put("xposition=100\nXPOSITION=200\nXPosition =300\n xposition=400\nyPosition=5e1\n"
      "[Other]\nXPositionTools=120\nXPosition=1e999\n" +
      garbage + "\r\n\r\r\n" + longLine);
  const SettingsValues values = startAndExit();
  EXPECT_EQ(values.xPosition, 200);
  EXPECT_EQ(get(), ownLines(" 200", " 50", " 120") + "[Other]\r\n" + garbage + "\r\n\r\r\n" +
                       longLine + "\r\n");
  using Lines = std::vector<std::string>;
  EXPECT_EQ(splitSettingsLines("\n"), Lines{""});
  EXPECT_EQ(splitSettingsLines("a\r\r\nb\rc\r"), (Lines{"a\r", "b\rc\r"}));
}

TEST_F(SettingsFileTest, SixteenBitValuesRoundHalfToEvenAndMustFit) {
  const std::pair<const char*, int> cases[] = {
      // the default is 99
      {"1234.5", 1234},     {"1235.5", 1236}, {"-1234.5", -1234}, {"2.5000001", 3}, {"32767.5", 99},
      {"-32768.5", -32768}, {"-32769", 99},   {"1e400", 99},      {"abc", 0}};
  for (const auto& [text, expected] : cases) {
    SettingsValues values;
    values.yPosition = values.yPositionTools = 99;
    applySettingsLines({std::string("YPosition=") + text, std::string("yPositionTools=") + text},
                       values);
    EXPECT_EQ(values.yPosition, expected) << text;
    EXPECT_EQ(values.yPositionTools, expected) << text;
  }
}

TEST_F(SettingsFileTest, ReadStatus) {
  put("");
  EXPECT_EQ(readSettingsFile(file_).status, SettingsReadStatus::Missing);
  put("12345");
  EXPECT_EQ(readSettingsFile(file_, 4).status, SettingsReadStatus::Unreadable);
  EXPECT_EQ(readSettingsFile(folder_).status, SettingsReadStatus::Unreadable);
  fs::permissions(file_, fs::perms::none);
  if (!std::ifstream(file_).is_open()) {  // as root, read permission is not enforced
    EXPECT_EQ(readSettingsFile(file_).status, SettingsReadStatus::Unreadable);
  }
}

// A write that cannot be made leaves the file, a folder in its place and a file the user made
// read-only as they were, and no temporary file behind.
TEST_F(SettingsFileTest, FailedWriteLeavesEverythingAsItWas) {
  put("old");
  EXPECT_FALSE(writeFileAtomically(folder_ / "absent" / "VantroCalc.ini", "new"));
  fs::create_directories(folder_ / "blocked" / "inside");
  EXPECT_FALSE(writeFileAtomically(folder_ / "blocked", "new"));
  EXPECT_TRUE(fs::is_directory(folder_ / "blocked" / "inside"));
  fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
  const bool enforced = !writeFileAtomically(file_, "new");
  fs::permissions(folder_, fs::perms::owner_all);
  EXPECT_EQ(get(), enforced ? "old" : "new");
  put("old");
  fs::permissions(file_, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_FALSE(writeFileAtomically(file_, "new"));
  EXPECT_EQ(get(), "old");
  EXPECT_EQ(fs::status(file_).permissions(), fs::perms::owner_read | fs::perms::group_read);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
}

// A link is kept and its target replaced; a link that leads nowhere changes nothing.
TEST_F(SettingsFileTest, ALinkedFileIsWrittenThroughTheLink) {
  const fs::path elsewhere = folder_ / "elsewhere";
  fs::create_directories(elsewhere);
  std::ofstream(elsewhere / "real.ini") << "old";
  struct Case {
    fs::path linkTarget;
    bool written;
  };
  const Case cases[] = {{elsewhere / "real.ini", true},
                        {"elsewhere/real.ini", true},  // relative to the link's folder
                        {elsewhere / "missing.ini", false},
                        {file_, false}};  // a link to itself
  for (const Case& c : cases) {
    fs::remove(file_);
    fs::create_symlink(c.linkTarget, file_);
    EXPECT_EQ(writeFileAtomically(file_, "new " + c.linkTarget.string()), c.written)
        << c.linkTarget;
    EXPECT_TRUE(fs::is_symlink(file_)) << c.linkTarget;
    EXPECT_EQ(fs::read_symlink(file_), c.linkTarget);
    if (c.written) {
      EXPECT_EQ(get(), "new " + c.linkTarget.string());
    }
  }
  EXPECT_FALSE(fs::exists(elsewhere / "missing.ini"));
  // No temporary file stays behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
  EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere), fs::directory_iterator()), 1);
}

// Beside a writable program the file is read and written there; otherwise it is written in the
// user's folder, and read beside the program only until the user's file exists.
TEST_F(SettingsFileTest, ChoosesWhereToReadAndWrite) {
  const fs::path program = folder_ / "program";
  const fs::path user = folder_ / "config" / "vantro";
  struct Case {
    bool writable;
    bool besideProgram;
    bool inUserFolder;
    fs::path read;
    fs::path write;
  };
  const fs::path beside = program / "VantroCalc.ini";
  const fs::path own = user / "VantroCalc.ini";
  const Case cases[] = {
      {true, true, true, beside, beside}, {true, false, false, beside, beside},
      {false, true, false, beside, own},  {false, true, true, own, own},
      {false, false, false, own, own},
  };
  for (const Case& c : cases) {
    fs::remove_all(folder_);
    fs::create_directories(program);
    if (c.besideProgram) std::ofstream(beside) << "XPosition=1";
    if (c.inUserFolder) {
      fs::create_directories(user);
      std::ofstream(own) << "XPosition=2";
    }
    const SettingsPaths paths = chooseSettingsPaths(program, user, c.writable);
    EXPECT_EQ(paths.read, c.read) << c.writable << c.besideProgram << c.inUserFolder;
    EXPECT_EQ(paths.write, c.write) << c.writable << c.besideProgram << c.inUserFolder;
    if (!c.writable) {
      EXPECT_TRUE(fs::is_directory(user));
    }
  }
  EXPECT_TRUE(isWritableFolder(folder_));
  EXPECT_FALSE(isWritableFolder(folder_ / "missing"));
}

}  // namespace
