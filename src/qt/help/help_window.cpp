#include "qt/help/help_window.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "help/text_case.h"
#include "qt/help/help_browser.h"

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
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(searchBox_);
  searchRow->addWidget(searchButton);
  auto* searchLayout = new QVBoxLayout(searchPage);
  searchLayout->addLayout(searchRow);
  searchLayout->addWidget(searchResults_);

  tabs_ = new QTabWidget;
  tabs_->setAccessibleName(tr("Contents and search"));
  tabs_->addTab(contents_, tr("&Contents"));
  tabs_->addTab(searchPage, tr("Sea&rch"));

  browser_ = new HelpBrowser;
  browser_->setObjectName(QStringLiteral("helpPage"));
  browser_->setAccessibleName(tr("Help page"));

  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->addWidget(tabs_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 3);
  splitter->setChildrenCollapsible(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(splitter, 1);

  connect(back_->defaultAction(), &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(forward_->defaultAction(), &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_->defaultAction(), &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_->defaultAction(),
          &QAction::setEnabled);
  // The signal comes before source() gives the new page.
  connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& page) {
    selectInContents(page.path(QUrl::FullyDecoded).toStdString());
  });
  connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    const std::string page = pathOf(item);
    if (!page.empty() && help::foldCase(page) != help::foldCase(currentPage())) showPage(page);
  });
  connect(searchBox_, &QLineEdit::returnPressed, this, &HelpWindow::runSearch);
  connect(searchButton, &QPushButton::clicked, this, &HelpWindow::runSearch);
  const auto openHit = [this](QListWidgetItem* item) {
    if (item) showPage(item->data(kPathRole).toString().toStdString());
  };
  connect(searchResults_, &QListWidget::itemActivated, this, openHit);
  connect(searchResults_, &QListWidget::itemClicked, this, openHit);
  // F1, the help key of every window of the program, keeps this one open at its contents.
  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
          &HelpWindow::showContentsTab);
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
          &QWidget::close);
}

void HelpWindow::setBook(std::shared_ptr<const help::HelpBook> book) {
  book_ = std::move(book);
  browser_->setBook(book_);
  back_->defaultAction()->setEnabled(false);
  forward_->defaultAction()->setEnabled(false);
  searchBox_->clear();
  searchResults_->clear();
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
  return browser_->openPage(topicPath);
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

}  // namespace vantro::qt
