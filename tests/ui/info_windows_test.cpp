// The splash window and the splash step of start-up; the About window: its texts, the main
// window waiting while it is open, the links' hover effect, and what its buttons start.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>

#include "form_fixture.h"
#include "ui/info/frm_about.h"
#include "ui/info/frm_splash.h"

namespace vantro::test {
namespace {

using ui::MousePointer;
using ui::Rgb;

// The log with each run of "wait" entries written once.
std::vector<std::string> withWaitsJoined(const std::vector<std::string>& log) {
  std::vector<std::string> joined;
  for (const std::string& entry : log)
    if (entry != "wait" || joined.empty() || joined.back() != "wait") joined.push_back(entry);
  return joined;
}

// A release date left empty stays empty; the window is centred in twips on a 1024 x 768 screen.
TEST(Splash, LoadingWritesTheVersionReleaseDescriptionAndAddressesAndCentresTheWindow) {
  FakeApplication app;
  app.programVersion = {10, 0, 31, ""};
  app.splashWindow();
  const ui::testing::MemorySplash& splash = *app.splash;
  EXPECT_EQ(splash.lblVersion.caption(), "Version : 10.0.31");
  EXPECT_EQ(splash.lblReleasedDate.caption(), "Released Date : ");
  EXPECT_EQ(splash.EmailLabel1.caption(), "Email : support@example.org");
  EXPECT_EQ(splash.HomePageLabel1.caption(),
            "Home Page : https://www.example.org/vantro-calculator");
  EXPECT_EQ(splash.window.left(), (15360 - 6735) / 2.0);
  EXPECT_EQ(splash.window.top(), (11520 - 4245) / 2.0);
  EXPECT_FALSE(splash.window.visible());
}

// Start-up shows the splash, lets it paint, pauses (still running the window's events) and
// unloads it, runs the events once more, then opens the main window. A key press ends the
// pause at once.
TEST(Splash, StartUpShowsItForTheWholePauseUnlessAKeyEndsItEarlier) {
  struct Case {
    std::optional<int> keyDuringCall;  // of the event pump, counted from 1
    int waited;
    std::vector<std::string> log;
  };
  const std::vector<std::string> paused = {"frmSplash shown",    "events", "wait",
                                           "frmSplash unloaded", "events", "Form1 shown"};
  const Case cases[] = {
      {std::nullopt, 1500, paused},
      {4, 75, paused},  // during the third slice of the pause
      {1, 0, {"frmSplash shown", "events", "frmSplash unloaded", "events", "Form1 shown"}},
  };
  for (const Case& c : cases) {
    FakeApplication app;
    RecordedMessages messages;
    RecordedHelp help;
    ui::Module1 module(app, messages, help);
    bool visibleWhilePainting = false;
    app.pump.during(1, [&] { visibleWhilePainting = app.splash->window.visible(); });
    if (c.keyDuringCall) app.pump.during(*c.keyDuringCall, [&] { app.splash->type('x'); });
    module.Main();
    EXPECT_TRUE(visibleWhilePainting);
    EXPECT_EQ(app.pump.waitedMilliseconds(), c.waited);
    EXPECT_EQ(withWaitsJoined(app.log), c.log);
    EXPECT_FALSE(app.splash->window.loaded());
  }
}

class AboutTest : public ::testing::Test {
 protected:
  void SetUp() override { f.window.click(ControlId::MenuAbout); }
  ui::testing::MemoryAbout& about() { return *f.app.about; }

