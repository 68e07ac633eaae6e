// The main window's widgets with their events recorded, without the window logic: layout,
// accessibility, focus across message boxes, key preview, the cash-flow box's line ends.
#include "qt/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>

#include "qt/announcer.h"
#include "qt/qt_services.h"
#include "qt_harness.h"

namespace vantro::qt {
namespace {

using ui::ControlId;
using enum ui::ControlId;

// Every event, as "Control.Event" (KeyPress and KeyDown with their code).
class EventLog : public contract::RecordingSink {
 public:
  void onEvent(ControlId control, ui::EventArgs& event) override {
    if (std::holds_alternative<ui::events::Click>(event)) record(control, "Click");
    RecordingSink::onEvent(control, event);
    if (onAny) onAny(control, event);
  }
  static std::string name(ControlId control) { return std::string(ui::controlInfo(control).name); }

  std::function<void(ControlId, const ui::EventArgs&)> onAny;
};

// The first accessible object named `name` under `root`, depth first.
QAccessibleInterface* findByName(QAccessibleInterface* root, const QString& name) {
  if (root->text(QAccessible::Name) == name) return root;
  for (int i = 0; i < root->childCount(); ++i)
    if (QAccessibleInterface* found = findByName(root->child(i), name)) return found;
  return nullptr;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::showActive(window); }
  QWidget& w(ControlId id) { return *window.widget(id); }

  EventLog log;
  MainWindow window{&log};
};

TEST_F(MainWindowTest,
       EveryControlHasAWidgetAndNoneOverlapsOrLeavesTheClientAreaAndSolversStandUnderTheirFields) {
  for (const ui::ControlInfo& info : ui::kControls) {
    if (info.kind != ui::ControlKind::Form && info.kind != ui::ControlKind::MenuItem) {
      EXPECT_NE(window.widget(info.id), nullptr) << info.name;
    }
  }

  const QRect client = window.centralWidget()->rect();
  std::vector<QWidget*> shown;
  for (QWidget* child :
       window.centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    if (!child->isHidden()) shown.push_back(child);
  ASSERT_GT(shown.size(), 55u);
  for (QWidget* a : shown) {
    EXPECT_TRUE(client.contains(a->geometry())) << a->objectName().toStdString();
    for (QWidget* b : shown) {
      if (a < b) {
        EXPECT_FALSE(a->geometry().intersects(b->geometry()))
            << a->objectName().toStdString() << " / " << b->objectName().toStdString();
      }
    }
  }
  // The cash-flow panel lies over the keys while open, but within the window.
  window.controls().Frame1.setVisible(true);
  EXPECT_TRUE(client.contains(w(Frame1).geometry()));
  // Each solver stands right under the field it solves, as wide.
  for (const auto& [field, key] : {std::pair{TextN, CommandN},
                                   {TextInterest, CommandInterest},
                                   {TextPV, CommandPV},
                                   {TextFV, CommandFV},
                                   {TextPMT, CommandPMT}}) {
    const QRect above = w(field).geometry(), below = w(key).geometry();
    EXPECT_TRUE(below.left() == above.left() && below.width() == above.width() &&
                below.top() > above.bottom() && below.top() <= above.bottom() + 6)
        << EventLog::name(key);
  }
}

TEST_F(MainWindowTest, TabGoesRowByRowThroughTheFinancialSectionThenToTheKeypad) {
  window.textBox(Text1).setFocus();
  std::string order;
  for (int i = 0; i < 26; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order += QApplication::focusWidget()->objectName().toStdString() + " ";
  }
  EXPECT_EQ(order,
            "TextN TextInterest TextPV TextFV TextPMT CommandN CommandInterest CommandPV CommandFV "
            "CommandPMT TextPer CommandPPMT CommandIPMT CommandPrincipal CommandInterestPaid "
            "CheckPayment CommandBalance CommandEffect CommandNominal CommandCF CommandNPV "
            "CommandIRR CommandMIRR CommandClear TextDecimal CommandInvertX ");
}

// A screen reader finds each picture key by its tooltip's words and can press it.
TEST_F(MainWindowTest, PictureKeysAreFoundByTheirTooltipsAndPressedThroughAccessibility) {
  QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);
  int pictureKeys = 0;
  for (const ui::ControlInfo& info : ui::kControls) {
    auto* key = qobject_cast<QPushButton*>(window.widget(info.id));
    if (!key || key->icon().isNull()) continue;
    ++pictureKeys;
    QAccessibleInterface* found = findByName(root, key->toolTip());
    ASSERT_NE(found, nullptr) << info.name;
    EXPECT_EQ(found->object(), key) << info.name;
    EXPECT_EQ(found->role(), QAccessible::Button) << info.name;
    log.events.clear();
    found->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !log.events.empty(); }, 1000));  // animated
    EXPECT_EQ(log.events, std::vector<std::string>{EventLog::name(info.id) + ".Click"});
  }
  EXPECT_EQ(pictureKeys, 25);  // 8 of the keypad, 17 of the financial calculator
}

