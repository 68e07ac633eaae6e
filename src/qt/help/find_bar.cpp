#include "qt/help/find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace vantro::qt {
namespace {

bool isEnter(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("helpFindBar"));
  box_ = new QLineEdit;
  box_->setObjectName(QStringLiteral("helpFindBox"));
  box_->setAccessibleName(tr("Find in page"));
  box_->setPlaceholderText(tr("Find in page"));
  box_->installEventFilter(this);
  auto* label = new QLabel(tr("Find:"));
  label->setBuddy(box_);
  auto* previous = new QPushButton(tr("&Previous"));
  previous->setObjectName(QStringLiteral("helpFindPreviousButton"));
  previous->setToolTip(tr("Previous place (Shift+F3)"));
  auto* next = new QPushButton(tr("&Next"));
  next->setObjectName(QStringLiteral("helpFindNextButton"));
  next->setToolTip(tr("Next place (F3)"));
  count_ = new QLabel;
  count_->setObjectName(QStringLiteral("helpFindMatches"));
  auto* hide = new QToolButton;
  hide->setText(tr("Close"));
  hide->setAccessibleName(tr("Close the find bar"));
  hide->setToolTip(tr("Close the find bar (Escape)"));

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label);
  layout->addWidget(box_, 1);
  layout->addWidget(previous);
  layout->addWidget(next);
  layout->addWidget(count_);
  layout->addStretch();
  layout->addWidget(hide);
  setFocusProxy(box_);

  connect(box_, &QLineEdit::textEdited, this, &FindBar::textEdited);
  connect(previous, &QPushButton::clicked, this, [this] { emit stepRequested(true); });
  connect(next, &QPushButton::clicked, this, [this] { emit stepRequested(false); });
  connect(hide, &QToolButton::clicked, this, &FindBar::close);
}

QString FindBar::text() const {
  return box_->text();
}

void FindBar::open() {
  show();
  box_->setFocus(Qt::ShortcutFocusReason);
  box_->selectAll();
}

void FindBar::showCount(qsizetype current, qsizetype count, bool more) {
  if (box_->text().isEmpty())
    count_->clear();
  else if (count == 0)
    count_->setText(tr("Not found"));
  else
    count_->setText(tr("%1 of %2%3").arg(current + 1).arg(count).arg(more ? "+" : ""));
}

void FindBar::close() {
  hide();
  emit closed();
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched != box_) return false;
  const bool press = event->type() == QEvent::KeyPress;
  if (!press && event->type() != QEvent::ShortcutOverride) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool mine = key->key() == Qt::Key_Escape || isEnter(key->key());
  if (!mine) return false;
  // Escape and Enter here belong to the bar, before any shortcut of the window.
  if (!press) {
    event->accept();
    return true;
  }
  if (key->key() == Qt::Key_Escape)
    close();
  else
    emit stepRequested(key->modifiers().testFlag(Qt::ShiftModifier));
  return true;
}

}  // namespace vantro::qt
