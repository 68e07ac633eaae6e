#pragma once
// The places on the page view where words stand: every one marked, one of them the current
// place, selected in the view. Find in page and the words of a search both show this way.

#include <QList>
#include <QStringList>
#include <QTextCursor>

class QTextEdit;

namespace vantro::qt {

class PageMatches {
 public:
  // A page could hold a place for nearly every character; beyond this many, the rest are
  // neither marked nor stepped through.
  static constexpr qsizetype kMostMarked = 2000;

  explicit PageMatches(QTextEdit* view) : view_(view) {}

  // Marks every place where one of `terms` stands, in any case; the first place at or after
  // the view's cursor (or the top of the view, when the cursor is out of sight) becomes the
  // current one.
  void mark(const QStringList& terms);
  void clear();
  // Makes the next place after the view's cursor (or the last one before it) current,
  // coming round at the end; false when there is none.
  bool step(bool backward);

  qsizetype count() const { return places_.size(); }
  // 0 for the first place; -1 when there is none.
  qsizetype current() const { return current_; }
  bool full() const { return places_.size() >= kMostMarked; }

 private:
  void show();

  QTextEdit* view_;
  QList<QTextCursor> places_;  // in the order of the page
  qsizetype current_ = -1;
};

}  // namespace vantro::qt
