#pragma once
// The main window's menu bar and toolbar. Each item reports its click to the logic; the
// toolbar's buttons report their keys.

#include <QAction>
#include <QMainWindow>
#include <QToolBar>

#include "qt/event_router.h"
#include "ui/control_id.h"

namespace vantro::qt {

struct MainWindowMenus {
  std::array<QAction*, ui::kControlCount> items{};  // by control id; nullptr for non-items
  QToolBar* toolbar = nullptr;
};

// The Edit, Analysis and Help menus in the window's menu bar, and the toolbar across the band at
// the top of `central` that the layout leaves free for it.
MainWindowMenus buildMenusAndToolbar(QMainWindow& window, QWidget& central, EventRouter& router);

// The clipboard keys of every platform binding (Ctrl+X, Shift+Delete, ...).
bool isClipboardKey(const QKeyEvent& event);

}  // namespace vantro::qt
