#include "ui/info/info_windows.h"

namespace vantro::ui {

std::string VersionCaption(const ProgramVersion& version) {
  std::string caption = "Version : ";
  caption += std::to_string(version.major);
  caption += '.';
  caption += std::to_string(version.minor);
  caption += '.';
  caption += std::to_string(version.revision);
  return caption;
}

// Computed in single precision, as the window's position is kept.
void CentreOnScreen(InfoWindow& window) {
  const float left =
      (static_cast<float>(window.screenWidth()) - static_cast<float>(window.width())) / 2;
  const float top =
      (static_cast<float>(window.screenHeight()) - static_cast<float>(window.height())) / 2;
  window.move(left, top);
}

}  // namespace vantro::ui
