// The real program window, with the window logic behind it, driven by mouse and keyboard.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "qt/main_program.h"
#include "qt/qt_services.h"
#include "qt_harness.h"
#include "ui/module1.h"

namespace vantro::qt {
namespace {

using ui::ControlId;
using enum ui::ControlId;

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// The program as main() builds it, in a temporary program folder that also holds the lock.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    qputenv("XDG_RUNTIME_DIR", folder.path().toLocal8Bit());
  }

  void start() {
    services = std::make_unique<QtApplication>(programFolder() / "vantro-calculator");
    module = std::make_unique<ui::Module1>(*services, messages);
    services->attachModule(*module);
    module->Main();
    ASSERT_NE(services->program(), nullptr);
    testing::showActive(window());
  }

  std::filesystem::path programFolder() const { return folder.path().toStdString(); }
  MainWindow& window() { return services->program()->window(); }
  QWidget& w(ControlId id) { return *window().widget(id); }
  std::string text(ControlId id) { return window().textBox(id).text(); }
  std::string caption(ControlId id) { return qobject_cast<QLabel*>(&w(id))->text().toStdString(); }
  void click(ControlId id) { QTest::mouseClick(&w(id), Qt::LeftButton); }
  void type(std::string_view keys) {
    for (const char c : keys)
      QTest::keyClick(QApplication::focusWidget(), testing::keyOfCharacter(c));
  }
  void pressKeypad(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::KeypadModifier);
  }
  bool hasFocus(ControlId id) { return QApplication::focusWidget() == &w(id); }

  QTemporaryDir folder;
  QtMessageBox messages;
  std::unique_ptr<QtApplication> services;
  std::unique_ptr<ui::Module1> module;
};

TEST_F(ProgramTest, TypingASumIntoTheDisplayGivesTheResult) {
  start();
  EXPECT_TRUE(hasFocus(Text1));  // the window opens with the display focused
  type("2+3\r");
  EXPECT_EQ(text(Text1), "5");
}

TEST_F(ProgramTest, ClickingASumGivesTheResultAndTheExpression) {
  start();
  click(Num2Command);
  click(NumPlusCommand);
  click(Num3Command);
  click(NumEqCommand);
  EXPECT_EQ(text(Text1), "5");
  EXPECT_EQ(caption(Label4), "2  +  3");
}

TEST_F(ProgramTest, KeypadDigitsGoToTheFieldUsedLastWhichGetsTheFocusBack) {
  start();
  click(TextPV);
  click(Num5Command);
  EXPECT_EQ(text(TextPV), "5");
  EXPECT_TRUE(hasFocus(TextPV));
  EXPECT_EQ(text(Text1), "0");
}

TEST_F(ProgramTest, TheKeypadPlusOutsideTheDisplayActsOnlyWhenTheDisplayWasUsedLast) {
  start();
  click(TextDecimal);  // the display is still the field used last
  pressKeypad(Qt::Key_Plus);
  EXPECT_EQ(caption(Label1), "+");
  EXPECT_TRUE(hasFocus(Text1));
  EXPECT_EQ(text(TextDecimal), "2");

  click(NumACCommand);
  click(TextPV);
  click(TextDecimal);
  pressKeypad(Qt::Key_Plus);
  EXPECT_EQ(caption(Label1), "");
  EXPECT_TRUE(hasFocus(TextDecimal));
}

TEST_F(ProgramTest, AnArrowKeyAfterAnOperatorContinuesTheNumberOnDisplay) {
  start();
  type("2");
  click(NumPlusCommand);
  QTest::keyClick(&w(Text1), Qt::Key_Left);
  type("3");
  EXPECT_EQ(text(Text1), "32");
}

TEST_F(ProgramTest, TheCheckBoxCaptionFollowsItsNewValue) {
  start();
  QTest::mouseClick(&w(CheckPayment), Qt::LeftButton, {}, QPoint(5, 17));
  EXPECT_EQ(qobject_cast<QCheckBox*>(&w(CheckPayment))->text(), "Payment At Begin Period");
  EXPECT_TRUE(hasFocus(Text1));
}

TEST_F(ProgramTest, ThePositionComesFromTheSettingsAndGoesBackToThemOnClose) {
  std::ofstream(programFolder() / "VantroCalc.ini", std::ios::binary)
      << "[System]\r\nXPosition=1500\r\nYPosition=1200\r\n";
  start();
  EXPECT_EQ(window().pos(), QPoint(100, 80));
  window().move(200, 90);
  window().close();
  EXPECT_TRUE(services->ended());
  const std::string saved = readFile(programFolder() / "VantroCalc.ini");
  EXPECT_NE(saved.find("\r\nXPosition= 3000\r\nYPosition= 1350\r\n"), std::string::npos) << saved;
}

TEST_F(ProgramTest, ExitSavesTheDefaultPositionTheWindowOpenedAt) {
  start();
  const QPoint opened = window().pos();
  window().exitAction()->trigger();
  EXPECT_TRUE(services->ended());
  EXPECT_FALSE(window().isVisible());
  const std::string saved = readFile(programFolder() / "VantroCalc.ini");
  EXPECT_NE(saved.find("XPosition= " + std::to_string(opened.x() * 15) + "\r\n"), std::string::npos)
      << saved;
  EXPECT_NE(saved.find("YPosition= " + std::to_string(opened.y() * 15) + "\r\n"), std::string::npos)
      << saved;
}

}  // namespace
}  // namespace vantro::qt
