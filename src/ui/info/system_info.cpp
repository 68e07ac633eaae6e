#include "ui/info/system_info.h"

namespace vantro::ui {

// The desktops' own "about this computer" views come first, then hardware browsers, which
// exist on any desktop. Command names as Debian 12 installs them.
std::span<const ToolCommand> systemInformationTools() {
  static const std::vector<ToolCommand> tools = {
      {"gnome-control-center", {"info-overview"}},     // GNOME Settings, About panel
      {"kinfocenter", {}},                             // KDE Plasma
      {"xfce4-about", {}},                             // Xfce
      {"mate-system-monitor", {"--show-system-tab"}},  // MATE
      {"hardinfo", {}},
      {"lshw-gtk", {}},
  };
  return tools;
}

std::optional<LocatedTool> LocateTool(
    std::span<const ToolCommand> candidates,
    const std::function<std::filesystem::path(const std::string&)>& findProgram) {
  for (const ToolCommand& candidate : candidates) {
    std::filesystem::path found = findProgram(candidate.program);
    if (!found.empty()) return LocatedTool{std::move(found), candidate.arguments};
  }
  return std::nullopt;
}

}  // namespace vantro::ui
