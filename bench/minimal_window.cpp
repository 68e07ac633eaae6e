// The start-up baseline: the smallest Qt Widgets window, with the same Qt as the calculator.
// tools/measure_startup.sh times both programs from exec to their window being mapped.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Minimal Window"));
  window.resize(393, 540);
  window.show();
  return app.exec();
}
