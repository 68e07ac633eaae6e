#pragma once
// Says a sentence to a screen reader without moving the focus: an accessible object of the
// notification role, named by the sentence, that shows itself anew each time. Qt 6.4 has no
// announcement event; AT-SPI screen readers read a notification that appears, and the name
// change keeps their copy of its name current. The widget takes no room on screen.

#include <QString>
#include <QWidget>

namespace vantro::qt {

class Announcer : public QWidget {
  Q_OBJECT

 public:
  explicit Announcer(QWidget& window);

  void announce(const QString& sentence);
  // The sentence said last.
  const QString& sentence() const { return sentence_; }

 private:
  QString sentence_;
};

}  // namespace vantro::qt
