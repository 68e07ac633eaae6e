#pragma once
// The real main window, shown and active, with its events recorded: for the contract suite
// and the widget tests that need no window logic.

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "contract/text_box_contract.h"
#include "core/temp_folder.h"
#include "program_parts.h"
#include "qt/main_window.h"
#include "qt/qt_services.h"
#include "ui/keys.h"
#include "ui/module1.h"

namespace vantro::qt::testing {

// The Qt key that types a character of the tests (digits, letters, operators, Enter,
// Backspace), and the one of a key without a character.
inline Qt::Key keyOfCharacter(int ascii) {
  // clang-format off
  static const std::map<int, Qt::Key> keys = {
      {ui::keys::kBackspace, Qt::Key_Backspace}, {ui::keys::kEnter, Qt::Key_Return},
      {'.', Qt::Key_Period}, {'+', Qt::Key_Plus}, {'-', Qt::Key_Minus},
      {'*', Qt::Key_Asterisk}, {'/', Qt::Key_Slash}};
  // clang-format on
  if (ascii >= '0' && ascii <= '9') return Qt::Key(Qt::Key_0 + (ascii - '0'));
  if (ascii >= 'a' && ascii <= 'z') return Qt::Key(Qt::Key_A + (ascii - 'a'));
  return keys.at(ascii);  // std::out_of_range: no key for that character in the tests
}

inline Qt::Key keyOfVirtualKey(int keyCode) {
  // clang-format off
  static const std::map<int, Qt::Key> keys = {
      {ui::keys::vkLeft, Qt::Key_Left}, {ui::keys::vkRight, Qt::Key_Right},
      {ui::keys::vkUp, Qt::Key_Up}, {ui::keys::vkDown, Qt::Key_Down},
      {ui::keys::vkDelete, Qt::Key_Delete}};
  // clang-format on
  return keys.at(keyCode);
}

// Shows `window` and waits until it is active: before that, setFocus() sends no focus events.
inline void showActive(QWidget& window) {
  window.show();
  window.activateWindow();
  if (!QTest::qWaitForWindowActive(&window)) throw std::runtime_error("window never active");
}

// Answers every message box while it lives: reads its title and text, counts it, presses
// Return. Local to the test, so that it cannot close a box of a later test. Should a modal
// window still be open after five seconds (no message box, or one that Return did not close),
// it is closed and counted in `stuck`.
class BoxAnswerer {
 public:
  BoxAnswerer() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      title = box->windowTitle().toStdString();
      text = box->text().toStdString();
      ++answered;
      QTest::keyClick(box, Qt::Key_Return);
    });
    timer_.start();
    watchdog_.setSingleShot(true);
    QObject::connect(&watchdog_, &QTimer::timeout, [this] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        ++stuck;
        modal->close();
      }
    });
    watchdog_.start(5000);
  }
  std::string title;
  std::string text;
  int answered = 0;
  int stuck = 0;

 private:
  QTimer timer_;
  QTimer watchdog_;
};

struct QtHarness {
  QtHarness() { showActive(window); }

  ui::TextBox& box(ui::ControlId id) { return window.textBox(id); }
  void typeCharacter(int ascii) {
    QTest::keyClick(QApplication::focusWidget(), keyOfCharacter(ascii));
  }
  void pressKey(int keyCode) {
    QTest::keyClick(QApplication::focusWidget(), keyOfVirtualKey(keyCode));
  }
  void clickBox(ui::ControlId id) {
    QWidget* box = window.widget(id);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(box)) box = area->viewport();
    QTest::mouseClick(box, Qt::LeftButton);
  }
  ui::Form1Controls controls() { return window.controls(); }
  void post(std::function<void()> action) { QTimer::singleShot(0, &window, std::move(action)); }

  contract::RecordingSink sink;  // before the window, which reports to it
  MainWindow window{&sink};
};

using vantro::test::readFile;

// A temporary folder for the program file and its settings, which is also the runtime folder
// that holds the single-instance lock.
class ProgramFolderTest : public ::testing::Test {
 protected:
  ProgramFolderTest() { qputenv("XDG_RUNTIME_DIR", folder.path().toLocal8Bit()); }
  void SetUp() override { ASSERT_TRUE(folder.isValid()); }
  std::filesystem::path path(const char* name) const {
    return std::filesystem::path(folder.path().toStdString()) / name;
  }

  QTemporaryDir folder;
};

}  // namespace vantro::qt::testing
