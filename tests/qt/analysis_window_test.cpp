// The analysis window opened from the real program window, with the window logic behind it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "qt/analysis/analysis_window.h"
#include "qt/analysis/loan_schedule_tab.h"
#include "qt/main_program.h"
#include "qt/qt_services.h"
#include "qt_harness.h"
#include "ui/module1.h"

namespace vantro::qt {
namespace {

using enum ui::ControlId;
using ui::AnalysisPage;

// The program window without the splash: the logic loaded, the window shown and active.
class AnalysisWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    app = std::make_unique<testing::Program>(folder.path().toStdString() + "/vantro-calculator",
                                             help);
    program = std::make_unique<MainProgram>(app->module);
    program->open();
    testing::showActive(window());
  }

  MainWindow& window() { return program->window(); }
  QWidget& w(ui::ControlId id) { return *window().widget(id); }
  void setField(ui::ControlId id, const char* text) { window().textBox(id).setText(text); }
  // What the analysis window must never change: every field, the operator and the status bar.
  std::vector<std::string> mainWindowState() {
    std::vector<std::string> state;
    for (const ui::ControlId id :
         {Text1, TextN, TextInterest, TextPV, TextFV, TextPMT, TextPer, TextCF, TextDecimal})
      state.push_back(window().textBox(id).text());
    for (const ui::ControlId id : {Label1, Label4})
      state.push_back(qobject_cast<QLabel*>(&w(id))->text().toStdString());
    return state;
  }
  void enterLoan() {
    setField(TextInterest, "0.5");
    setField(TextN, "12");
    setField(TextPV, "1000");
  }
  // Presses the menu's shortcut in the focused widget, as the user does.
  void pressMenuKey(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier | Qt::ShiftModifier);
  }
  AnalysisWindow& analysis() {
    if (!window().analysisWindow()) throw std::runtime_error("no analysis window");
    return *window().analysisWindow();
  }
  QTableView& table() { return analysis().loanSchedule().table(); }
  template <typename T>
  T& child(const char* name) {
    T* found = analysis().findChild<T*>(QString::fromLatin1(name));
    if (!found) throw std::logic_error(name);
    return *found;
  }

  QTemporaryDir folder;
  testing::NoHelp help;
  std::unique_ptr<testing::Program> app;
  std::unique_ptr<MainProgram> program;
};

// State: a 12-month loan in the fields, the focus in a field. Action: Ctrl+Shift+L, then
// Ctrl+Shift+P from the cash-flow list. Expected: one window of its own, not modal, at the tab
// asked for each time, the schedule's 12 periods, a year total and the total in its table.
TEST_F(AnalysisWindowTest, EachMenuKeyOpensTheOneWindowAtItsTabFromAnyField) {
  enterLoan();
  QTest::mouseClick(&w(TextPV), Qt::LeftButton);
  pressMenuKey(Qt::Key_L);
  ASSERT_NE(window().analysisWindow(), nullptr);
  EXPECT_TRUE(analysis().isVisible());
  EXPECT_TRUE(analysis().isWindow());
  EXPECT_EQ(analysis().parentWidget(), nullptr);
  EXPECT_EQ(analysis().windowModality(), Qt::NonModal);
  EXPECT_EQ(analysis().windowTitle(), "Analysis");
  EXPECT_EQ(analysis().page(), AnalysisPage::LoanSchedule);
  ASSERT_EQ(table().model()->rowCount(), 14);
  EXPECT_EQ(table().model()->index(11, 0).data().toString(), "12");
  EXPECT_EQ(table().model()->index(12, 0).data().toString(), "Year 1");
  EXPECT_EQ(table().model()->index(13, 0).data().toString(), "Total");
  EXPECT_EQ(table().model()->index(13, 4).data().toString(), "0.00");

  testing::showActive(window());
  QTest::mouseClick(&w(CommandCF), Qt::LeftButton);  // rolls the cash-flow list open
  ASSERT_EQ(QApplication::focusWidget(), &w(TextCF));
  pressMenuKey(Qt::Key_P);
  EXPECT_EQ(window().analysisWindow(), &analysis());
  EXPECT_EQ(analysis().page(), AnalysisPage::CashFlowProfile);
  EXPECT_EQ(QApplication::topLevelWidgets().count(&analysis()), 1);
  EXPECT_TRUE(window().isEnabled());
}

// State: the window open on a loan. Action: the number of periods changed, then F5; changed
// again, the year totals turned off, then the Refresh button. Expected: the table follows the
// fields at each refresh, an option only the fields last read; the main window keeps its
// fields, display and status bar.
TEST_F(AnalysisWindowTest, RefreshReadsTheFieldsAgainAndLeavesTheMainWindowAlone) {
  enterLoan();
  window().menuItem(MenuLoanSchedule)->trigger();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&analysis()));
  EXPECT_EQ(table().model()->rowCount(), 14);

  setField(TextN, "24");
  const std::vector<std::string> before = mainWindowState();
  QTest::keyClick(&analysis(), Qt::Key_F5);
  EXPECT_EQ(table().model()->rowCount(), 27);  // two years of 12, their totals, the total
  setField(TextN, "6");
  child<QCheckBox>("LoanScheduleYearTotals").click();
  EXPECT_EQ(table().model()->rowCount(), 25);
  QTest::mouseClick(&analysis().refreshButton(), Qt::LeftButton);
  EXPECT_EQ(table().model()->rowCount(), 7);
  setField(TextN, "24");
  EXPECT_EQ(mainWindowState(), before);
}

