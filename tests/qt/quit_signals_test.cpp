// Asked from outside to end, the program saves its window's position as on a close by the user.
#include "qt/quit_signals.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "qt_harness.h"

namespace vantro::qt {
namespace {

namespace fs = std::filesystem;
using QuitSignalsTest = testing::ProgramFolderTest;
using testing::readFile;

// The built program, copied into a folder of its own (its settings go beside it).
TEST_F(QuitSignalsTest, ASignalToTheRunningProgramSavesThePositionAndEndsIt) {
  for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
    const std::string lock = instanceLockPath(path("vantro-calculator").string());
    fs::remove(lock);
    fs::remove(path("VantroCalc.ini"));
    fs::copy_file(VANTRO_PROGRAM, path("vantro-calculator"), fs::copy_options::overwrite_existing);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QString::fromStdString(path("vantro-calculator").string()), {});
    ASSERT_TRUE(program.waitForStarted(5000));
    // The handlers are in place before the lock is taken, and a signal is handled only once
    // the event loop runs, after the window opened.
    ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(lock); }, 10000)) << lock;
    ::kill(static_cast<pid_t>(program.processId()), signalNumber);
    EXPECT_TRUE(program.waitForFinished(5000)) << signalNumber;
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << signalNumber;
    EXPECT_EQ(program.exitCode(), 0) << signalNumber;
    EXPECT_EQ(readFile(path("VantroCalc.ini")).rfind("[System]\r\nXPosition=", 0), 0u)
        << signalNumber;
  }
}

}  // namespace
}  // namespace vantro::qt