  LoadedForm f;
};

// The description and release lines come from the splash window, which loads for them
// without showing. (The window's title is checked on the real window.)
TEST_F(AboutTest, OpensWithItsTextsWhileTheMainWindowWaitsAndComesToTheFrontAgain) {
  ASSERT_NE(f.app.about, nullptr);
  const ui::testing::MemoryAbout& a = about();
  EXPECT_TRUE(a.window.visible());
  EXPECT_EQ(a.lblVersion.caption(), "Version : 1.2.0");
  EXPECT_EQ(a.lblDescription.caption(), "Basic Financial Calculator (Freeware)");
  EXPECT_EQ(a.Label1Description.caption(), "Released Date : 7th Dec 2007");
  EXPECT_EQ(a.Label1.caption(), "https://www.example.org/vantro-calculator");
  EXPECT_EQ(a.Label2.caption(), "support@example.org");
  EXPECT_EQ(f.app.splashLoads, 1);
  EXPECT_FALSE(f.app.splash->window.visible());
  EXPECT_TRUE(a.window.topmost());
  EXPECT_EQ(a.window.left(), (15360 - 6420) / 2.0);
  EXPECT_EQ(a.window.top(), (11520 - 4650) / 2.0);
  EXPECT_FALSE(f.window.form().enabled());
  // The command again brings the open window to the front.
  f.window.click(ControlId::MenuAbout);
  EXPECT_EQ(&about(), &a);
  EXPECT_EQ(std::count(f.app.log.begin(), f.app.log.end(), "frmAbout shown"), 2);
}

// Over a link: bold, underlined, red, and the custom pointer; the other link plain again.
// The background resets both; the other controls have no handler, so nothing changes.
TEST_F(AboutTest, TheHighlightFollowsThePointerFromLinkToLinkAndLeavesOnTheBackground) {
  struct Case {
    const char* moves;  // '1' home-page link, '2' e-mail link, 'b' background
    int highlighted;    // 0: none
  };
  const Case cases[] = {{"1", 1}, {"2", 2}, {"12", 2}, {"21", 1}, {"1b", 0}, {"2b1", 1}, {"", 0}};
  const Rgb blue{0, 0, 255};
  const Rgb red{255, 0, 0};
  for (const Case& c : cases) {
    f.window.click(ControlId::MenuAbout);
    ui::testing::MemoryAbout& a = about();
    for (const char* move = c.moves; *move; ++move) {
      if (*move == '1') a.form().Label1_MouseMove();
      if (*move == '2') a.form().Label2_MouseMove();
      if (*move == 'b') a.form().Form_MouseMove();
    }
    for (const auto& [number, link] : {std::pair{1, &a.Label1}, std::pair{2, &a.Label2}}) {
      const bool hovered = number == c.highlighted;
      EXPECT_EQ(link->fontBold(), hovered) << c.moves << " link " << number;
      EXPECT_EQ(link->fontUnderline(), hovered) << c.moves << " link " << number;
      EXPECT_EQ(link->foreColor(), hovered ? red : blue) << c.moves << " link " << number;
    }
    EXPECT_EQ(a.window.mousePointer(), c.highlighted ? MousePointer::Custom : MousePointer::Default)
        << c.moves;
    a.form().CmdOK_Click();
  }
}

TEST_F(AboutTest, TheLinksOpenTheHomePageAndAMailAndReadSlaTheLicencePage) {
  about().form().Label1_Click();
  about().form().Label2_Click();
  EXPECT_EQ(f.app.urls.opened,
            (std::vector<std::string>{"https://www.example.org/vantro-calculator",
                                      "mailto:support@example.org"}));
  about().form().CmdSLA_Click();
  EXPECT_EQ(f.help.opened,
            std::vector<std::string>{"CalcHelp.chm::/html Docs/License_Agreement.htm"});
}

TEST_F(AboutTest, SystemInfoStartsTheFirstToolInstalledOrSaysItIsUnavailable) {
  struct Case {
    std::set<std::string> installed;
    bool startFails;
    std::string started;  // empty: the message instead
  };
  const Case cases[] = {
      {{}, false, ""},
      {{"hardinfo"}, true, ""},
      {{"hardinfo", "kinfocenter"}, false, "/usr/bin/kinfocenter"},
      {{"lshw-gtk", "gnome-control-center"}, false, "/usr/bin/gnome-control-center info-overview"},
  };
  for (const Case& c : cases) {
    f.messages.shown.clear();
    f.app.programs.installed = c.installed;
    f.app.programs.startFails = c.startFails;
    f.app.programs.started.clear();
    about().form().CmdSysInfo_Click();
    if (c.started.empty()) {
      EXPECT_TRUE(f.app.programs.started.empty());
      EXPECT_EQ(f.messages.shown,
                std::vector<std::string>{"System Information Is Unavailable At This Time"});
    } else {
      EXPECT_EQ(f.app.programs.started, std::vector<std::string>{c.started});
      EXPECT_TRUE(f.messages.shown.empty());
    }
  }
}

}  // namespace
}  // namespace vantro::test
