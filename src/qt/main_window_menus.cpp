#include "qt/main_window_menus.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QToolButton>

#include "qt/layout_support.h"

namespace vantro::qt {

namespace {

using ui::ControlId;

// Captions carry their mnemonics: "&" marks the letter that Alt and the open menu take.
struct ItemDesign {
  ControlId id;
  const char* caption;
  QKeySequence::StandardKey shortcut;
  QKeyCombination key = {};  // a key of our own choice, for an item without a standard key
};

constexpr ItemDesign kEditItems[] = {
    {ControlId::MenuCut, "Cu&t", QKeySequence::Cut},
    {ControlId::MenuCopy, "&Copy", QKeySequence::Copy},
    {ControlId::MenuPaste, "&Paste", QKeySequence::Paste},
    {ControlId::MenuExit, "E&xit", QKeySequence::UnknownKey},
};
// Ctrl+Shift with the item's initial: no key of the keypad or the fields, none of a text
// editor's own, and not Ctrl+P, which is Print in every other program.
constexpr ItemDesign kAnalysisItems[] = {
    {ControlId::MenuLoanSchedule, "&Loan Schedule", QKeySequence::UnknownKey,
     Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_L},
    {ControlId::MenuCashFlowProfile, "Cash-&Flow Profile", QKeySequence::UnknownKey,
     Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_P},
    {ControlId::MenuDatedCashFlows, "&Dated Cash Flows", QKeySequence::UnknownKey,
     Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_D},
    {ControlId::MenuTape, "&Tape", QKeySequence::UnknownKey, Qt::ControlModifier | Qt::Key_T},
};
constexpr ItemDesign kHelpItems[] = {
    {ControlId::MenuLicenseAgreement, "&License Agreement", QKeySequence::UnknownKey},
    {ControlId::MenuHelpTopics, "Help &Topics", QKeySequence::HelpContents},
    {ControlId::MenuAbout, "&About", QKeySequence::UnknownKey},
};

struct ButtonDesign {
  const char* key;
  const char* themeIcon;  // the desktop theme's picture, where it has one
  const char* picture;    // ours otherwise
};

constexpr ButtonDesign kButtons[] = {
    {"Cut", "edit-cut", ":/toolbar/cut.svg"},
    {"Copy", "edit-copy", ":/toolbar/copy.svg"},
    {"Paste", "edit-paste", ":/toolbar/paste.svg"},
    {"Help", "help-contents", ":/toolbar/help.svg"},
    {"Exit", "application-exit", ":/toolbar/exit.svg"},
};

// The band above the status bar, in twips.
constexpr int kToolbarHeightTwips = 540;

template <std::size_t N>
void addMenu(QMenuBar& bar, const char* name, const char* caption, const ItemDesign (&items)[N],
             EventRouter& router, MainWindowMenus& out) {
  QMenu* menu = bar.addMenu(QString::fromLatin1(caption));
  menu->setObjectName(QString::fromLatin1(name));
  for (const ItemDesign& item : items) {
    QAction* action = menu->addAction(QString::fromLatin1(item.caption));
    action->setObjectName(layout::name(item.id));
    // Every binding of the platform: Ctrl+V, and Shift+Insert, which would otherwise paste
    // straight into a field around its rules.
    if (item.shortcut != QKeySequence::UnknownKey)
      action->setShortcuts(QKeySequence::keyBindings(item.shortcut));
    else if (item.key != QKeyCombination())
      action->setShortcut(QKeySequence(item.key));
    const ControlId id = item.id;
    QObject::connect(action, &QAction::triggered, menu,
                     [&router, id] { router.deliver(id, ui::events::Click{}); });
    out.items[static_cast<std::size_t>(id)] = action;
  }
}

}  // namespace

MainWindowMenus buildMenusAndToolbar(QMainWindow& window, QWidget& central, EventRouter& router) {
  MainWindowMenus out;
  addMenu(*window.menuBar(), "MenuEdit", "&Edit", kEditItems, router, out);
  addMenu(*window.menuBar(), "MenuAnalysis", "&Analysis", kAnalysisItems, router, out);
  addMenu(*window.menuBar(), "MenuHelp", "&Help", kHelpItems, router, out);

  auto* toolbar = new QToolBar(&central);
  toolbar->setObjectName(QStringLiteral("Toolbar1"));
  toolbar->setAccessibleName(QStringLiteral("Toolbar"));
  toolbar->setMovable(false);
  toolbar->setFloatable(false);
  toolbar->setIconSize(QSize(22, 22));
  for (const ButtonDesign& design : kButtons) {
    const QString key = QString::fromLatin1(design.key);
    const QIcon icon = QIcon::fromTheme(QString::fromLatin1(design.themeIcon),
                                        QIcon(QString::fromLatin1(design.picture)));
    QAction* button = toolbar->addAction(icon, key);
    button->setObjectName(QStringLiteral("Toolbar1") + key);
    button->setToolTip(key);
    QObject::connect(button, &QAction::triggered, toolbar, [&router, key] {
      router.deliver(ControlId::Toolbar1, ui::events::ButtonClick{key.toStdString()});
    });
    // The buttons act on the focused field: they must not take the focus from it.
    if (QWidget* widget = toolbar->widgetForAction(button)) widget->setFocusPolicy(Qt::NoFocus);
  }
  layout::place(*toolbar, 0, 0, kClientWidthTwips, kToolbarHeightTwips);
  out.toolbar = toolbar;
  return out;
}

bool isClipboardKey(const QKeyEvent& event) {
  return event.matches(QKeySequence::Cut) || event.matches(QKeySequence::Copy) ||
         event.matches(QKeySequence::Paste);
}

}  // namespace vantro::qt
