// Start-up and the settings file on both ways out.

#include <gtest/gtest.h>

#include "core/temp_folder.h"
#include "form_fixture.h"

namespace vantro::test {
namespace {

TEST(Main, ASecondCopyShowsItsMessageAndEndsWithoutAWindowOrAFile) {
  TempFolder folder;
  FakeApplication app;
  RecordedMessages messages;
  RecordedHelp help;
  app.folder = folder.path();
  app.anotherCopyRuns = true;
  ui::Module1 module(app, messages, help);
  module.Main();
  EXPECT_EQ(messages.shown,
            std::vector<std::string>{
                "Another Vantro Calculator already running, will quit this program."});
  EXPECT_EQ(app.ends, 1);
  EXPECT_EQ(app.windowsShown, 0);
  EXPECT_TRUE(fs::is_empty(folder.path()));
}

// The settings beside the program place its window and take the place back at the end, with
// the lines the program does not own; a file written there shows it chose that file for both.
TEST(Main, AFirstCopyShowsTheWindowWhereTheSettingsBesideItSayAndSavesThemThere) {
  TempFolder folder;
  writeFile(folder.ini(),
            "[Other]\r\nColour=blue\r\n\r\nxposition=300\r\nYPosition=1234.5\r\n"
            "XPosition = 999\r\nXPositionTools=120\r\n");
  LoadedForm f(folder.path(), 4530, 2475);
  EXPECT_EQ(f.app.windowsShown, 1);
  EXPECT_EQ(f.app.ends, 0);
  EXPECT_TRUE(f.messages.shown.empty());
  EXPECT_EQ(f.module.helpFile(), folder.path() / "CalcHelp.chm");
  EXPECT_EQ(f.window.form().left(), 300);
  EXPECT_EQ(f.window.form().top(), 1234);  // half to even
  f.window.form().move(-1200, 2475);
  ui::dispatch(f.form, ControlId::Form1, ui::events::Unload{});
  EXPECT_EQ(f.app.ends, 1);
  EXPECT_EQ(readFile(folder.ini()),
            "[System]\r\nXPosition=-1200\r\nYPosition= 2475\r\nXPositionTools= 120\r\n"
            "YPositionTools= 0\r\nToolsWidth= 0\r\nToolsHeight= 0\r\n[Other]\r\nColour=blue\r\n");
}

// A copy on read-only media: the file beside it places the window, the user's file keeps its
// lines.
TEST(Settings, AFileReadElsewhereIsWrittenWhereTheSettingsGoWithItsForeignLines) {
  TempFolder folder;
  const fs::path user = folder.path() / "user.ini";
  writeFile(folder.ini(), "Colour=blue\r\nXPosition=300\r\nYPosition=600\r\n");
  LoadedForm f;
  f.module.setSettingsPaths({folder.ini(), user});
  ui::dispatch(f.form, ControlId::Form1, ui::events::Load{});
  EXPECT_EQ(f.window.form().left(), 300);
  EXPECT_EQ(f.window.form().top(), 600);
  ui::dispatch(f.form, ControlId::Form1, ui::events::Unload{});
  EXPECT_EQ(readFile(folder.ini()), "Colour=blue\r\nXPosition=300\r\nYPosition=600\r\n");
  EXPECT_EQ(readFile(user),
            "[System]\r\nXPosition= 300\r\nYPosition= 600\r\nXPositionTools= 0\r\n"
            "YPositionTools= 0\r\nToolsWidth= 0\r\nToolsHeight= 0\r\nColour=blue\r\n");
}

TEST(Settings, AFileThatCannotBeReadIsLeftAlone) {
  TempFolder folder;
  fs::create_directories(folder.ini() / "not-a-file");  // reading a folder fails, even as root
  LoadedForm f(folder.path(), 4530, 2475);
  EXPECT_EQ(f.window.form().left(), 4530);
  ui::dispatch(f.form, ControlId::Form1, ui::events::Unload{});
  EXPECT_TRUE(fs::is_directory(folder.ini() / "not-a-file"));
  EXPECT_EQ(f.app.ends, 1);
}

}  // namespace
}  // namespace vantro::test
