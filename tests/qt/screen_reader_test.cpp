// What a screen reader hears from the program, through a real AT-SPI listener
// (atspi_listener.py). Runs inside with_atspi.sh, which gives it an X display, a session bus and
// the accessibility bus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <memory>

#include "program_parts.h"
#include "qt/analysis/analysis_window.h"
#include "qt/analysis/loan_schedule_tab.h"

namespace vantro::qt {
namespace {

using enum ui::ControlId;

class ScreenReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    listener.start(QStringLiteral(VANTRO_SYSTEM_PYTHON), {QStringLiteral(VANTRO_ATSPI_LISTENER)});
    ASSERT_TRUE(listener.waitForStarted(5000));
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return heard().contains(QStringLiteral("ready")); }, 10000))
        << listener.readAllStandardError().toStdString();
    open = std::make_unique<testing::OpenProgram>();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  }
  void TearDown() override {
    open.reset();
    listener.kill();
    listener.waitForFinished(5000);
  }

  MainWindow& window() { return open->window(); }
  void click(ui::ControlId id) { QTest::mouseClick(window().widget(id), Qt::LeftButton); }
  // Every line the listener printed so far.
  const QStringList& heard() {
    while (listener.canReadLine()) lines.append(QString::fromUtf8(listener.readLine()).trimmed());
    return lines;
  }
  // What the program announced: the names of the notifications shown.
  QStringList announced() {
    QStringList names;
    for (const QString& line : heard()) {
      if (line.startsWith(QStringLiteral("shown|notification|")))
        names.append(line.section(QLatin1Char('|'), 2));
    }
    return names;
  }

  bool hears(const QString& announcement) {
    return QTest::qWaitFor([&] { return announced().contains(announcement); }, 10000);
  }

  QProcess listener;
  QStringList lines;
  std::unique_ptr<testing::OpenProgram> open;
};

// State: a loan in the fields. Action: PMT; then AC 2 + 3 = on the keypad; then the loan
// schedule without a number of periods. Expected: the listener hears the payment with its
// status, the sum with its expression (and nothing for the keys that only type), and the
// sentence that says what the schedule needs.
TEST_F(ScreenReaderTest, ResultsAndTheAnalysisSentencesAreAnnounced) {
  // The program is heard once its accessibility bridge has joined the bus: until then a
  // caption set in the status bar goes unheard.
  auto* status = qobject_cast<QLabel*>(window().widget(Label4));
  bool bridgeUp = false;
  for (int attempt = 0; attempt < 50 && !bridgeUp; ++attempt) {
    status->setText(QStringLiteral("probe %1").arg(attempt));
    bridgeUp = QTest::qWaitFor(
        [this] { return heard().filter(QStringLiteral("named|label|probe")).size() > 0; }, 300);
  }
  ASSERT_TRUE(bridgeUp) << heard().join(QLatin1Char('\n')).toStdString();
  status->clear();

  window().textBox(TextInterest).setText("0.5");
  window().textBox(TextN).setText("12");
  window().textBox(TextPV).setText("1000");
  // Each step waits to be heard: the listener asks for a name when the event reaches it.
  click(CommandPMT);
  ASSERT_TRUE(hears(QStringLiteral("Payment, -86.07"))) << announced().join('\n').toStdString();
  for (const ui::ControlId key :
       {NumACCommand, Num2Command, NumPlusCommand, Num3Command, NumEqCommand}) {
    click(key);
    QCoreApplication::processEvents();  // one key, one turn of the event loop
  }
  ASSERT_TRUE(hears(QStringLiteral("2  +  3, 5"))) << announced().join('\n').toStdString();
  window().textBox(TextN).setText("");
  window().menuItem(MenuLoanSchedule)->trigger();
  const QString needs =
      QString::fromStdString(window().analysisWindow()->loanSchedule().report().problem());
  ASSERT_TRUE(hears(needs)) << announced().join('\n').toStdString();
  EXPECT_EQ(announced(),
            (QStringList{QStringLiteral("Payment, -86.07"), QStringLiteral("2  +  3, 5"), needs}));
}

}  // namespace
}  // namespace vantro::qt
