#pragma once
// main() of the benchmarks that need Qt widgets: the offscreen platform unless the caller chose
// one, and the offscreen platform's note on every window shown kept out of the results.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>

namespace vantro::bench {

inline void quietOffscreenNotes(QtMsgType, const QMessageLogContext&, const QString& text) {
  if (!text.contains(QLatin1String("propagateSizeHints")))
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

inline int runWidgetBenchmarks(int argc, char* argv[]) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(quietOffscreenNotes);
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace vantro::bench