// A field is named by the caption beside it (or that begins its name) and described by that
// caption's tooltip; the display and the status bar expose what they show now.
TEST_F(MainWindowTest, FieldsAreNamedAndDescribedByTheirCaptionsAndResultsExposeTheirText) {
  int fields = 0;
  for (const ui::ControlInfo& info : ui::kControls) {
    if (info.kind != ui::ControlKind::TextBox || info.id == Text1) continue;
    ++fields;
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(&w(info.id));
    const QString name = field->text(QAccessible::Name);
    QLabel* caption = nullptr;
    for (QLabel* label : window.findChildren<QLabel*>())  // "Per / " begins "Per / Reinvest Rate"
      if (!label->text().isEmpty() && name.startsWith(label->text())) caption = label;
    ASSERT_NE(caption, nullptr) << info.name << " is named " << name.toStdString();
    EXPECT_FALSE(caption->toolTip().isEmpty()) << info.name;
    EXPECT_EQ(field->text(QAccessible::Description).toStdString(), caption->toolTip().toStdString())
        << info.name;
  }
  EXPECT_EQ(fields, 8);

  window.textBox(Text1).setText("12.5");
  QAccessibleInterface* display = QAccessible::queryAccessibleInterface(&w(Text1));
  EXPECT_EQ(display->text(QAccessible::Value), QStringLiteral("12.5"));
  ASSERT_NE(display->textInterface(), nullptr);
  EXPECT_EQ(display->textInterface()->text(0, 4), QStringLiteral("12.5"));
  window.controls().Label4.setCaption("2  +  3");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&w(Label4))->text(QAccessible::Name),
            QStringLiteral("2  +  3"));
}

// What a screen reader hears when the logic writes the display and the status bar in one turn
// of the event loop: the status with the display's new value; a failure message alone; nothing
// for a display written without a status.
TEST_F(MainWindowTest, AStatusWrittenIsAnnouncedWithTheDisplayWrittenWithIt) {
  const auto* announcer = window.findChild<Announcer*>();
  ASSERT_NE(announcer, nullptr);
  struct Case {
    const char* display;  // nullptr: not written
    const char* status;   // nullptr: not written
    const char* heard;
  };
  const Case cases[] = {
      {"-733.76", "Payment ", "Payment, -733.76"},
      {nullptr, "Payment ", "Payment"},
      {"5", "2  +  3", "2  +  3, 5"},
      {"0", "Error! Divide by zero.", "Error! Divide by zero."},
      {"7", nullptr, "Error! Divide by zero."},  // typing: nothing new
      {"8", "", "Error! Divide by zero."},
  };
  ui::Form1Controls controls = window.controls();
  for (const Case& c : cases) {
    if (c.display) controls.Text1.setText(c.display);
    if (c.status) controls.Label4.setCaption(c.status);
    QCoreApplication::processEvents();
    EXPECT_EQ(announcer->sentence().toStdString(), c.heard)
        << (c.display ? c.display : "-") << " / " << (c.status ? c.status : "-");
  }
}

// The box opening and closing is no focus change; focus given while it is open is one.
TEST_F(MainWindowTest, FocusGivenWhileAMessageBoxIsOpenRunsTheHandlersAtOnceAndOnlyOnce) {
  window.textBox(Text1).setFocus();
  log.events.clear();
  testing::BoxAnswerer answerer;
  QTimer::singleShot(0, &window, [this] {
    // The window is inactive behind the box, as when a command reports an error.
    log.events.push_back("box open");
    window.textBox(TextPMT).setFocus();
    log.events.push_back("after setFocus");
  });
  QtMessageBox().show("Error!");
  EXPECT_EQ(answerer.title, "Vantro Calculator");
  testing::showActive(window);  // as the window manager does when the box closes
  EXPECT_EQ(log.events, (std::vector<std::string>{"box open", "Text1.LostFocus", "TextPMT.GotFocus",
                                                  "after setFocus"}));
  EXPECT_EQ(QApplication::focusWidget(), &w(TextPMT));
}

