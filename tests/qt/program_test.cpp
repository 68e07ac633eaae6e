// The real program window, with the window logic behind it, driven by mouse and keyboard.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "qt/about_window.h"
#include "qt/analysis/analysis_window.h"
#include "qt/help/help_window.h"
#include "qt/help/qt_help_viewer.h"
#include "qt/main_program.h"
#include "qt_harness.h"
#include "ui/shell/window_placement.h"

namespace vantro::ui {
void PrintTo(const ScreenRect& rect, std::ostream* out) {
  *out << rect.width << "x" << rect.height << " at " << rect.left << "," << rect.top;
}
}  // namespace vantro::ui

namespace vantro::qt {
namespace {

using ui::ControlId;
using enum ui::ControlId;

// The program as main() builds it, in a temporary program folder that also holds the lock.
class ProgramTest : public testing::ProgramFolderTest {
 protected:
  void start() {
    app = std::make_unique<testing::Program>(path("vantro-calculator"), help);
    app->module.Main();
    ASSERT_NE(app->services.program(), nullptr);
    testing::showActive(window());
  }

  MainWindow& window() { return app->services.program()->window(); }
  QWidget& w(ControlId id) { return *window().widget(id); }
  std::string text(ControlId id) { return window().textBox(id).text(); }
  std::string caption(ControlId id) { return qobject_cast<QLabel*>(&w(id))->text().toStdString(); }
  void click(ControlId id) { QTest::mouseClick(&w(id), Qt::LeftButton); }
  void type(std::string_view keys) {
    for (const char c : keys)
      QTest::keyClick(QApplication::focusWidget(), testing::keyOfCharacter(c));
  }
  bool hasFocus(ControlId id) { return QApplication::focusWidget() == &w(id); }
  QtHelpViewer help;
  std::unique_ptr<testing::Program> app;
};

// A solved value wider than its field shows its start, selected whole.
TEST_F(ProgramTest, ASolvedValueWiderThanItsFieldShowsItsStartSelected) {
  start();
  // A loan of 100000 at 8 % a year over 30 years of monthly payments, at 12 decimal places
  // (read when the box loses the focus).
  for (const auto& [field, value] :
       {std::pair{TextInterest, "8/12"}, {TextN, "360"}, {TextPV, "100000"}, {TextDecimal, "12"}})
    window().textBox(field).setText(value);
  click(TextDecimal);
  click(CommandPMT);
  EXPECT_TRUE(hasFocus(TextPMT));
  auto& field = *qobject_cast<QLineEdit*>(&w(TextPMT));
  ASSERT_TRUE(field.text().startsWith("-733.764573879"));
  ASSERT_GT(field.fontMetrics().horizontalAdvance(field.text()), field.width());
  EXPECT_EQ(field.cursorPosition(), 0);
  EXPECT_EQ(field.selectedText(), field.text());
}

// The panel rolls open in visible steps, also when the key is clicked again during the roll, and
// rolls away when the list loses the focus; an empty list gives the message, after which the
// panel rolls open again for correction.
TEST_F(ProgramTest, TheCashFlowPanelRollsOpenAndTheListGivesItsMeasures) {
  start();
  std::set<int> heights;
  QTimer sampler;
  QObject::connect(&sampler, &QTimer::timeout, [&] { heights.insert(w(Frame1).height()); });
  sampler.start(5);
  QTimer::singleShot(100, &window(), [this] { click(CommandCF); });
  click(CommandCF);
  sampler.stop();
  EXPECT_GE(heights.size(), 4u);
  EXPECT_EQ(w(Frame1).height(), 160);
  EXPECT_TRUE(w(Frame1).isVisible());
  EXPECT_TRUE(hasFocus(TextCF));
  type("-1000\r300\r400\r500");
  EXPECT_EQ(caption(LabelLineNum), " 4");
  click(Num7Command);  // the keypad does not type into the list: the display takes the focus
  EXPECT_TRUE(hasFocus(Text1));
  EXPECT_EQ(text(Text1), "0");
  EXPECT_FALSE(w(Frame1).isVisible());
  EXPECT_EQ(text(TextCF), "-1000\r\n300\r\n400\r\n500");

  click(CommandClear);
  testing::BoxAnswerer answerer;
  click(CommandNPV);
  EXPECT_EQ(answerer.answered, 1);
  testing::showActive(window());
  EXPECT_TRUE(w(Frame1).isVisible());
  EXPECT_EQ(w(Frame1).height(), 160);
  EXPECT_TRUE(hasFocus(TextCF));
}

// The desktop's number rules for one test; the program reads them from the default locale.
auto useLocale(const char* name) {
  QLocale::setDefault(QLocale(QString::fromLatin1(name)));
  return qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
}

// What the display shows, selected with Ctrl+A and copied with Ctrl+C, goes into a field and
// the list with Ctrl+V as the same number, whichever way the desktop writes numbers; the main
// keyboard's comma types the decimal point only where it is the locale's. (The keypad's
// decimal key is the key codes' business.)
TEST_F(ProgramTest, ANumberCopiedFromTheDisplayPastesBackAsItselfInEveryLocale) {
  const std::pair<const char*, const char*> locales[] = {
      {"en_US", "15"}, {"de_DE", "1.5"}, {"fr_FR", "1.5"}, {"C", "15"}};  // 1, the comma, 5
  for (const auto& [name, commaTyped] : locales) {
    SCOPED_TRACE(name);
    const auto locale = useLocale(name);
    start();
    type("1/3\r");
    ASSERT_EQ(text(Text1), "0.333333333333333");
    QTest::keyClick(&w(Text1), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(window().textBox(Text1).selLength(), 17);
    QTest::keyClick(&w(Text1), Qt::Key_C, Qt::ControlModifier);
    click(TextPV);
    QTest::keyClick(&w(TextPV), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(TextPV), "0.333333333333333");
    click(CommandCF);
    QTest::keyClick(&w(TextCF), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&w(TextCF), Qt::Key_Return, Qt::ControlModifier);
    type("-1");
    QTest::keyClick(&w(TextCF), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(text(TextCF), "0.333333333333333\r\n-1");
    EXPECT_EQ(window().textBox(TextCF).selLength(), 21);
    click(CommandIRR);
    EXPECT_EQ(text(Text1), "200.00");  // 1/3 now, 1 a period later
    click(TextN);
    type("1");
    QTest::sendKeyEvent(QTest::Click, &w(TextN), Qt::Key_Comma, QStringLiteral(","), {});
    type("5");
    EXPECT_EQ(text(TextN), commaTyped);
    app.reset();
  }
}

// State: the help file beside the program. Action: F1 in each window of the program, then
// Escape. Expected: F1 opens the help window at its contents from the calculator, the
// analysis window and the About window, and keeps it open in the help window itself; Escape
// closes the help and analysis windows. Each opens where the placement rule puts it beside
// the calculator, wholly on the screen, and again there when it opens anew.
TEST_F(ProgramTest, F1OpensHelpFromEveryWindowAndEscapeClosesHelpAndAnalysis) {
  start();
  std::filesystem::copy_file(VANTRO_HELP_FILE, path("CalcHelp.chm"));
  // With no window manager, a window that closes leaves none active: the user clicks one.
  const auto pressIn = [](QWidget& window, Qt::Key key) {
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) throw std::runtime_error("window never active");
    QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, key);
  };
  const auto helpShown = [this] { return help.window() && help.window()->isVisible(); };
  const QRect area = window().screen()->availableGeometry();
  const auto expectBeside = [&](const QWidget& opened) {
    const auto rect = [](const QRect& r) {
      return ui::ScreenRect{r.x(), r.y(), r.width(), r.height()};
    };
    const QRect frame = opened.frameGeometry();
    const ui::FrameSize size{frame.width(), frame.height()};
    EXPECT_EQ(rect(frame), ui::placeBeside(rect(area), rect(window().frameGeometry()), size, size))
        << opened.objectName().toStdString();
    EXPECT_TRUE(area.contains(frame)) << opened.objectName().toStdString();
  };

  click(TextPV);
  pressIn(window(), Qt::Key_F1);
  ASSERT_TRUE(QTest::qWaitFor(helpShown, 10000));
  EXPECT_EQ(help.window()->currentPage(), "/html Docs/index.htm");
  expectBeside(*help.window());
  pressIn(*help.window(), Qt::Key_F1);
  EXPECT_TRUE(helpShown());
  EXPECT_EQ(QApplication::activeWindow(), help.window());
  pressIn(*help.window(), Qt::Key_Escape);
  EXPECT_FALSE(helpShown());

  window().menuItem(MenuLoanSchedule)->trigger();
  QWidget& analysis = *window().analysisWindow();
  expectBeside(analysis);
  pressIn(analysis, Qt::Key_F1);
  EXPECT_TRUE(helpShown());
  expectBeside(*help.window());
  pressIn(*help.window(), Qt::Key_Escape);
  pressIn(analysis, Qt::Key_Escape);
  EXPECT_FALSE(analysis.isVisible());

  testing::showActive(window());
  window().menuItem(MenuAbout)->trigger();
  QWidget& about = app->services.about()->widget();
  pressIn(about, Qt::Key_F1);
  EXPECT_TRUE(helpShown());
  EXPECT_TRUE(about.isVisible());
  EXPECT_EQ(text(Text1), "0");
}

// Closed through the window manager or ended from the menu, the program saves where its window
// stands.
TEST_F(ProgramTest, ThePositionComesFromTheSettingsAndGoesBackToThemHoweverTheProgramEnds) {
  for (const bool fromTheMenu : {false, true}) {
    SCOPED_TRACE(fromTheMenu ? "Exit" : "close");
    std::ofstream(path("VantroCalc.ini"), std::ios::binary)
        << "[System]\r\nXPosition=1500\r\nYPosition=1200\r\n";
    start();
    EXPECT_EQ(window().pos(), QPoint(100, 80));
    window().move(200, 90);
    QCloseEvent request;  // the window manager's, delivered to the window
    if (fromTheMenu)
      window().menuItem(MenuExit)->trigger();
    else
      QCoreApplication::sendEvent(window().windowHandle(), &request);
    EXPECT_TRUE(app->services.ended());
    EXPECT_FALSE(window().isVisible());
    const std::string saved = testing::readFile(path("VantroCalc.ini"));
    EXPECT_NE(saved.find("\r\nXPosition= 3000\r\nYPosition= 1350\r\n"), std::string::npos) << saved;
    app.reset();
  }
}

}  // namespace
}  // namespace vantro::qt
