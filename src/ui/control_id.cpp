#include "ui/control_id.h"

namespace vantro::ui {

std::optional<ControlId> controlByName(std::string_view name) {
  for (const ControlInfo& info : kControls)
    if (info.name == name) return info.id;
  return std::nullopt;
}

}  // namespace vantro::ui
