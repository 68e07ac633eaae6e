#include "qt/help/help_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <utility>

#include "help/text_case.h"
#include "qt/help/find_bar.h"
#include "qt/help/help_browser.h"
#include "qt/help/index_tab.h"
#include "qt/help/page_matches.h"
#include "qt/help/page_printing.h"
#include "qt/help/screen_fit.h"
#include "qt/printing.h"

namespace vantro::qt {
namespace {

constexpr int kPathRole = Qt::UserRole;

std::string pathOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, kPathRole).toString().toStdString() : std::string();
}

QToolButton* historyButton(const QString& caption, QKeySequence::StandardKey key, QWidget* parent) {
  auto* button = new QToolButton(parent);
  auto* action = new QAction(caption, button);
  action->setShortcut(key);
  action->setShortcutContext(Qt::WindowShortcut);
  action->setEnabled(false);
  button->setDefaultAction(action);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setAccessibleName(caption);
  return button;
}

QAction* command(QMenu* menu, const char* name, const QString& caption,
                 const QList<QKeySequence>& keys) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcuts(keys);
  action->setShortcutContext(Qt::WindowShortcut);
  return action;
}

}  // namespace

HelpWindow::HelpWindow() : QWidget(nullptr) {
  setWindowTitle(QString::fromUtf8(kTitle));
  setObjectName(QStringLiteral("helpWindow"));
  // Closing the calculator's window ends the program even while help is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(900, 620);

  back_ = historyButton(tr("Back"), QKeySequence::Back, this);
  back_->setObjectName(QStringLiteral("helpBack"));
  forward_ = historyButton(tr("Forward"), QKeySequence::Forward, this);
  forward_->setObjectName(QStringLiteral("helpForward"));

  contents_ = new QTreeWidget;
  contents_->setObjectName(QStringLiteral("helpContents"));
  contents_->setAccessibleName(tr("Contents"));
  contents_->setHeaderHidden(true);

  index_ = new IndexTab;

  searchBox_ = new QLineEdit;
  searchBox_->setObjectName(QStringLiteral("helpSearchBox"));
  searchBox_->setAccessibleName(tr("Words to search for"));
  searchBox_->setPlaceholderText(tr("Words to search for"));
  auto* searchButton = new QPushButton(tr("&Search"));
  searchButton->setObjectName(QStringLiteral("helpSearchButton"));
  searchResults_ = new QListWidget;
  searchResults_->setObjectName(QStringLiteral("helpSearchResults"));
  searchResults_->setAccessibleName(tr("Pages found"));

  auto* searchPage = new QWidget;
  searchPage->setFocusProxy(searchBox_);
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(searchBox_);
  searchRow->addWidget(searchButton);
  auto* searchLayout = new QVBoxLayout(searchPage);
  searchLayout->addLayout(searchRow);
  searchLayout->addWidget(searchResults_);

  tabs_ = new QTabWidget;
  tabs_->setObjectName(QStringLiteral("helpTabs"));
  tabs_->setAccessibleName(tr("Contents, index and search"));
  tabs_->addTab(contents_, tr("&Contents"));
  tabs_->addTab(index_, tr("&Index"));
  tabs_->addTab(searchPage, tr("Sea&rch"));

  browser_ = new HelpBrowser;
  browser_->setObjectName(QStringLiteral("helpPage"));
  browser_->setAccessibleName(tr("Help page"));
  // The zoom changes the page's fonts; those changes are no edits to undo.
  browser_->setUndoRedoEnabled(false);
  browser_->viewport()->installEventFilter(this);
  pageFont_ = browser_->font();
  matches_ = std::make_unique<PageMatches>(browser_);
  findBar_ = new FindBar;
  findBar_->hide();

  auto* pageArea = new QWidget;
  auto* pageLayout = new QVBoxLayout(pageArea);
  pageLayout->setContentsMargins(0, 0, 0, 0);
  pageLayout->addWidget(browser_, 1);
  pageLayout->addWidget(findBar_);

  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->addWidget(tabs_);
  splitter->addWidget(pageArea);
  splitter->setStretchFactor(1, 3);
  splitter->setChildrenCollapsible(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(createMenus());
  layout->addLayout(buttons);
  layout->addWidget(splitter, 1);

  connect(back_->defaultAction(), &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(forward_->defaultAction(), &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_->defaultAction(), &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_->defaultAction(),
          &QAction::setEnabled);
  // The signal comes before source() gives the new page, once the page is in the view.
  connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& page) {
    selectInContents(page.path(QUrl::FullyDecoded).toStdString());
    pageShown();
  });
  connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    const std::string page = pathOf(item);
    if (!page.empty() && help::foldCase(page) != help::foldCase(currentPage())) showPage(page);
  });
  // A tab chosen with its key (Alt+C, Alt+I, Alt+R) is ready to be typed in.
  connect(tabs_, &QTabWidget::currentChanged, this, [this] {
    if (isActiveWindow()) tabs_->currentWidget()->setFocus(Qt::TabFocusReason);
  });
  connect(index_, &IndexTab::topicChosen, this, &HelpWindow::openTopic);
  connect(searchBox_, &QLineEdit::returnPressed, this, &HelpWindow::runSearch);
  connect(searchButton, &QPushButton::clicked, this, &HelpWindow::runSearch);
  const auto openHit = [this](QListWidgetItem* item) {
    if (!item || !showPage(item->data(kPathRole).toString().toStdString())) return;
    QStringList words;
    for (const std::string& word : help::HelpBook::searchWords(searchBox_->text().toStdString()))
      words << QString::fromStdString(word);
    matches_->mark(words);
  };
  connect(searchResults_, &QListWidget::itemActivated, this, openHit);
  connect(searchResults_, &QListWidget::itemClicked, this, openHit);
  connect(findBar_, &FindBar::textEdited, this, &HelpWindow::markFound);
  connect(findBar_, &FindBar::stepRequested, this, &HelpWindow::find);
  connect(findBar_, &FindBar::closed, this, [this] {
    matches_->clear();
    browser_->setFocus(Qt::OtherFocusReason);
  });
  // F1, the help key of every window of the program, keeps this one open at its contents.
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
          &HelpWindow::showContentsTab);
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
          &QWidget::close);
}

