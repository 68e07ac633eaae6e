// GoogleTest with a QApplication, offscreen unless the caller chose a platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform says so for every fixed-size window, and for every window raised.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.contains(QLatin1String("does not support propagateSizeHints")) ||
      text.contains(QLatin1String("does not support raise()")))
    return;
  if (standardHandler)
    standardHandler(type, context, text);
  else
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  standardHandler = qInstallMessageHandler(quietOffscreenNotes);
  // The program keeps its tape in the user's data folder: the tests keep theirs in one of
  // their own.
  const QTemporaryDir dataHome;
  qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  return RUN_ALL_TESTS();
}
