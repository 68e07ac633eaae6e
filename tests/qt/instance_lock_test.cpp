// The single-instance lock across real processes, and the start-up that refuses a second copy.
#include "qt/instance_lock.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "qt/qt_services.h"
#include "qt_harness.h"
#include "ui/module1.h"

namespace vantro::qt {
namespace {

class InstanceLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    qputenv("XDG_RUNTIME_DIR", folder.path().toLocal8Bit());
    program = (folder.path() + "/vantro-calculator").toStdString();
  }
  void TearDown() override {
    holder.kill();
    holder.waitForFinished();
  }

  // Starts the helper process on `program`; returns what it says first ("locked" or "busy").
  std::string startHolder() {
    holder.start(QStringLiteral(VANTRO_LOCK_HOLDER), {QString::fromStdString(program)});
    if (!holder.waitForStarted(5000) || !holder.waitForReadyRead(5000)) return "no answer";
    return holder.readLine().trimmed().toStdString();
  }

  QTemporaryDir folder;
  std::string program;
  QProcess holder;
};

TEST_F(InstanceLockTest, ALockHeldByAnotherProcessIsFreedWhenThatProcessIsKilled) {
  ASSERT_EQ(startHolder(), "locked");
  InstanceLock lock;
  EXPECT_EQ(lock.tryTake(program), InstanceLock::Result::HeldElsewhere);
  EXPECT_TRUE(QtApplication(program).previousInstance());

  holder.kill();  // SIGKILL: no chance to clean up
  ASSERT_TRUE(holder.waitForFinished(5000));
  EXPECT_EQ(lock.tryTake(program), InstanceLock::Result::Taken);
}

TEST_F(InstanceLockTest, TheLockIsPerProgramFileAndHeldForTheProcessLifetime) {
  QtApplication first(program);
  ASSERT_FALSE(first.previousInstance());
  EXPECT_FALSE(first.previousInstance());  // asking again keeps it
  EXPECT_EQ(startHolder(), "busy");
  InstanceLock other;
  EXPECT_EQ(other.tryTake(program + "-copy"), InstanceLock::Result::Taken);
  EXPECT_EQ(instanceLockPath(folder.path().toStdString() + "/./vantro-calculator"),
            instanceLockPath(program));
}

TEST_F(InstanceLockTest, MainRefusesASecondCopyWithTheMessageAndEnds) {
  ASSERT_EQ(startHolder(), "locked");
  QtApplication services(program);
  QtMessageBox messages;
  struct : ui::HelpViewer {
    void showContents(const std::filesystem::path&) override {}
    void showTopic(const std::filesystem::path&, const std::string&) override {}
  } help;
  ui::Module1 module(services, messages, help);
  services.attachModule(module);
  testing::BoxAnswerer answerer;
  module.Main();
  EXPECT_EQ(answerer.text, "Another Vantro Calculator already running, will quit this program.");
  EXPECT_EQ(answerer.title, "Vantro Calculator");
  EXPECT_EQ(services.program(), nullptr);
  EXPECT_TRUE(services.ended());
}

}  // namespace
}  // namespace vantro::qt
