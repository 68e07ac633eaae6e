#pragma once
// The Tape window: every recorded calculation, newest last, in a list that can be searched,
// copied, saved as CSV or text, printed, recalled into the calculator and checked against
// today's calculations. A window of its own beside the calculator, never modal.

#include <QString>
#include <QWidget>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QPrinter;
class QTableView;

namespace vantro::qt {

class Announcer;
class QtTape;
class TapeModel;

class TapeWindow : public QWidget {
 public:
  explicit TapeWindow(QtTape& tape);
  ~TapeWindow() override;

  // The tape grew by a line: shown, followed when the list was at its end, and said.
  void lineAdded();

  // The commands, as the menus give them; the file commands without their dialogs.
  void copySelection();
  void recallCurrent();
  void check();
  bool saveCsv(const QString& file);
  bool saveText(const QString& file);
  bool savePdf(const QString& file);

  QTableView& view() const { return *view_; }
  QLineEdit& findBox() const { return *findBox_; }
  QString status() const;
  // What the window said to a screen reader last.
  QString announced() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenus();
  void findNext(bool backwards);
  void clearTape();
  void saveWithDialog(bool csv);
  void paint(QPrinter& printer) const;
  void showStatus(const QString& text);
  QPrinter& printer();

  QtTape& tape_;
  std::unique_ptr<TapeModel> model_;
  QTableView* view_;
  QLineEdit* findBox_;
  QLabel* status_;
  Announcer* announcer_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace vantro::qt
