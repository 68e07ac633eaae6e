#include "qt/help/index_tab.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vantro::qt {
namespace {

QString text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

bool movesInList(int key) {
  return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
         key == Qt::Key_PageDown;
}

}  // namespace

IndexTab::IndexTab(QWidget* parent) : QWidget(parent) {
  box_ = new QLineEdit;
  box_->setObjectName(QStringLiteral("helpIndexBox"));
  box_->setAccessibleName(tr("Keyword to find"));
  box_->setPlaceholderText(tr("Type a keyword"));
  box_->installEventFilter(this);
  list_ = new QTreeWidget;
  list_->setObjectName(QStringLiteral("helpIndex"));
  list_->setAccessibleName(tr("Index"));
  list_->setHeaderHidden(true);
  list_->setRootIsDecorated(false);
  auto* display = new QPushButton(tr("&Display"));
  display->setObjectName(QStringLiteral("helpIndexDisplay"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box_);
  layout->addWidget(list_, 1);
  layout->addWidget(display, 0, Qt::AlignRight);
  setFocusProxy(box_);

  connect(box_, &QLineEdit::textEdited, this, &IndexTab::selectFirstStartingWith);
  connect(box_, &QLineEdit::returnPressed, this, &IndexTab::openCurrent);
  connect(list_, &QTreeWidget::itemActivated, this, &IndexTab::openCurrent);
  connect(display, &QPushButton::clicked, this, &IndexTab::openCurrent);
}

void IndexTab::setIndex(std::vector<help::IndexEntry> index) {
  box_->clear();
  list_->clear();
  entryOf_.clear();
  index_ = std::move(index);
  addEntries(nullptr, index_);
  list_->expandAll();
  list_->setCurrentItem(list_->topLevelItem(0));
}

void IndexTab::addEntries(QTreeWidgetItem* parent, const std::vector<help::IndexEntry>& entries) {
  for (const help::IndexEntry& entry : entries) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(list_);
    item->setText(0, text(entry.keyword));
    entryOf_.emplace(item, &entry);
    addEntries(item, entry.children);
  }
}

// The keywords below another are read with it, so only the first level is matched.
void IndexTab::selectFirstStartingWith(const QString& typed) {
  if (typed.isEmpty()) return;
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = list_->topLevelItem(i);
    if (item->text(0).startsWith(typed, Qt::CaseInsensitive)) {
      list_->setCurrentItem(item);
      list_->scrollToItem(item, QAbstractItemView::PositionAtTop);
      return;
    }
  }
}

void IndexTab::openCurrent() {
  const auto found = entryOf_.find(list_->currentItem());
  if (found == entryOf_.end()) return;
  const help::IndexEntry& entry = *found->second;
  if (entry.topics.size() == 1)
    emit topicChosen(entry.topics.front().topicPath, entry.topics.front().fragment);
  else if (entry.topics.size() > 1)
    offerTopics(entry);
}

void IndexTab::offerTopics(const help::IndexEntry& entry) {
  auto* chooser = new QDialog(this);
  chooser->setObjectName(QStringLiteral("helpTopicChooser"));
  chooser->setWindowTitle(tr("Topics Found"));
  chooser->setWindowModality(Qt::WindowModal);
  auto* topics = new QListWidget;
  topics->setObjectName(QStringLiteral("helpTopicList"));
  for (const help::IndexTopic& topic : entry.topics) topics->addItem(text(topic.title));
  topics->setCurrentRow(0);
  auto* label = new QLabel(tr("&Pages about \u201c%1\u201d:").arg(text(entry.keyword)));
  label->setBuddy(topics);
  // Made in the dialog, so that the dialog takes Display as its default button.
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, chooser);
  buttons->addButton(tr("&Display"), QDialogButtonBox::AcceptRole)->setDefault(true);
  auto* layout = new QVBoxLayout(chooser);
  layout->addWidget(label);
  layout->addWidget(topics);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, chooser, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, chooser, &QDialog::reject);
  connect(topics, &QListWidget::itemDoubleClicked, chooser, &QDialog::accept);
  // The topics are copied: a new book may replace the index while the chooser is open.
  connect(chooser, &QDialog::accepted, this, [this, topics, choices = entry.topics] {
    const int row = topics->currentRow();
    if (row >= 0 && std::size_t(row) < choices.size())
      emit topicChosen(choices[std::size_t(row)].topicPath, choices[std::size_t(row)].fragment);
  });
  connect(chooser, &QDialog::finished, chooser, &QObject::deleteLater);
  topics->setFocus();
  chooser->open();
}

bool IndexTab::eventFilter(QObject* watched, QEvent* event) {
  // Up, Down, Page Up and Page Down in the line move through the list.
  if (watched == box_ && event->type() == QEvent::KeyPress &&
      movesInList(static_cast<QKeyEvent*>(event)->key())) {
    QKeyEvent copy(QEvent::KeyPress, static_cast<QKeyEvent*>(event)->key(),
                   static_cast<QKeyEvent*>(event)->modifiers());
    QCoreApplication::sendEvent(list_, &copy);
    return true;
  }
  return false;
}

}  // namespace vantro::qt
