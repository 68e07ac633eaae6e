#include "qt/help/page_matches.h"

#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

namespace vantro::qt {
namespace {

QTextCharFormat marking(bool current) {
  QTextCharFormat format;
  // Fixed colours, with dark text, read on the page's own white in any desktop theme.
  format.setBackground(current ? QColor(0xff, 0x96, 0x32) : QColor(0xff, 0xe8, 0x5c));
  format.setForeground(Qt::black);
  return format;
}

// Where looking starts: the view's cursor, or the top of the view when the user scrolled the
// cursor out of sight. `after` says whether a place at the cursor itself is passed over.
struct Start {
  int position;
  bool after;
};

Start startOf(const QTextEdit& view) {
  const QTextCursor cursor = view.textCursor();
  if (view.viewport()->rect().intersects(view.cursorRect(cursor)))
    return {cursor.selectionStart(), true};
  return {view.cursorForPosition(QPoint(0, 0)).position(), false};
}

}  // namespace

void PageMatches::mark(const QStringList& terms) {
  places_.clear();
  const QTextDocument* document = view_->document();
  for (const QString& term : terms) {
    if (term.isEmpty()) continue;
    for (QTextCursor place = document->find(term, 0); !place.isNull() && !full();
         place = document->find(term, place))
      places_ << place;
  }
  std::stable_sort(places_.begin(), places_.end(), [](const QTextCursor& a, const QTextCursor& b) {
    return a.selectionStart() < b.selectionStart();
  });
  const int from = startOf(*view_).position;
  const auto next = std::find_if(places_.begin(), places_.end(), [from](const QTextCursor& place) {
    return place.selectionStart() >= from;
  });
  current_ = places_.isEmpty() ? -1 : next == places_.end() ? 0 : next - places_.begin();
  show();
}

void PageMatches::clear() {
  places_.clear();
  current_ = -1;
  view_->setExtraSelections({});
}

bool PageMatches::step(bool backward) {
  if (places_.isEmpty()) return false;
  const auto [from, after] = startOf(*view_);
  const auto startOfPlace = [this](qsizetype i) { return places_[i].selectionStart(); };
  const qsizetype count = places_.size();
  if (backward) {
    current_ = count - 1;
    while (current_ >= 0 && startOfPlace(current_) >= from) --current_;
    if (current_ < 0) current_ = count - 1;
  } else {
    current_ = 0;
    while (current_ < count &&
           (after ? startOfPlace(current_) <= from : startOfPlace(current_) < from))
      ++current_;
    if (current_ == count) current_ = 0;
  }
  show();
  return true;
}

void PageMatches::show() {
  QList<QTextEdit::ExtraSelection> marks;
  marks.reserve(places_.size());
  for (qsizetype i = 0; i < places_.size(); ++i) marks.append({places_[i], marking(i == current_)});
  view_->setExtraSelections(marks);
  if (current_ < 0) return;
  view_->setTextCursor(places_[current_]);
  view_->ensureCursorVisible();
}

}  // namespace vantro::qt