HelpWindow::~HelpWindow() = default;

QMenuBar* HelpWindow::createMenus() {
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("helpMenuBar"));
  QMenu* file = bar->addMenu(tr("&File"));
  connect(command(file, "helpPrint", tr("&Print..."), {QKeySequence::Print}), &QAction::triggered,
          this, [this] { printWithDialog(pagePainter(), printer(), this); });
  connect(command(file, "helpPrintPreview", tr("Print Pre&view..."),
                  {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)}),
          &QAction::triggered, this, [this] { printPreview(pagePainter(), printer(), this); });
  connect(command(file, "helpSaveAsPdf", tr("Save as P&DF..."),
                  {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}),
          &QAction::triggered, this, [this] {
            const QString title = browser_->documentTitle();
            saveAsPdfWithDialog(pagePainter(), title.isEmpty() ? tr("Help page") : title,
                                tr("page"), this);
          });

  QMenu* edit = bar->addMenu(tr("&Edit"));
  connect(command(edit, "helpFind", tr("&Find..."), {QKeySequence(Qt::CTRL | Qt::Key_F)}),
          &QAction::triggered, this, &HelpWindow::openFindBar);
  connect(command(edit, "helpFindNext", tr("Find &Next"), {QKeySequence(Qt::Key_F3)}),
          &QAction::triggered, this, [this] { find(false); });
  connect(command(edit, "helpFindPrevious", tr("Find &Previous"),
                  {QKeySequence(Qt::SHIFT | Qt::Key_F3)}),
          &QAction::triggered, this, [this] { find(true); });

  QMenu* view = bar->addMenu(tr("&View"));
  connect(command(view, "helpZoomIn", tr("Zoom &In"),
                  {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}),
          &QAction::triggered, this, [this] { zoom(&PageZoom::zoomIn); });
  connect(command(view, "helpZoomOut", tr("Zoom &Out"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)}),
          &QAction::triggered, this, [this] { zoom(&PageZoom::zoomOut); });
  connect(command(view, "helpZoomReset", tr("&Actual Size"), {QKeySequence(Qt::CTRL | Qt::Key_0)}),
          &QAction::triggered, this, &HelpWindow::resetZoom);
  return bar;
}

void HelpWindow::setBook(std::shared_ptr<const help::HelpBook> book) {
  book_ = std::move(book);
  browser_->setBook(book_);
  back_->defaultAction()->setEnabled(false);
  forward_->defaultAction()->setEnabled(false);
  firstPage_ = true;
  searchBox_->clear();
  searchResults_->clear();
  findBar_->hide();
  matches_->clear();
  index_->setIndex(book_ ? book_->index() : std::vector<help::IndexEntry>());
  tabs_->setCurrentWidget(contents_);
  const QSignalBlocker blocker(contents_);
  contents_->clear();
  itemOfPage_.clear();
  if (book_) addEntries(nullptr, book_->contents());
  contents_->expandToDepth(0);
}

void HelpWindow::addEntries(QTreeWidgetItem* parent,
                            const std::vector<help::ContentsEntry>& entries) {
  for (const help::ContentsEntry& entry : entries) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(contents_);
    item->setText(0, QString::fromStdString(entry.title));
    if (const auto page =
            entry.topicPath.empty() ? std::nullopt : book_->findTopic(entry.topicPath)) {
      item->setData(0, kPathRole, QString::fromStdString(*page));
      itemOfPage_.emplace(help::foldCase(*page), item);
    }
    addEntries(item, entry.children);
  }
}