TEST_F(MainWindowTest, KeyPreviewShowsEachKeyToTheWindowOnceBeforeTheControl) {
  window.textBox(TextDecimal).setFocus();
  window.form().setKeyPreview(true);
  log.events.clear();
  QTest::keyClick(&w(TextDecimal), Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(log.events,
            (std::vector<std::string>{"Form1.KeyDown:107", "TextDecimal.KeyDown:107",
                                      "TextDecimal.KeyPress:43", "TextDecimal.KeyUp:107"}));
  window.form().setKeyPreview(false);
  log.events.clear();
  QTest::keyClick(&w(TextDecimal), Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(log.events.front(), "TextDecimal.KeyDown:107");
}

TEST_F(MainWindowTest, AKeyTakesTheFocusThenClicksAndTheCheckBoxTogglesBeforeItsClick) {
  window.textBox(TextPV).setFocus();
  int valueAtClick = -1;
  log.onAny = [&](ControlId control, const ui::EventArgs& event) {
    if (control == CheckPayment && std::holds_alternative<ui::events::Click>(event))
      valueAtClick = window.controls().CheckPayment.value();
  };
  log.events.clear();
  QTest::mouseClick(&w(Num5Command), Qt::LeftButton);
  EXPECT_EQ(log.events, (std::vector<std::string>{"TextPV.LostFocus", "Num5Command.GotFocus",
                                                  "Num5Command.Click"}));
  log.events.clear();
  QTest::keyClick(&w(Num5Command), Qt::Key_Return);  // Enter clicks the focused key
  EXPECT_EQ(log.events, std::vector<std::string>{"Num5Command.Click"});
  log.events.clear();
  QTest::mouseClick(&w(CheckPayment), Qt::LeftButton, {}, QPoint(60, 12));  // on the caption
  EXPECT_EQ(valueAtClick, 1);
  window.controls().CheckPayment.setValue(0);  // setting the value is no click
  EXPECT_EQ(log.events.back(), "CheckPayment.Click");
  EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "CheckPayment.Click"), 1);
  log.events.clear();
  QAccessible::queryAccessibleInterface(&w(CheckPayment))
      ->actionInterface()
      ->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(log.events, std::vector<std::string>{"CheckPayment.Click"});
}

// The clipboard keys of every binding go to the Edit menu, once each, in the single-line
// fields and in the list alike: the editors' own Cut, Copy and Paste know no field rules.
// Keys that edit without a key press the logic could refuse do nothing.
TEST_F(MainWindowTest, ClipboardKeysRunTheEditMenuAndToolkitOnlyEditsNothing) {
  const std::pair<QKeyCombination, const char*> keys[] = {
      {Qt::CTRL | Qt::Key_X, "MenuCut.Click"},
      {Qt::CTRL | Qt::Key_C, "MenuCopy.Click"},
      {Qt::CTRL | Qt::Key_V, "MenuPaste.Click"},
      {Qt::SHIFT | Qt::Key_Insert, "MenuPaste.Click"},
      {Qt::SHIFT | Qt::Key_Delete, "MenuCut.Click"},
      {Qt::CTRL | Qt::Key_Insert, "MenuCopy.Click"},
  };
  QGuiApplication::clipboard()->setText(QStringLiteral("9"));
  window.controls().Frame1.setVisible(true);
  for (const ControlId box : {TextPV, TextCF}) {
    window.textBox(box).setText("123");
    window.textBox(box).setFocus();
    window.textBox(box).setSelLength(2);
    for (const auto& [key, expected] : keys) {
      log.events.clear();
      QTest::keyClick(&w(box), key.key(), key.keyboardModifiers());
      EXPECT_EQ(std::count(log.events.begin(), log.events.end(), expected), 1) << expected;
      EXPECT_EQ(window.textBox(box).text(), "123") << expected;
    }
  }
  for (const auto key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Z}) {
    window.textBox(TextPV).setFocus();
    window.textBox(TextPV).setSelStart(2);
    QTest::keyClick(&w(TextPV), key, Qt::ControlModifier);
    EXPECT_EQ(window.textBox(TextPV).text(), "123") << key;
  }
}

