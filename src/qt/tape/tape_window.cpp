#include "qt/tape/tape_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>
#include <set>

#include "qt/announcer.h"
#include "qt/artwork.h"
#include "qt/code_points.h"
#include "qt/printing.h"
#include "qt/tape/qt_tape.h"
#include "qt/tape/tape_model.h"
#include "qt/version_info.h"
#include "ui/info/info_windows.h"
#include "ui/tape/tape_report.h"

namespace vantro::qt {

namespace {

bool writeFile(const QString& file, const std::string& text) {
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const auto size = static_cast<qint64>(text.size());
  return out.write(text.data(), size) == size && out.flush();
}

QAction* addCommand(QMenu& menu, QWidget& window, const QString& caption,
                    const QKeySequence& key = {}) {
  QAction* action = menu.addAction(caption);
  if (!key.isEmpty()) action->setShortcut(key);
  action->setShortcutContext(Qt::WindowShortcut);
  window.addAction(action);
  return action;
}

}  // namespace

TapeWindow::TapeWindow(QtTape& tape)
    : QWidget(nullptr, Qt::Window),
      tape_(tape),
      model_(std::make_unique<TapeModel>(tape.lines())),
      view_(new QTableView),
      findBox_(new QLineEdit),
      status_(new QLabel),
      announcer_(new Announcer(*this)) {
  setObjectName(QStringLiteral("TapeWindow"));
  setWindowTitle(tr("Tape"));
  setWindowIcon(artwork::applicationIcon());

  view_->setModel(model_.get());
  view_->setAccessibleName(tr("Calculations"));
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setWordWrap(false);
  view_->verticalHeader()->hide();
  // Rows of one height need no measuring: a tape of 100,000 lines opens and scrolls at once.
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  view_->setColumnWidth(
      0, view_->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00 00:00:00  ")));
  view_->setColumnWidth(
      2, view_->fontMetrics().horizontalAdvance(QStringLiteral("-000,000,000.00  ")));
  view_->installEventFilter(this);
  connect(view_, &QTableView::doubleClicked, this, [this] { recallCurrent(); });

  findBox_->setPlaceholderText(tr("Find"));
  findBox_->setAccessibleName(tr("Find"));
  findBox_->setClearButtonEnabled(true);
  findBox_->hide();
  findBox_->installEventFilter(this);
  connect(findBox_, &QLineEdit::textEdited, this, [this] { findNext(false); });
  status_->setAccessibleName(tr("Tape status"));
  status_->setText(fromUtf8(tape_.problem()));

  auto* layout = new QVBoxLayout(this);
  buildMenus();
  layout->addWidget(findBox_);
  layout->addWidget(view_);
  layout->addWidget(status_);

  QSize size(760, 480);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableGeometry().size() * 0.9);
  resize(size);
  view_->scrollToBottom();
}

TapeWindow::~TapeWindow() = default;

void TapeWindow::buildMenus() {
  auto* bar = new QMenuBar(this);
  layout()->setMenuBar(bar);
  QMenu& file = *bar->addMenu(tr("&File"));
  connect(addCommand(file, *this, tr("Save as &CSV..."), QKeySequence::Save), &QAction::triggered,
          this, [this] { saveWithDialog(true); });
  connect(addCommand(file, *this, tr("Save as &Text...")), &QAction::triggered, this,
          [this] { saveWithDialog(false); });
  file.addSeparator();
  const PrintPainter painter = [this](QPrinter& target) { paint(target); };
  connect(addCommand(file, *this, tr("&Print..."), QKeySequence::Print), &QAction::triggered, this,
          [this, painter] { printWithDialog(painter, printer(), this); });
  connect(addCommand(file, *this, tr("Print Pre&view..."), Qt::CTRL | Qt::SHIFT | Qt::Key_P),
          &QAction::triggered, this, [this, painter] { printPreview(painter, printer(), this); });
  connect(addCommand(file, *this, tr("Save as P&DF..."), Qt::CTRL | Qt::SHIFT | Qt::Key_S),
          &QAction::triggered, this,
          [this, painter] { saveAsPdfWithDialog(painter, tr("Tape"), tr("tape"), this); });
  file.addSeparator();
  connect(addCommand(file, *this, tr("Clos&e"), Qt::Key_Escape), &QAction::triggered, this, [this] {
    if (findBox_->isVisible()) {
      findBox_->hide();
      view_->setFocus();
    } else {
      close();
    }
  });

  QMenu& edit = *bar->addMenu(tr("&Edit"));
  connect(addCommand(edit, *this, tr("&Copy"), QKeySequence::Copy), &QAction::triggered, this,
          [this] { copySelection(); });
  connect(addCommand(edit, *this, tr("Select &All"), QKeySequence::SelectAll), &QAction::triggered,
          view_, &QTableView::selectAll);
  connect(addCommand(edit, *this, tr("&Find..."), QKeySequence::Find), &QAction::triggered, this,
          [this] {
            findBox_->show();
            findBox_->setFocus();
            findBox_->selectAll();
          });
  connect(addCommand(edit, *this, tr("Find &Next"), QKeySequence::FindNext), &QAction::triggered,
          this, [this] { findNext(false); });
  connect(addCommand(edit, *this, tr("Find &Previous"), QKeySequence::FindPrevious),
          &QAction::triggered, this, [this] { findNext(true); });
  edit.addSeparator();
  QAction* recall = edit.addAction(tr("&Recall"));
  recall->setShortcut(Qt::Key_Return);  // taken by the list itself: shown here for the menu
  recall->setShortcutContext(Qt::WidgetShortcut);
  connect(recall, &QAction::triggered, this, [this] { recallCurrent(); });
  connect(addCommand(edit, *this, tr("C&heck"), Qt::CTRL | Qt::Key_K), &QAction::triggered, this,
          [this] { check(); });
  edit.addSeparator();
  connect(addCommand(edit, *this, tr("C&lear Tape...")), &QAction::triggered, this,
          [this] { clearTape(); });

  QMenu& options = *bar->addMenu(tr("&Options"));
  QAction* recording = options.addAction(tr("&Record Calculations"));
  recording->setCheckable(true);
  recording->setChecked(tape_.recording());
  connect(recording, &QAction::toggled, this, [this](bool on) { tape_.setRecording(on); });
}

void TapeWindow::lineAdded() {
  QScrollBar* scroll = view_->verticalScrollBar();
  const bool atEnd = scroll->value() == scroll->maximum();
  model_->linesAdded();
  if (atEnd) view_->scrollToBottom();
  if (!tape_.problem().empty()) status_->setText(fromUtf8(tape_.problem()));
  if (isVisible() && !tape_.lines().empty())
    announcer_->announce(fromUtf8(ui::tape::spokenRow(tape_.lines().back())));
}

void TapeWindow::copySelection() {
  std::set<int> rows;  // in the tape's order, whichever way they were selected
  for (const QModelIndex& index : view_->selectionModel()->selectedRows()) rows.insert(index.row());
  if (rows.empty() && view_->currentIndex().isValid()) rows.insert(view_->currentIndex().row());
  if (rows.empty()) return;
  std::vector<core::tape::Entry> chosen;
  chosen.reserve(rows.size());
  for (const int row : rows) chosen.push_back(tape_.lines()[static_cast<std::size_t>(row)]);
  QGuiApplication::clipboard()->setText(fromUtf8(ui::tape::copiedText(chosen)));
}

void TapeWindow::recallCurrent() {
  const QModelIndex current = view_->currentIndex();
  if (!current.isValid()) return;
  tape_.recall(tape_.lines()[static_cast<std::size_t>(current.row())]);
}

void TapeWindow::check() {
  const ui::tape::TapeCheck result =
      ui::tape::checkTape(tape_.lines(), toUtf8(QLocale().groupSeparator()));
  model_->markDiffering(result.differing);
  showStatus(fromUtf8(result.sentence));
  if (!result.differing.empty())
    view_->scrollTo(model_->index(static_cast<int>(result.differing.begin()->first), 0));
}

void TapeWindow::findNext(bool backwards) {
  const QString wanted = findBox_->text();
  const int rows = model_->rowCount();
  if (wanted.isEmpty() || rows == 0) return;
  const int start = view_->currentIndex().isValid() ? view_->currentIndex().row() : -1;
  // Typing searches from the current line on, so that it stays while it still matches.
  const int first = findBox_->hasFocus() && !backwards ? std::max(start, 0) : start + 1;
  for (int step = 0; step < rows; ++step) {
    const int row = backwards ? ((start - 1 - step) % rows + rows) % rows : (first + step) % rows;
    for (int column = 0; column < model_->columnCount(); ++column) {
      if (model_->index(row, column).data().toString().contains(wanted, Qt::CaseInsensitive)) {
        view_->selectRow(row);
        view_->scrollTo(model_->index(row, 0));
        showStatus(QString());
        return;
      }
    }
  }
  showStatus(tr("\"%1\" is not on the tape.").arg(wanted));
}

void TapeWindow::clearTape() {
  QMessageBox ask(QMessageBox::NoIcon, windowTitle(),
                  tr("Clear the tape? Every line on it is removed."),
                  QMessageBox::Yes | QMessageBox::No, this);
  ask.setDefaultButton(QMessageBox::No);
  if (ask.exec() != QMessageBox::Yes) return;
  if (!tape_.clear()) showStatus(tr("The tape's files could not be removed."));
  model_->linesReset();
}

bool TapeWindow::saveCsv(const QString& file) {
  return writeFile(file, ui::tape::csvText(tape_.lines()));
}

bool TapeWindow::saveText(const QString& file) {
  return writeFile(file, ui::tape::plainText(tape_.lines()));
}

bool TapeWindow::savePdf(const QString& file) {
  return saveAsPdf([this](QPrinter& target) { paint(target); }, file, tr("Tape"));
}

void TapeWindow::saveWithDialog(bool csv) {
  const QString filter = csv ? tr("CSV files (*.csv)") : tr("Text files (*.txt)");
  const QString suffix = csv ? QStringLiteral(".csv") : QStringLiteral(".txt");
  QString file = QFileDialog::getSaveFileName(this, windowTitle(), tr("Tape") + suffix, filter);
  if (file.isEmpty()) return;
  if (!file.endsWith(suffix, Qt::CaseInsensitive)) file += suffix;
  if (csv ? saveCsv(file) : saveText(file)) return;
  QMessageBox box(QMessageBox::NoIcon, windowTitle(),
                  tr("The tape could not be saved as %1.").arg(file), QMessageBox::Ok, this);
  box.exec();
}

// A heading with the date and the program's version, then the three columns.
void TapeWindow::paint(QPrinter& target) const {
  QString html =
      QStringLiteral("<h3>%1</h3><p>%2</p><table cellpadding=\"2\">")
          .arg(tr("Vantro Calculator tape").toHtmlEscaped(),
               tr("Printed %1, %2")
                   .arg(QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat),
                        fromUtf8(ui::VersionCaption(build::programVersion())))
                   .toHtmlEscaped());
  for (const core::tape::Entry& line : tape_.lines()) {
    const ui::tape::TapeRow row = ui::tape::rowOf(line);
    html += QStringLiteral("<tr><td>%1</td><td>%2</td><td align=\"right\">%3</td></tr>")
                .arg(fromUtf8(row.time).toHtmlEscaped(), fromUtf8(row.calculation).toHtmlEscaped(),
                     fromUtf8(row.result).toHtmlEscaped());
  }
  html += QStringLiteral("</table>");
  QTextDocument document;
  document.setHtml(html);
  document.print(&target);
}

QPrinter& TapeWindow::printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void TapeWindow::showStatus(const QString& text) {
  status_->setText(text.isEmpty() ? fromUtf8(tape_.problem()) : text);
  if (!text.isEmpty()) announcer_->announce(text);
}

QString TapeWindow::status() const {
  return status_->text();
}

QString TapeWindow::announced() const {
  return announcer_->sentence();
}

// Enter in the list recalls its current line; Enter in the find box finds the next.
bool TapeWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && watched == view_) {
      recallCurrent();
      return true;
    }
    if (enter && watched == findBox_) {
      findNext(key->modifiers() & Qt::ShiftModifier);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vantro::qt
