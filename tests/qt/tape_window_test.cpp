// The tape in the real program: recorded as the keys are pressed, kept across a restart, and
// the Tape window's commands on it.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "core/tape/tape_store.h"
#include "program_parts.h"
#include "qt/tape/tape_window.h"

namespace vantro::qt {
namespace {

using enum ui::ControlId;

// Where the program keeps its tape: set before the program starts.
struct DataHome {
  explicit DataHome(const QString& folder) { qputenv("XDG_DATA_HOME", folder.toLocal8Bit()); }
};

struct TapedProgram : DataHome, testing::OpenProgram {
  explicit TapedProgram(const QString& dataHome) : DataHome(dataHome) {}
  void click(ui::ControlId key) { QTest::mouseClick(window().widget(key), Qt::LeftButton); }
  // 2 + 3 =, then the payment of a loan.
  void calculate() {
    for (const ui::ControlId key : {Num2Command, NumPlusCommand, Num3Command, NumEqCommand})
      click(key);
    for (const auto& [box, text] :
         {std::pair{TextInterest, "7/12"}, {TextN, "360"}, {TextPV, "150000"}})
      window().textBox(box).setText(text);
    click(CommandPMT);
  }
  TapeWindow& openTape() {
    window().menuItem(MenuTape)->trigger();
    TapeWindow* tape = program.tape().window();
    EXPECT_TRUE(tape && tape->isVisible());
    tape->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(tape));
    return *tape;
  }
  QString row(TapeWindow& tape, int line) {
    const QAbstractItemModel& model = *tape.view().model();
    return model.index(line, 1).data().toString() + " | " + model.index(line, 2).data().toString();
  }
};

const char* const kPayment =
    "PMT: Interest 0.583333333333333 %, NPer 360, PV 150000, FV 0, End -> -997.95 | -997.95";

TEST(TapeWindowTest, ShowsTheCalculationsOfThisAndEarlierSessionsAndChecksThem) {
  const QTemporaryDir dataHome;
  {
    TapedProgram earlier(dataHome.path());
    earlier.calculate();
  }
  {  // someone alters the payment's result in the file
    core::tape::TapeStore store(dataHome.path().toStdString() + "/vantro-calculator");
    std::vector<core::tape::Entry> lines = store.load().entries;
    *lines.at(1).result -= 0.01;
    ASSERT_TRUE(store.clear());
    for (const core::tape::Entry& line : lines) ASSERT_TRUE(store.append(line));
  }
  TapedProgram later(dataHome.path());
  later.click(Num7Command);
  later.click(NumSqRtCommand);
  TapeWindow& tape = later.openTape();
  ASSERT_EQ(tape.view().model()->rowCount(), 3);
  EXPECT_EQ(later.row(tape, 0), "2  +  3 = 5 | 5");
  EXPECT_EQ(later.row(tape, 1), kPayment);
  EXPECT_EQ(later.row(tape, 2), "sqrt(7) = 2.64575131106459 | 2.64575131106459");
  // A screen reader hears each line by its name, and each new line as it is written.
  QAccessibleTableInterface* table =
      QAccessible::queryAccessibleInterface(&tape.view())->tableInterface();
  ASSERT_TRUE(table);
  EXPECT_TRUE(table->cellAt(1, 0)->text(QAccessible::Name).startsWith("PMT, minus 997.95, at "));
  later.click(Num1Command);  // recorded while the window is open, and shown at once
  later.click(CommandInvertX);
  EXPECT_EQ(tape.view().model()->rowCount(), 4);
  EXPECT_TRUE(tape.announced().startsWith("1/X, 0.3")) << tape.announced().toStdString();
  tape.check();
  EXPECT_EQ(tape.status(), "1 line checked, 1 differs");
  const QModelIndex altered = tape.view().model()->index(1, 2);
  EXPECT_EQ(altered.data(Qt::ToolTipRole).toString(), "Recorded -997.96, today -997.95");
  EXPECT_TRUE(altered.data(Qt::BackgroundRole).isValid());
  EXPECT_FALSE(tape.view().model()->index(0, 2).data(Qt::BackgroundRole).isValid());
}

TEST(TapeWindowTest, CopiesSavesPrintsRecallsAndFindsLines) {
  const QTemporaryDir dataHome;
  TapedProgram program(dataHome.path());
  program.calculate();
  TapeWindow& tape = program.openTape();
  tape.view().selectAll();
  tape.copySelection();
  const QStringList copied = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(copied.size(), 2);
  EXPECT_TRUE(
      copied[1].endsWith("\tPMT: Interest 0.583333333333333 %, NPer 360, PV 150000, FV 0, "
                         "End -> -997.95\t-997.95"))
      << copied[1].toStdString();

  const QString csv = program.folder.filePath("tape.csv");
  ASSERT_TRUE(tape.saveCsv(csv));
  QFile saved(csv);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_TRUE(saved.readAll().startsWith("Time,Kind,Operation,Calculation,Result"));
  EXPECT_FALSE(tape.saveCsv(program.folder.filePath("no such folder/tape.csv")));

  const QString pdf = program.folder.filePath("tape.pdf");
  ASSERT_TRUE(tape.savePdf(pdf));
  QProcess text;
  text.start("pdftotext", {pdf, "-"});
  ASSERT_TRUE(text.waitForFinished(30000)) << "pdftotext (poppler-utils) is needed";
  const QString printed = QString::fromUtf8(text.readAllStandardOutput()).simplified();
  EXPECT_TRUE(printed.startsWith("Vantro Calculator tape Printed")) << printed.toStdString();
  EXPECT_TRUE(printed.contains("NPer 360, PV 150000")) << printed.toStdString();

  for (const ui::ControlId box : {TextInterest, TextN, TextPV})
    program.window().textBox(box).setText("");
  tape.view().selectRow(1);
  QTest::keyClick(&tape.view(), Qt::Key_Return);
  EXPECT_EQ(program.window().textBox(TextPV).text(), "150000");
  EXPECT_EQ(program.window().textBox(TextN).text(), "360");
  program.click(CommandPMT);
  EXPECT_EQ(program.window().textBox(Text1).text(), "-997.95");

  tape.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&tape));
  QTest::keyClick(&tape, Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(tape.findBox().isVisible());
  QTest::keyClicks(&tape.findBox(), "2  +");
  EXPECT_EQ(tape.view().currentIndex().row(), 0);
  QTest::keyClicks(&tape.findBox(), "x");
  EXPECT_EQ(tape.status(), "\"2  +x\" is not on the tape.");
}

}  // namespace
}  // namespace vantro::qt