// Alt with a menu's underlined letter opens it (with another it types nothing), F10 the first
// menu, and an item's underlined letter runs it, while the display, a field or the list has the
// focus; using the menus is no focus change for the logic.
TEST_F(MainWindowTest, AltOpensEachMenuByItsLetterAndAnItemRunsByItsOwn) {
  struct Item {
    Qt::Key menu;
    Qt::Key item;
    ControlId id;
  };
  // clang-format off
  const Item items[] = {
      {Qt::Key_E, Qt::Key_T, MenuCut}, {Qt::Key_E, Qt::Key_C, MenuCopy},
      {Qt::Key_E, Qt::Key_P, MenuPaste}, {Qt::Key_E, Qt::Key_X, MenuExit},
      {Qt::Key_A, Qt::Key_L, MenuLoanSchedule}, {Qt::Key_A, Qt::Key_F, MenuCashFlowProfile},
      {Qt::Key_A, Qt::Key_D, MenuDatedCashFlows},
      {Qt::Key_H, Qt::Key_L, MenuLicenseAgreement}, {Qt::Key_H, Qt::Key_T, MenuHelpTopics},
      {Qt::Key_H, Qt::Key_A, MenuAbout}, {Qt::Key_F10, Qt::Key_C, MenuCopy},
  };
  // clang-format on
  window.controls().Frame1.setVisible(true);
  window.form().setKeyPreview(true);
  for (const ControlId field : {Text1, TextPV, TextCF}) {
    window.textBox(field).setText("12");
    window.textBox(field).setFocus();
    QTest::keyClick(&w(field), Qt::Key_5, Qt::AltModifier);  // no menu's letter: types nothing
    EXPECT_EQ(window.textBox(field).text(), "12") << EventLog::name(field);
    for (const Item& item : items) {
      window.textBox(field).setFocus();
      log.events.clear();
      QTest::keyClick(&w(field), item.menu,
                      item.menu == Qt::Key_F10 ? Qt::NoModifier : Qt::AltModifier);
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      const std::string name = EventLog::name(item.id);
      ASSERT_NE(menu, nullptr) << name;
      QTest::keyClick(menu, item.item);
      std::erase_if(log.events, [](const std::string& e) {
        return !e.ends_with(".Click") && e.find("Focus") == std::string::npos;
      });
      EXPECT_EQ(log.events, std::vector<std::string>{name + ".Click"});
      EXPECT_EQ(QApplication::focusWidget(), &w(field)) << name;
    }
  }
}

// Text dropped on the list goes in as Paste would take it: a line too long for the editor to
// lay out at once (a megabyte took it a hundred seconds) is refused.
TEST_F(MainWindowTest, TheListRefusesADroppedLineTooLongToLayOut) {
  window.controls().Frame1.setVisible(true);
  QWidget* viewport = qobject_cast<QAbstractScrollArea*>(&w(TextCF))->viewport();
  for (const int length : {40, 1 << 20}) {
    window.textBox(TextCF).setText("");
    QMimeData dropped;
    dropped.setText(QString(length, QLatin1Char('7')));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    EXPECT_EQ(window.textBox(TextCF).text().size(), length == 40 ? 40u : 0u);
  }
}

TEST_F(MainWindowTest, ToolbarButtonsReportTheirKeysAndLeaveTheFocusWhereItWas) {
  window.textBox(TextPV).setFocus();
  const QList<QAction*> buttons = window.toolbar()->actions();
  std::string keys;
  for (QAction* button : buttons) {
    EXPECT_FALSE(button->icon().isNull());
    log.events.clear();
    QTest::mouseClick(window.toolbar()->widgetForAction(button), Qt::LeftButton);
    ASSERT_EQ(log.events.size(), 1u);
    keys += log.events.front() + " ";
    EXPECT_EQ(button->toolTip(), button->text());
    EXPECT_EQ(QApplication::focusWidget(), &w(TextPV));
  }
  EXPECT_EQ(keys,
            "Toolbar1.ButtonClick:Cut Toolbar1.ButtonClick:Copy Toolbar1.ButtonClick:Paste "
            "Toolbar1.ButtonClick:Help Toolbar1.ButtonClick:Exit ");
}

}  // namespace
}  // namespace vantro::qt
