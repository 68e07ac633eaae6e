// The single-instance lock across real processes.
#include "qt/instance_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <filesystem>
#include <fstream>

#include "qt/qt_services.h"
#include "qt_harness.h"

namespace vantro::qt {
namespace {

class InstanceLockTest : public testing::ProgramFolderTest {
 protected:
  void TearDown() override {
    holder.kill();
    holder.waitForFinished();
  }

  // Starts the helper process on `program`, as the user `uid` if given; returns what it says
  // first ("locked" or "busy").
  std::string startHolder(const QString& uid = {}) {
    QStringList arguments{QString::fromStdString(program)};
    if (!uid.isEmpty()) arguments << uid;
    holder.start(QStringLiteral(VANTRO_LOCK_HOLDER), arguments);
    if (!holder.waitForStarted(5000) || !holder.waitForReadyRead(5000)) return "no answer";
    return holder.readLine().trimmed().toStdString();
  }

  const std::string program = path("vantro-calculator").string();
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

// Without a runtime folder the lock lives in a folder that only its user can enter.
TEST_F(InstanceLockTest, WithoutARuntimeFolderUsersNeverShareALock) {
  qunsetenv("XDG_RUNTIME_DIR");
  const std::filesystem::path path = instanceLockPath(program);
  struct stat folderInfo {};
  ASSERT_EQ(::lstat(path.parent_path().c_str(), &folderInfo), 0) << path;
  EXPECT_TRUE(S_ISDIR(folderInfo.st_mode));
  EXPECT_EQ(folderInfo.st_uid, ::geteuid());
  EXPECT_EQ(folderInfo.st_mode & 07777, 0700u);
  if (::geteuid() != 0) GTEST_SKIP() << "another user's copy needs root to start";

  const QString nobody = QStringLiteral("65534");
  ASSERT_EQ(startHolder(nobody), "locked");
  InstanceLock lock;
  EXPECT_EQ(lock.tryTake(program), InstanceLock::Result::Taken);
  holder.kill();
  holder.waitForFinished();
  EXPECT_EQ(startHolder(nobody), "locked");
  std::filesystem::remove(path);
  std::filesystem::remove(std::filesystem::path("/tmp/vantro-calculator-65534") / path.filename());
}

// The private folder is made if missing; one that is not ours, or not a plain folder, is refused.
TEST_F(InstanceLockTest, OnlyAFolderOfOurOwnIsPrivate) {
  namespace fs = std::filesystem;
  const fs::path base = folder.path().toStdString();
  fs::create_directories(base / "loose");
  fs::permissions(base / "loose", fs::perms::all);
  fs::create_directory_symlink(base / "loose", base / "link");
  std::ofstream(base / "file") << "";
  fs::create_directories(base / "theirs");
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown((base / "theirs").c_str(), 65534, 65534), 0);
  }
  struct Case {
    const char* name;
    bool usable;
  };
  const Case cases[] = {
      {"new", true}, {"loose", true}, {"link", false}, {"file", false}, {"theirs", !root}};
  for (const Case& c : cases) {
    EXPECT_EQ(ensurePrivateFolder((base / c.name).string()), c.usable) << c.name;
    if (c.usable) {
      EXPECT_EQ(fs::status(base / c.name).permissions(), fs::perms::owner_all);
    }
  }
}

}  // namespace
}  // namespace vantro::qt
