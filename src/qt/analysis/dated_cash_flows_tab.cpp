#include "qt/analysis/dated_cash_flows_tab.h"

#include <QAction>
#include <QClipboard>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QScatterSeries>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/analysis/chart_support.h"
#include "qt/analysis/dated_flows_model.h"
#include "qt/code_points.h"

namespace vantro::qt {

namespace {

QLabel* sentenceLabel() {
  auto* label = new QLabel;
  label->setWordWrap(true);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

// An action of the table's own: its keys work while the table has the focus (not while a cell
// is being edited, whose editor keeps its own), and it shows in the table's context menu.
template <typename Run>
void addTableAction(QTableView& table, const QString& text, const QList<QKeySequence>& keys,
                    Run run) {
  auto* action = new QAction(text, &table);
  action->setShortcuts(keys);
  action->setShortcutContext(Qt::WidgetShortcut);
  table.addAction(action);
  QObject::connect(action, &QAction::triggered, &table, run);
}

}  // namespace

DatedCashFlowsTab::DatedCashFlowsTab(QWidget* parent)
    : QWidget(parent),
      model_(new DatedFlowsModel(this)),
      table_(new QTableView),
      pasteNote_(sentenceLabel()),
      rate_(new QLineEdit(QStringLiteral("10"))),
      guess_(new QLineEdit(QStringLiteral("10"))),
      sentence_(sentenceLabel()),
      figuresBox_(new QWidget),
      figures_(new QFormLayout),
      chart_(charts::makeChartView(
          tr("XNPV profile chart"),
          tr("The XNPV of the dated flows against the annual rate, with each XIRR marked; the "
             "sentence and the figures beside the chart carry the same results."),
          tr("Rate (% a year)"), tr("XNPV"), nullptr)),
      xnpv_(new QLineSeries),
      zero_(new QLineSeries),
      xirrs_(new QScatterSeries),
      nearest_(new QScatterSeries) {
  table_->setObjectName(QStringLiteral("DatedCashFlowsTable"));
  pasteNote_->setObjectName(QStringLiteral("DatedCashFlowsPasteNote"));
  rate_->setObjectName(QStringLiteral("DatedCashFlowsRate"));
  guess_->setObjectName(QStringLiteral("DatedCashFlowsGuess"));
  sentence_->setObjectName(QStringLiteral("DatedCashFlowsSentence"));
  chart_->setObjectName(QStringLiteral("DatedCashFlowsChart"));

  table_->setModel(model_);
  table_->setAccessibleName(tr("Dated cash flows table"));
  table_->setAccessibleDescription(
      tr("A date and an amount on each row; Ctrl+V pastes two columns copied from a "
         "spreadsheet"));
  // Tab leaves the table for the boxes beside it; the arrow keys move between cells.
  table_->setTabKeyNavigation(false);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
  table_->setWordWrap(false);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->setContextMenuPolicy(Qt::ActionsContextMenu);
  addTableAction(*table_, tr("&Copy"), QKeySequence::keyBindings(QKeySequence::Copy),
                 [this] { copy(); });
  addTableAction(*table_, tr("&Paste"), QKeySequence::keyBindings(QKeySequence::Paste),
                 [this] { paste(); });
  addTableAction(*table_, tr("C&lear"), {QKeySequence(Qt::Key_Delete)},
                 [this] { clearSelected(); });
  model_->edited = [this] { recompute(); };

  pasteNote_->setAccessibleDescription(tr("What the last paste took"));  // named by its text
  pasteNote_->hide();
  sentence_->setAccessibleDescription(tr("What the dated flows give"));  // named by its text

  rate_->setAccessibleName(tr("Rate (% a year)"));
  rate_->setToolTip(tr("The annual rate the XNPV discounts at, in percent"));
  guess_->setAccessibleName(tr("Guess (%)"));
  guess_->setToolTip(
      tr("Where XIRR starts its search, in percent: with several XIRRs, the one "
         "nearest the guess is XIRR's answer"));
  auto* tableLabel = new QLabel(tr("Cash fl&ows:"));
  tableLabel->setBuddy(table_);
  auto* rateLabel = new QLabel(tr("R&ate (% a year):"));
  rateLabel->setBuddy(rate_);
  auto* guessLabel = new QLabel(tr("&Guess (%):"));
  guessLabel->setBuddy(guess_);
  connect(rate_, &QLineEdit::textChanged, this, [this] { recompute(); });
  connect(guess_, &QLineEdit::textChanged, this, [this] { recompute(); });

  nearest_->setName(tr("XIRR nearest the guess"));
  xnpv_->setName(tr("XNPV"));
  xirrs_->setName(tr("XIRR"));
  xirrs_->setMarkerSize(9);
  nearest_->setMarkerSize(12);
  QPen axisPen(palette().color(QPalette::Mid));
  axisPen.setWidthF(1);
  zero_->setPen(axisPen);
  for (QXYSeries* series : {static_cast<QXYSeries*>(zero_), static_cast<QXYSeries*>(xnpv_),
                            static_cast<QXYSeries*>(nearest_), static_cast<QXYSeries*>(xirrs_)}) {
    chart_->chart()->addSeries(series);
    series->attachAxis(charts::xAxis(*chart_));
    series->attachAxis(charts::yAxis(*chart_));
  }
  for (QLegendMarker* marker : chart_->chart()->legend()->markers(zero_)) marker->setVisible(false);

  figuresBox_->setObjectName(QStringLiteral("DatedCashFlowsFigures"));
  figuresBox_->setAccessibleName(tr("Figures"));
  figuresBox_->setLayout(figures_);
  figures_->setContentsMargins(0, 0, 0, 0);
  figures_->setLabelAlignment(Qt::AlignLeft);
  figures_->setHorizontalSpacing(16);

  auto* left = new QWidget;
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->addWidget(tableLabel);
  leftLayout->addWidget(table_, 1);
  leftLayout->addWidget(pasteNote_);

  // A rate is a few characters: the boxes stay that narrow, side by side above the results.
  const int boxWidth = rate_->fontMetrics().horizontalAdvance(QStringLiteral("0000.0000")) + 12;
  rate_->setMaximumWidth(boxWidth);
  guess_->setMaximumWidth(boxWidth);
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(rateLabel);
  boxes->addWidget(rate_);
  boxes->addSpacing(16);
  boxes->addWidget(guessLabel);
  boxes->addWidget(guess_);
  boxes->addStretch(1);
  auto* right = new QWidget;
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->addLayout(boxes);
  rightLayout->addWidget(sentence_);
  rightLayout->addWidget(figuresBox_);
  rightLayout->addWidget(chart_, 1);
  rightLayout->addStretch(0);  // keeps the sentence at the top while the chart is hidden

  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->addWidget(left);
  splitter->addWidget(right);
  splitter->setSizes({320, 560});
  splitter->setChildrenCollapsible(false);
  auto* root = new QVBoxLayout(this);
  root->addWidget(splitter);

  setTabOrder(table_, rate_);
  setTabOrder(rate_, guess_);
  setTabOrder(guess_, chart_);
  recompute();
}

void DatedCashFlowsTab::showFields(const ui::AnalysisFields& fields) {
  fields_ = fields;
  recompute();
}

void DatedCashFlowsTab::paste() {
  const ui::PasteOutcome outcome =
      model_->paste(QGuiApplication::clipboard()->text(), table_->currentIndex());
  pasteNote_->setText(fromUtf8(outcome.note));
  pasteNote_->show();
  if (outcome.endRow == outcome.firstRow) return;
  // The pasted cells are left selected, the first of them current.
  const QModelIndex first = model_->index(static_cast<int>(outcome.firstRow), outcome.firstColumn);
  const QModelIndex last = model_->index(static_cast<int>(outcome.endRow) - 1, outcome.lastColumn);
  table_->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
  table_->selectionModel()->select(QItemSelection(first, last),
                                   QItemSelectionModel::ClearAndSelect);
}

void DatedCashFlowsTab::copy() const {
  QModelIndexList cells = table_->selectionModel()->selectedIndexes();
  if (cells.isEmpty() && table_->currentIndex().isValid()) cells << table_->currentIndex();
  if (cells.isEmpty()) return;
  QGuiApplication::clipboard()->setText(model_->copy(cells));
}

void DatedCashFlowsTab::clearSelected() {
  model_->clear(table_->selectionModel()->selectedIndexes());
}

void DatedCashFlowsTab::recompute() {
  ui::DatedFlowInputs inputs;
  inputs.rows = model_->table().rows();
  inputs.rate = toUtf8(rate_->text());
  inputs.guess = toUtf8(guess_->text());
  inputs.datePattern = toUtf8(QLocale().dateFormat(QLocale::ShortFormat));
  inputs.locale = fields_.locale;
  inputs.decimalPlaces = fields_.decimalPlaces;
  report_ = ui::DatedCashFlowsReport::build(inputs, charts::plotPointCount(*chart_));

  sentence_->setText(fromUtf8(report_.sentence));
  std::unordered_map<std::size_t, QString> notes;
  for (const auto& problem : report_.problems)
    notes.emplace(problem.row, fromUtf8(problem.sentence));
  model_->setRowNotes(std::move(notes));
  figuresBox_->setVisible(!report_.figures.empty());
  charts::showFigures(*figures_, report_.figures);
  chart_->setVisible(!report_.curve.empty());
  showChart();
}

void DatedCashFlowsTab::showChart() {
  QList<QPointF> curve;
  curve.reserve(static_cast<qsizetype>(report_.curve.size()));
  for (const core::finance::NpvPoint& point : report_.curve)
    charts::appendIfFinite(curve, point.rate * 100, point.npv);
  QList<QPointF> marks;
  QList<QPointF> nearest;
  for (std::size_t i = 0; i < report_.xirrs.size(); ++i)
    charts::appendIfFinite(report_.nearestGuess == i ? nearest : marks, report_.xirrs[i] * 100, 0);
  xnpv_->replace(curve);
  xirrs_->replace(marks);
  nearest_->replace(nearest);
  zero_->clear();
  if (!curve.isEmpty())
    zero_->replace({QPointF(curve.front().x(), 0), QPointF(curve.back().x(), 0)});
  charts::fitAxes(*chart_, curve, true);
}

}  // namespace vantro::qt
