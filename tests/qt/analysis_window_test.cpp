// The analysis window opened from the real program window, with the window logic behind it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <filesystem>

#include "qt/analysis/analysis_window.h"
#include "qt/analysis/loan_schedule_options.h"
#include "qt/analysis/loan_schedule_tab.h"
#include "qt_harness.h"

namespace vantro::qt {
namespace {

using enum ui::ControlId;
using ui::AnalysisPage;

class AnalysisWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::showActive(window());
    for (const auto& [id, text] :
         {std::pair{TextInterest, "0.5"}, {TextN, "12"}, {TextPV, "1000"}})  // a loan
      setField(id, text);
  }

  MainWindow& window() { return open.window(); }
  QWidget& w(ui::ControlId id) { return *window().widget(id); }
  void setField(ui::ControlId id, const char* text) { window().textBox(id).setText(text); }
  // What the analysis window must never change: every field, the operator and the status bar.
  std::string mainWindowState() {
    std::string state;
    for (const ui::ControlId id :
         {Text1, TextN, TextInterest, TextPV, TextFV, TextPMT, TextPer, TextCF, TextDecimal})
      state += window().textBox(id).text() + "|";
    for (const ui::ControlId id : {Label1, Label4})
      state += qobject_cast<QLabel*>(&w(id))->text().toStdString() + "|";
    return state;
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
  int rows() { return table().model()->rowCount(); }
  template <typename T>
  T& child(const char* name) {
    T* found = analysis().findChild<T*>(QString::fromLatin1(name));
    if (!found) throw std::logic_error(name);
    return *found;
  }

  testing::OpenProgram open;
};

// State: a 12-month loan in the fields, the focus in a field. Action: Ctrl+Shift+L, then
// Ctrl+Shift+P from the cash-flow list. Expected: one window of its own, not modal, at the tab
// asked for each time, the schedule's 12 periods, a year total and the total in its table.
TEST_F(AnalysisWindowTest, EachMenuKeyOpensTheOneWindowAtItsTabFromAnyField) {
  QTest::mouseClick(&w(TextPV), Qt::LeftButton);
  pressMenuKey(Qt::Key_L);
  ASSERT_NE(window().analysisWindow(), nullptr);
  EXPECT_TRUE(analysis().isVisible() && analysis().isWindow() && !analysis().parentWidget());
  EXPECT_EQ(analysis().windowModality(), Qt::NonModal);
  EXPECT_EQ(analysis().windowTitle(), "Analysis");
  EXPECT_EQ(analysis().page(), AnalysisPage::LoanSchedule);
  ASSERT_EQ(rows(), 14);
  QStringList cells;
  for (const auto& [row, column] : {std::pair{11, 0}, {12, 0}, {13, 0}, {13, 4}})
    cells << table().model()->index(row, column).data().toString();
  EXPECT_EQ(cells.join('|'), "12|Year 1|Total|0.00");

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
  window().menuItem(MenuLoanSchedule)->trigger();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&analysis()));
  EXPECT_EQ(rows(), 14);
  setField(TextN, "24");
  const std::string before = mainWindowState();
  QTest::keyClick(&analysis(), Qt::Key_F5);
  EXPECT_EQ(rows(), 27);  // two years of 12, their totals, the total
  setField(TextN, "6");
  child<QCheckBox>("LoanScheduleYearTotals").click();
  EXPECT_EQ(rows(), 25);
  QTest::mouseClick(&analysis().refreshButton(), Qt::LeftButton);
  EXPECT_EQ(rows(), 7);
  setField(TextN, "24");
  EXPECT_EQ(mainWindowState(), before);
}

// State: the schedule shown. Action: Copy; Save as CSV into a folder that does not exist, then
// into a writable one, a name typed without its suffix. Expected: the rows under their header
// line on the clipboard; a message naming the file and no file; then exactly the CSV text.
TEST_F(AnalysisWindowTest, CopyAndSaveGiveTheScheduleAndAFailedSaveSaysWhichFile) {
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
    EXPECT_EQ(answerer.text,
              "Could not save the schedule to \"" + missing.toStdString() + ".csv\".");
  }
  EXPECT_TRUE(QDir(target.path()).isEmpty());

  tab.askSavePath = [&] { return target.filePath("schedule"); };
  QTest::mouseClick(&child<QPushButton>("LoanScheduleSave"), Qt::LeftButton);
  EXPECT_EQ(testing::readFile(target.filePath("schedule.csv").toStdString()),
            tab.report().csvText());
  EXPECT_EQ(QDir(target.path()).entryList(QDir::Files), QStringList{"schedule.csv"});
}

// State: the PMT key's payment in the field, then the payment timing changed. Action: the
// schedule opened; then the Payment field cleared and Refresh. Expected: above the table, a
// sentence that the payment does not settle the loan, read out as its text (no fixed accessible
// name); gone once the field is empty.
TEST_F(AnalysisWindowTest, AStalePaymentIsNamedAboveTheTableUntilTheFieldSettlesTheLoan) {
  QTest::mouseClick(&w(CommandPMT), Qt::LeftButton);
  qobject_cast<QCheckBox*>(&w(CheckPayment))->click();
  window().menuItem(MenuLoanSchedule)->trigger();
  auto& note = child<QLabel>("LoanSchedulePaymentNote");
  EXPECT_TRUE(note.isVisible() && table().isVisible());
  EXPECT_TRUE(note.text().startsWith("The Payment field's -86.07 does not settle this loan"))
      << note.text().toStdString();
  EXPECT_EQ(note.text().toStdString(), analysis().loanSchedule().report().paymentNote());
  EXPECT_TRUE(note.accessibleName().isEmpty());
  EXPECT_LT(note.mapTo(&analysis(), QPoint()).y(), table().mapTo(&analysis(), QPoint()).y());

  setField(TextPMT, "");
  QTest::mouseClick(&analysis().refreshButton(), Qt::LeftButton);
  EXPECT_TRUE(!note.isVisible() && table().isVisible());
}

