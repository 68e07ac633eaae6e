#include <QApplication>
#include <cstdlib>
#include <cstring>

#include "qt/help/qt_help_viewer.h"
#include "qt/qt_services.h"
#include "qt/quit_signals.h"
#include "ui/module1.h"

namespace {

bool isSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// A Wayland client may not place its own window, and the program restores its position:
// under a Wayland session it runs through XWayland, unless the user chose a platform.
void preferXcbUnderWayland() {
  if (isSet("QT_QPA_PLATFORM") || !isSet("DISPLAY")) return;
  const char* session = std::getenv("XDG_SESSION_TYPE");
  if (isSet("WAYLAND_DISPLAY") || (session && std::strcmp(session, "wayland") == 0))
    setenv("QT_QPA_PLATFORM", "xcb", 1);
}

}  // namespace

int main(int argc, char* argv[]) {
  preferXcbUnderWayland();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vantro Calculator"));
  QApplication::setApplicationDisplayName(QStringLiteral("Vantro Calculator"));
  // Lets the desktop match the windows to the installed desktop entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.VantroCalculator"));
  // The window's colours are part of its design; Fusion draws them on every desktop.
  QApplication::setStyle(QStringLiteral("Fusion"));

  vantro::qt::QtApplication services(QCoreApplication::applicationFilePath().toStdString());
  const vantro::qt::QuitSignals quitSignals(services);
  vantro::qt::QtMessageBox messages;
  vantro::qt::QtHelpViewer help;
  vantro::ui::Module1 module(services, messages, help);
  services.attachModule(module);
  module.Main();
  if (services.ended()) return 0;
  return app.exec();
}
