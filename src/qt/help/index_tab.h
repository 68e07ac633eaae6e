#pragma once
// The Index tab of the help window: the help file's keywords under a line that selects, as
// the user types, the first keyword starting with the typed text. Enter, a double click or
// Display opens the keyword's page; a keyword of several pages first offers them.

#include <QWidget>
#include <unordered_map>
#include <vector>

#include "help/sitemap.h"

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace vantro::qt {

class IndexTab : public QWidget {
  Q_OBJECT

 public:
  explicit IndexTab(QWidget* parent = nullptr);

  // Shows `index` from now on, with an empty line.
  void setIndex(std::vector<help::IndexEntry> index);

 signals:
  void topicChosen(const std::string& topicPath, const std::string& fragment);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void addEntries(QTreeWidgetItem* parent, const std::vector<help::IndexEntry>& entries);
  void selectFirstStartingWith(const QString& text);
  void openCurrent();
  void offerTopics(const help::IndexEntry& entry);

  QLineEdit* box_;
  QTreeWidget* list_;
  std::vector<help::IndexEntry> index_;
  std::unordered_map<const QTreeWidgetItem*, const help::IndexEntry*> entryOf_;
};

}  // namespace vantro::qt