// State: a 25-year loan of 100,000 in the fields, the tab reading the rate as an annual one.
// Action: 6 typed into Convert, compounded twice a year, Put in Interest. Expected: the
// Interest field holds the rate per payment, the tab reads it per payment again, and the
// schedule pays -639.81 a month.
TEST_F(AnalysisWindowTest, TheConverterPutsTheRatePerPaymentIntoTheInterestField) {
  setField(TextN, "300");
  setField(TextPV, "100000");
  window().menuItem(MenuLoanSchedule)->trigger();
  LoanScheduleOptionsBar& bar = analysis().loanSchedule().optionsBar();
  QTest::mouseClick(&bar.showMore(), Qt::LeftButton);
  bar.rateBasis().setCurrentIndex(1);
  bar.compounding().setCurrentIndex(1);
  QTest::keyClicks(&bar.annualRate(), "6");
  QTest::mouseClick(&bar.useRate(), Qt::LeftButton);
  EXPECT_EQ(window().textBox(TextInterest).text(), "0.493862203119698");
  EXPECT_EQ(bar.rateBasis().currentIndex(), 0);
  EXPECT_EQ(table().model()->index(0, 1).data().toString(), "-639.81");
}

// State: no number of periods; no cash flows. Expected: each tab shows its sentence, read out
// as its text, neither a table nor a chart, and nothing to copy or save.
TEST_F(AnalysisWindowTest, AnEmptyFieldShowsItsSentenceInsteadOfTableAndChart) {
  setField(TextN, "");
  window().menuItem(MenuLoanSchedule)->trigger();
  const auto& problem = child<QLabel>("LoanScheduleProblem");
  EXPECT_TRUE(problem.isVisible() && problem.accessibleName().isEmpty());  // read as its text
  EXPECT_TRUE(problem.text().contains("NPer")) << problem.text().toStdString();
  EXPECT_FALSE(table().isVisible() || child<QWidget>("LoanScheduleChart").isVisible());
  EXPECT_FALSE(child<QPushButton>("LoanScheduleCopy").isEnabled() ||
               child<QPushButton>("LoanScheduleSave").isEnabled());

  window().menuItem(MenuCashFlowProfile)->trigger();
  const auto& sentence = child<QLabel>("CashFlowProfileSentence");
  EXPECT_TRUE(sentence.isVisible() && sentence.accessibleName().isEmpty());
  EXPECT_FALSE(sentence.text().isEmpty());
  EXPECT_FALSE(child<QWidget>("CashFlowProfileChart").isVisible());
}

// State: a German desktop; two columns copied from a spreadsheet, with their heading line, on
// the clipboard. Action: Ctrl+Shift+D from a field, Ctrl+V in the table's first cell, Ctrl+C,
// 9 typed into the Rate box, Tab three times from the table, Alt+O, Delete. Expected: the tab
// opens; the flows fill five rows and an empty one, the heading is said to be left out; the
// pasted cells, left selected, copy back as they came; the figures in the locale's form; Tab
// leaves the table for the boxes and the chart, its mnemonic returns; Delete empties it.
TEST_F(AnalysisWindowTest, DatedFlowsPastedFromASpreadsheetGiveTheirXnpvAndXirr) {
  QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
  const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
  const QString pasted =
      "Datum\tBetrag\n01.01.08\t-10.000\n01.03.08\t2.750\n30.10.08\t4.250\n"
      "15.02.09\t3.250\n01.04.09\t2.750\n";
  QGuiApplication::clipboard()->setText(pasted);
  QTest::mouseClick(&w(TextPV), Qt::LeftButton);
  pressMenuKey(Qt::Key_D);
  ASSERT_EQ(analysis().page(), AnalysisPage::DatedCashFlows);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&analysis()));
  auto& flows = child<QTableView>("DatedCashFlowsTable");
  flows.setFocus();
  flows.setCurrentIndex(flows.model()->index(0, 0));
  QTest::keyClick(&flows, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(flows.model()->rowCount(), 6);
  EXPECT_EQ(flows.model()->index(4, 0).data().toString() + "|" +
                flows.model()->index(4, 1).data().toString(),
            "01.04.09|2.750");
  EXPECT_TRUE(child<QLabel>("DatedCashFlowsPasteNote").text().contains("\"Datum Betrag\""));
  QTest::keyClick(&flows, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), pasted.mid(pasted.indexOf('\n') + 1));

  auto& rate = child<QLineEdit>("DatedCashFlowsRate");
  rate.selectAll();
  QTest::keyClicks(&rate, "9");
  QStringList shown;
  for (const QLabel* label : child<QWidget>("DatedCashFlowsFigures").findChildren<QLabel*>())
    shown << label->text();
  EXPECT_EQ(shown.join('|'), "XNPV at 9,00 %|2.086,65|XIRR|37,34 % (nearest the guess)");
  EXPECT_TRUE(child<QLabel>("DatedCashFlowsSentence").text().startsWith("5 flows from 2008-01-01"));

  flows.setFocus();
  QStringList tabbedTo;
  for (int i = 0; i < 3; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    tabbedTo << QApplication::focusWidget()->objectName();
  }
  EXPECT_EQ(tabbedTo.join(QLatin1Char('|')).toStdString(),
            "DatedCashFlowsRate|DatedCashFlowsGuess|DatedCashFlowsChart");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), &flows);
  QTest::keyClick(&flows, Qt::Key_Delete);
  EXPECT_EQ(flows.model()->rowCount(), 1);
}

}  // namespace
}  // namespace vantro::qt
