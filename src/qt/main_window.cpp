#include "qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <stdexcept>

#include "qt/artwork.h"
#include "qt/key_codes.h"
#include "qt/twips.h"

static void initKeyPictures() {
  Q_INIT_RESOURCE(keys);
}

namespace vantro::qt {

using ui::ControlId;

// The window's key preview: while it is on, the window's KeyDown sees every key press meant
// for one of its controls before the control does. An application filter sees a press
// several times (for the window, the focused widget, its parents): only the copy addressed
// to the focused widget counts.
// The filter also gives the clipboard keys to the Edit menu: a focused text editor would
// claim them for its own Cut, Copy and Paste, which know nothing of the fields' rules.
class MainWindow::KeyPreviewFilter : public QObject {
 public:
  explicit KeyPreviewFilter(MainWindow& window) : QObject(&window), window_(window) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride) {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (!widget || widget->window() != &window_ ||
          !isClipboardKey(*static_cast<QKeyEvent*>(event)))
        return false;
      event->ignore();  // not the widget's: the menu's shortcut runs
      return true;
    }
    if (event->type() != QEvent::KeyPress || !window_.form_.keyPreview()) return false;
    QWidget* focus = QApplication::focusWidget();
    QObject* target = focus ? static_cast<QObject*>(focus) : &window_;
    if (watched != target) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &window_) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    window_.router_.deliver(ControlId::Form1,
                            ui::events::KeyDown{virtualKeyCode(key->key(), key->modifiers()),
                                                shiftState(key->modifiers())});
    return false;  // the control still gets the key
  }

 private:
  MainWindow& window_;
};

MainWindow::MainWindow(ui::EventSink* sink)
    : router_(sink), form_(*this, router_), analysis_(*this) {
  initKeyPictures();
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromLatin1(ui::kAppTitle));
  setWindowIcon(artwork::applicationIcon());

  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("Form1Client"));
  setCentralWidget(central);
  widgets_ = buildMainWindowWidgets(*central, router_);

  for (const ui::ControlInfo& info : ui::kControls) {
    if (info.kind != ui::ControlKind::Label) continue;
    auto* qlabel = qobject_cast<QLabel*>(widget(info.id));
    if (!qlabel) throw std::logic_error("no widget for a label of the main window");
    labels_[static_cast<std::size_t>(info.id)] = std::make_unique<LabelAdapter>(*qlabel);
  }
  announcements_ = std::make_unique<ResultAnnouncements>(
      *this, *widgets_.textBoxes[static_cast<std::size_t>(ControlId::Text1)],
      *labels_[static_cast<std::size_t>(ControlId::Label4)]);
  checkPayment_ = std::make_unique<CheckBoxAdapter>(
      *static_cast<WrappingCheckBox*>(widget(ControlId::CheckPayment)));
  frame1_ = std::make_unique<PanelAdapter>(*widget(ControlId::Frame1));

  menus_ = buildMenusAndToolbar(*this, *central, router_);
  widgets_.byId[static_cast<std::size_t>(ControlId::Toolbar1)] = menus_.toolbar;
  analysis_.addWindowAction(*menuItem(ControlId::MenuHelpTopics));
  // F10 opens the first menu, from which the arrow keys reach every item.
  auto* menuKey = new QAction(this);
  menuKey->setShortcut(QKeySequence(Qt::Key_F10));
  connect(menuKey, &QAction::triggered, this,
          [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
  addAction(menuKey);

  // A fixed single border: no resizing, so no maximize button either.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(px(kClientWidthTwips), px(kDesignedOuterHeightTwips));
  widget(ControlId::Text1)->setFocus();  // recorded only: it takes effect when the window opens
  keyPreviewFilter_ = new KeyPreviewFilter(*this);
  qApp->installEventFilter(keyPreviewFilter_);
}

// The widgets and the filter refer to the router and the adapters: they go first.
MainWindow::~MainWindow() {
  router_.stop();
  qApp->removeEventFilter(keyPreviewFilter_);
  delete keyPreviewFilter_;
  delete takeCentralWidget();
}

ui::TextBox& MainWindow::textBox(ControlId id) {
  if (id == ControlId::Text1) return announcements_->display();
  ui::TextBox* box = widgets_.textBoxes[static_cast<std::size_t>(id)];
  if (!box) throw std::logic_error("not a text box of the main window");
  return *box;
}

ui::Label& MainWindow::label(ControlId id) {
  if (id == ControlId::Label4) return announcements_->statusBar();
  LabelAdapter* adapter = labels_[static_cast<std::size_t>(id)].get();
  if (!adapter) throw std::logic_error("not a label of the main window");
  return *adapter;
}

ui::Form1Controls MainWindow::controls() {
  return ui::controlsOf(*this);
}

ui::CheckBox& MainWindow::checkBox(ControlId id) {
  if (id != ControlId::CheckPayment) throw std::logic_error("not a check box of the main window");
  return *checkPayment_;
}

ui::Panel& MainWindow::panel(ControlId id) {
  if (id != ControlId::Frame1) throw std::logic_error("not a panel of the main window");
  return *frame1_;
}

void MainWindow::placeAtDefaultPosition() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect available = screen->availableGeometry();
  move(available.x() + (available.width() - width()) / 2,
       available.y() + (available.height() - height()) / 2);
}

// While the About window is open the window is disabled, and refuses the window manager's close
// request (the spontaneous one) as it refuses clicks and keys. The program's own requests, on
// a quit signal or at the end of the desktop session, still close it.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (event->spontaneous() && !isEnabled()) {
    event->ignore();
    return;
  }
  router_.deliver(ControlId::Form1, ui::events::Unload{});
  event->accept();
}

// A window manager adds its frame only once the window is on screen.
void MainWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  form_.applyOuterHeight();
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  form_.applyOuterHeight();
}

}  // namespace vantro::qt
