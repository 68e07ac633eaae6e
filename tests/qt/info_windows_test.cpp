// The real splash and About windows in the program: the splash at start-up, the About window
// from the Help menu, on top, giving the main window back however it closes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSessionManager>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

#include "qt/about_window.h"
#include "qt/main_program.h"
#include "qt/qt_services.h"
#include "qt/quit_signals.h"
#include "qt/splash_window.h"
#include "qt_harness.h"
#include "ui/module1.h"

namespace vantro::qt {
namespace {

class InfoWindowsTest : public testing::ProgramFolderTest {
 protected:
  // Runs Main and returns how long it took, in milliseconds.
  qint64 runMain() {
    QElapsedTimer clock;
    clock.start();
    app.module.Main();
    return clock.elapsed();
  }

  MainWindow& mainWindow() { return services.program()->window(); }
  InfoWindowWidget& about() { return services.about()->widget(); }
  // The pointer moved over `widget` of the About window, as the window system reports it.
  void movePointer(QWidget& widget, QPoint position) {
    QTest::mouseMove(about().windowHandle(), widget.mapTo(&about(), position));
  }
  template <typename T>
  T& child(const char* name) {
    T* found = about().findChild<T*>(QString::fromLatin1(name));
    if (!found) throw std::logic_error(name);
    return *found;
  }

  testing::NoHelp help;
  testing::Program app{path("vantro-calculator"), help};
  QtApplication& services = app.services;
};

// State: the program starting. Action: a key pressed 300 ms into the splash's pause.
// Expected: until then the splash is on screen, centred, with its texts; then the main window.
TEST_F(InfoWindowsTest, TheSplashShowsCentredWithItsTextsUntilAKeyEndsThePause) {
  bool exposed = false;
  QPoint position;
  QString version;
  QString released;
  QTimer key;
  key.setSingleShot(true);
  key.setTimerType(Qt::PreciseTimer);  // a coarse timer may fire up to 5 % early
  QObject::connect(&key, &QTimer::timeout, [&] {
    InfoWindowWidget& splash = services.splash()->widget();
    exposed = splash.windowHandle() && splash.windowHandle()->isExposed();
    position = splash.pos();
    version = splash.findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
    released = splash.findChild<QLabel*>(QStringLiteral("lblReleasedDate"))->text();
    QTest::keyClick(&splash, Qt::Key_A);
  });
  key.start(300);
  const qint64 took = runMain();
  EXPECT_TRUE(exposed);
  EXPECT_EQ(version, "Version : 1.2.0");
  EXPECT_EQ(released, "Released Date : 7th Dec 2007");
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_NEAR(position.x(), (screen.width() - 449) / 2.0, 1);
  EXPECT_NEAR(position.y(), (screen.height() - 283) / 2.0, 1);
  EXPECT_GE(took, 300);
  EXPECT_LT(took, 1000);
  EXPECT_FALSE(services.splash()->widget().isVisible());
  ASSERT_NE(services.program(), nullptr);
  EXPECT_TRUE(mainWindow().isVisible());
}

// State: the program started (the whole pause), its window active. Action: About from the Help
// menu, then each way of closing. Expected: About on top, the main window disabled until then.
TEST_F(InfoWindowsTest, AboutFromTheHelpMenuStaysOnTopAndEveryCloseGivesTheMainWindowBack) {
  EXPECT_GE(runMain(), 1500);
  testing::showActive(mainWindow());
  struct Way {
    const char* name;
    std::function<void()> close;
  };
  const Way ways[] = {
      {"OK", [&] { QTest::mouseClick(&child<QPushButton>("CmdOK"), Qt::LeftButton); }},
      {"Escape", [&] { QTest::keyClick(about().focusWidget(), Qt::Key_Escape); }},
      {"the close button", [&] { about().close(); }},
      {"a click on the background",
       [&] { QTest::mouseClick(&about(), Qt::LeftButton, {}, QPoint(8, 130)); }},
  };
  for (const Way& way : ways) {
    mainWindow().menuItem(ui::ControlId::MenuAbout)->trigger();
    ASSERT_NE(services.about(), nullptr);
    EXPECT_TRUE(about().isVisible()) << way.name;
    EXPECT_TRUE(about().windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << way.name;
    EXPECT_EQ(about().windowTitle(), "About Vantro Calculator");
    EXPECT_FALSE(mainWindow().isEnabled()) << way.name;
    way.close();
    EXPECT_FALSE(about().isVisible()) << way.name;
    EXPECT_TRUE(mainWindow().isEnabled()) << way.name;
  }
  mainWindow().menuItem(ui::ControlId::MenuAbout)->trigger();
  services.endNow();
  EXPECT_FALSE(about().isVisible());
}

// State: About open, the main window disabled. Action: the window manager asks the main window
// to close, then the desktop session ends. Expected: the first request is refused, as the
// window refuses clicks and keys; the end of the session still saves and ends the program.
TEST_F(InfoWindowsTest, TheDisabledMainWindowRefusesToCloseUntilTheSessionEnds) {
  runMain();
  const QuitSignals quit(services);
  mainWindow().menuItem(ui::ControlId::MenuAbout)->trigger();
  ASSERT_FALSE(mainWindow().isEnabled());
  QCloseEvent request;  // delivered to the window, as the window system delivers it
  QCoreApplication::sendEvent(mainWindow().windowHandle(), &request);
  EXPECT_FALSE(request.isAccepted());
  EXPECT_FALSE(services.ended());
  EXPECT_TRUE(mainWindow().isVisible());
  EXPECT_TRUE(about().isVisible());
  EXPECT_FALSE(std::filesystem::exists(path("VantroCalc.ini")));

  emit qApp->commitDataRequest(*qApp->findChild<QSessionManager*>());
  EXPECT_TRUE(services.ended());
  EXPECT_FALSE(about().isVisible());
  EXPECT_EQ(testing::readFile(path("VantroCalc.ini")).rfind("[System]\r\nXPosition=", 0), 0u);
}

// State: the About window open. Action: the pointer over a link, the disclaimer, the
// background. Expected: the link highlighted with the link pointer until the background.
TEST_F(InfoWindowsTest, TheLinkUnderThePointerIsHighlightedUntilThePointerCrossesTheBackground) {
  runMain();
  mainWindow().menuItem(ui::ControlId::MenuAbout)->trigger();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&about()));
  auto& home = child<QLabel>("Label1");
  const auto highlighted = [&home] {
    return home.font().bold() && home.font().underline() &&
           home.palette().color(QPalette::WindowText) == QColor(255, 0, 0);
  };
  movePointer(home, QPoint(20, 9));
  EXPECT_TRUE(highlighted());
  EXPECT_EQ(about().cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(about().cursor().hotSpot(), QPoint(13, 1));         // as link_pointer.svg names it
  movePointer(child<QLabel>("lblDisclaimer"), QPoint(20, 20));  // no handler: no change
  EXPECT_TRUE(highlighted());
  movePointer(about(), QPoint(8, 130));
  EXPECT_FALSE(highlighted());
  EXPECT_EQ(home.palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(about().cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace vantro::qt