bool HelpWindow::showPage(const std::string& topicPath) {
  if (!browser_->openPage(topicPath)) return false;
  // The view keeps the page it showed last in its history, even when told to forget it.
  if (std::exchange(firstPage_, false)) browser_->clearHistory();
  return true;
}

void HelpWindow::openTopic(const std::string& topicPath, const std::string& fragment) {
  if (showPage(topicPath) && !fragment.empty())
    browser_->scrollToAnchor(QString::fromStdString(fragment));
}

void HelpWindow::showContentsTab() {
  tabs_->setCurrentWidget(contents_);
}

std::string HelpWindow::currentPage() const {
  return browser_->currentPage();
}

void HelpWindow::runSearch() {
  searchResults_->clear();
  if (!book_) return;
  for (const help::SearchHit& hit : book_->search(searchBox_->text().toStdString())) {
    auto* item = new QListWidgetItem(QString::fromStdString(hit.title), searchResults_);
    item->setData(kPathRole, QString::fromStdString(hit.topicPath));
  }
}

void HelpWindow::selectInContents(const std::string& page) {
  const auto found = itemOfPage_.find(help::foldCase(page));
  const QSignalBlocker blocker(contents_);
  contents_->setCurrentItem(found == itemOfPage_.end() ? nullptr : found->second);
}

// A new page takes the zoom, and the find bar's words when the bar is open.
void HelpWindow::pageShown() {
  applyZoomToPage();
  if (findBar_->isVisible())
    markFound();
  else
    matches_->clear();
}

void HelpWindow::openFindBar() {
  findBar_->open();
  if (!findBar_->text().isEmpty()) markFound();
}

void HelpWindow::markFound() {
  const QString text = findBar_->text();
  if (text.isEmpty())
    matches_->clear();
  else
    matches_->mark({text});
  findBar_->showCount(matches_->current(), matches_->count(), matches_->full());
}

void HelpWindow::find(bool backward) {
  if (!findBar_->isVisible()) openFindBar();
  matches_->step(backward);
  findBar_->showCount(matches_->current(), matches_->count(), matches_->full());
}

void HelpWindow::zoom(bool (PageZoom::*change)()) {
  if ((zoom_.*change)()) applyZoomToPage();
}

void HelpWindow::resetZoom() {
  zoom_.reset();
  applyZoomToPage();
}

// The text at the top of the view stays there, whatever the new size moves.
void HelpWindow::applyZoomToPage() {
  QTextCursor top = browser_->cursorForPosition(QPoint(0, 0));
  browser_->setFont(zoomed(pageFont_, zoom_.factor()));
  applyZoom(*browser_->document(), zoom_.factor());
  QScrollBar* scroll = browser_->verticalScrollBar();
  if (scroll->value() > 0) scroll->setValue(scroll->value() + browser_->cursorRect(top).top());
}

QPrinter& HelpWindow::printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

PrintPainter HelpWindow::pagePainter() {
  return [this](QPrinter& target) { printPage(*browser_, pageFont_, target); };
}

bool HelpWindow::savePdf(const QString& file) {
  return saveAsPdf(pagePainter(), file, browser_->documentTitle());
}

// Sized and placed before it is mapped, so that at any scale the window lies wholly in the
// screen's free area. A window given no place yet goes to the middle: a window manager may
// place a large window partly off the screen.
void HelpWindow::fitToScreen() {
  const QRect frame = frameGeometry();
  QScreen* screen = QGuiApplication::screenAt(frame.center());
  if (!screen) screen = this->screen();
  if (!screen) return;
  const QRect available = screen->availableGeometry();
  QRect fitted = fitWithin(frame, available);
  if (!testAttribute(Qt::WA_Moved)) fitted.moveCenter(available.center());
  if (fitted.size() != frame.size()) resize(size() - (frame.size() - fitted.size()));
  if (fitted.topLeft() != frame.topLeft()) move(fitted.topLeft());
}

// A window placed before it is shown (beside the calculator) stays where it was put.
void HelpWindow::showEvent(QShowEvent* event) {
  if (!event->spontaneous() && !testAttribute(Qt::WA_Moved)) fitToScreen();
  QWidget::showEvent(event);
}

// A closed window opens afresh: the contents, no history, nothing searched or found. The zoom
// stays for the session.
void HelpWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) setBook(book_);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
  // Ctrl and the wheel zoom by the window's steps; the view's own zoom would not reach the
  // sizes the page's style sheet sets.
  if (watched == browser_->viewport() && event->type() == QEvent::Wheel) {
    const auto* wheel = static_cast<QWheelEvent*>(event);
    if (!wheel->modifiers().testFlag(Qt::ControlModifier)) return false;
    wheelTurn_ += wheel->angleDelta().y();
    for (; wheelTurn_ >= 120; wheelTurn_ -= 120) zoom(&PageZoom::zoomIn);
    for (; wheelTurn_ <= -120; wheelTurn_ += 120) zoom(&PageZoom::zoomOut);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vantro::qt
