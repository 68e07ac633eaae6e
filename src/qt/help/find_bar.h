#pragma once
// The find bar below the help page: the words to find, the next and previous buttons and how
// many places the page holds. Enter goes to the next place, Shift+Enter to the previous one,
// Escape hides the bar.

#include <QWidget>

class QLabel;
class QLineEdit;

namespace vantro::qt {

class FindBar : public QWidget {
  Q_OBJECT

 public:
  explicit FindBar(QWidget* parent = nullptr);

  QString text() const;
  // Shows the bar with its words selected, ready to be typed over.
  void open();
  // "3 of 12"; `current` counts from 0, -1 for none.
  void showCount(qsizetype current, qsizetype count, bool more);

 signals:
  void textEdited(const QString& text);
  void stepRequested(bool backward);
  void closed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void close();

  QLineEdit* box_;
  QLabel* count_;
};

}  // namespace vantro::qt