// State: the schedule shown. Action: Copy; Save as CSV into a folder that does not exist, then
// into a writable one, a name typed without its suffix. Expected: the rows under their header
// line on the clipboard; a message naming the file and no file; then exactly the CSV text.
TEST_F(AnalysisWindowTest, CopyAndSaveGiveTheScheduleAndAFailedSaveSaysWhichFile) {
  enterLoan();
  window().menuItem(MenuLoanSchedule)->trigger();
  LoanScheduleTab& tab = analysis().loanSchedule();

  QTest::mouseClick(&child<QPushButton>("LoanScheduleCopy"), Qt::LeftButton);
  const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
  ASSERT_EQ(lines.size(), 16);  // the header, 14 rows, and the empty rest after the last LF
  EXPECT_EQ(lines[0],
            "Period\tPayment\tInterest\tPrincipal\tBalance\tCumulative Interest\t"
            "Cumulative Principal");
  EXPECT_TRUE(lines[1].startsWith("1\t-86.07\t")) << lines[1].toStdString();

  QTemporaryDir target;
  const QString missing = target.filePath("missing/schedule");
  tab.askSavePath = [&] { return missing; };
  {
    testing::BoxAnswerer answerer;
    QTest::mouseClick(&child<QPushButton>("LoanScheduleSave"), Qt::LeftButton);
    EXPECT_EQ(answerer.answered, 1);
    EXPECT_EQ(answerer.title, "Vantro Calculator");
    EXPECT_EQ(answerer.text,
              "Could not save the schedule to \"" + missing.toStdString() + ".csv\".");
  }
  EXPECT_TRUE(QDir(target.path()).isEmpty());

  tab.askSavePath = [&] { return target.filePath("schedule"); };
  QTest::mouseClick(&child<QPushButton>("LoanScheduleSave"), Qt::LeftButton);
  std::ifstream saved(target.filePath("schedule.csv").toStdString(), std::ios::binary);
  std::ostringstream content;
  content << saved.rdbuf();
  EXPECT_EQ(content.str(), tab.report().csvText());
  EXPECT_EQ(QDir(target.path()).entryList(QDir::Files), QStringList{"schedule.csv"});
}

// State: the PMT key's payment in the field, then the payment timing changed. Action: the
// schedule opened; then the Payment field cleared and Refresh. Expected: above the table, a
// sentence that the payment does not settle the loan, read out as its text (no fixed accessible
// name); gone once the field is empty.
TEST_F(AnalysisWindowTest, AStalePaymentIsNamedAboveTheTableUntilTheFieldSettlesTheLoan) {
  enterLoan();
  QTest::mouseClick(&w(CommandPMT), Qt::LeftButton);
  qobject_cast<QCheckBox*>(&w(CheckPayment))->click();
  window().menuItem(MenuLoanSchedule)->trigger();
  auto& note = child<QLabel>("LoanSchedulePaymentNote");
  EXPECT_TRUE(note.isVisible());
  EXPECT_TRUE(table().isVisible());
  EXPECT_TRUE(note.text().startsWith("The Payment field's -86.07 does not settle this loan"))
      << note.text().toStdString();
  EXPECT_EQ(note.text().toStdString(), analysis().loanSchedule().report().paymentNote());
  EXPECT_TRUE(note.accessibleName().isEmpty());
  EXPECT_LT(note.mapTo(&analysis(), QPoint()).y(), table().mapTo(&analysis(), QPoint()).y());

  setField(TextPMT, "");
  QTest::mouseClick(&analysis().refreshButton(), Qt::LeftButton);
  EXPECT_FALSE(note.isVisible());
  EXPECT_TRUE(table().isVisible());
}

// State: no number of periods; no cash flows. Expected: each tab shows its sentence, read out
// as its text, neither a table nor a chart, and nothing to copy or save.
TEST_F(AnalysisWindowTest, AnEmptyFieldShowsItsSentenceInsteadOfTableAndChart) {
  setField(TextInterest, "0.5");
  setField(TextPV, "1000");
  window().menuItem(MenuLoanSchedule)->trigger();
  const auto& problem = child<QLabel>("LoanScheduleProblem");
  EXPECT_TRUE(problem.isVisible());
  EXPECT_TRUE(problem.text().contains("NPer")) << problem.text().toStdString();
  EXPECT_TRUE(problem.accessibleName().isEmpty());  // read out as its text
  EXPECT_FALSE(table().isVisible());
  EXPECT_FALSE(child<QWidget>("LoanScheduleChart").isVisible());
  EXPECT_FALSE(child<QPushButton>("LoanScheduleCopy").isEnabled());
  EXPECT_FALSE(child<QPushButton>("LoanScheduleSave").isEnabled());

  window().menuItem(MenuCashFlowProfile)->trigger();
  EXPECT_TRUE(child<QLabel>("CashFlowProfileSentence").isVisible());
  EXPECT_FALSE(child<QLabel>("CashFlowProfileSentence").text().isEmpty());
  EXPECT_TRUE(child<QLabel>("CashFlowProfileSentence").accessibleName().isEmpty());
  EXPECT_FALSE(child<QWidget>("CashFlowProfileChart").isVisible());
}

}  // namespace
}  // namespace vantro::qt
