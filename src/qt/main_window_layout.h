#pragma once
// The main window's widgets: where each stands (in twips from the client area's top-left,
// converted with px()), its caption, tooltip, font and colours.

#include <QWidget>
#include <array>

#include "qt/event_router.h"
#include "ui/control_id.h"
#include "ui/controls.h"

namespace vantro::qt {

inline constexpr int kClientWidthTwips = 5895;
inline constexpr int kDesignedOuterHeightTwips = 8100;
inline constexpr int kFrame1DesignedHeightTwips = 2400;

struct MainWindowWidgets {
  std::array<QWidget*, ui::kControlCount> byId{};  // nullptr for Form1 and the menu items
  std::array<ui::TextBox*, ui::kControlCount> textBoxes{};
};

// Creates every control of the main window as a child of `central`, reporting to `router`.
MainWindowWidgets buildMainWindowWidgets(QWidget& central, EventRouter& router);

}  // namespace vantro::qt
