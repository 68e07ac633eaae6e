#include "qt/desktop_services.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include "qt/code_points.h"

namespace vantro::qt {

void QtUrlOpener::openUrl(const std::string& url) {
  QDesktopServices::openUrl(QUrl(fromUtf8(url)));
}

std::filesystem::path QtProgramLauncher::findProgram(const std::string& name) const {
  return toUtf8(QStandardPaths::findExecutable(fromUtf8(name)));
}

bool QtProgramLauncher::startDetached(const std::filesystem::path& program,
                                      const std::vector<std::string>& arguments) {
  QStringList list;
  for (const std::string& argument : arguments) list << fromUtf8(argument);
  return QProcess::startDetached(fromUtf8(program.string()), list);
}

}  // namespace vantro::qt
