#include "qt/analysis/loan_schedule_tab.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "core/settings_file.h"
#include "qt/analysis/chart_support.h"
#include "qt/analysis/loan_schedule_model.h"
#include "qt/analysis/loan_schedule_options.h"
#include "qt/code_points.h"
#include "ui/services.h"

namespace vantro::qt {

namespace {

// The rows measured to size the columns: the first and the last (where the totals and the
// widest balances are), never all of them.
constexpr std::size_t kSampledRows = 40;

}  // namespace

LoanScheduleTab::LoanScheduleTab(QWidget* parent)
    : QWidget(parent),
      model_(new LoanScheduleModel(this)),
      options_(new LoanScheduleOptionsBar),
      copy_(new QPushButton(tr("&Copy"))),
      save_(new QPushButton(tr("&Save as CSV…"))),
      pages_(new QStackedWidget),
      problem_(new QLabel),
      ratesNote_(new QLabel),
      paymentNote_(new QLabel),
      extrasNote_(new QLabel),
      table_(new QTableView),
      summary_(new QLabel),
      chart_(charts::makeChartView(
          tr("Balance chart"),
          tr("The balance and the cumulative interest by period; the loan schedule table "
             "carries the same figures."),
          tr("Period"), tr("Amount"), nullptr)),
      balance_(new QLineSeries),
      interest_(new QLineSeries) {
  copy_->setObjectName(QStringLiteral("LoanScheduleCopy"));
  save_->setObjectName(QStringLiteral("LoanScheduleSave"));
  problem_->setObjectName(QStringLiteral("LoanScheduleProblem"));
  paymentNote_->setObjectName(QStringLiteral("LoanSchedulePaymentNote"));
  extrasNote_->setObjectName(QStringLiteral("LoanScheduleExtrasNote"));
  ratesNote_->setObjectName(QStringLiteral("LoanScheduleRatesNote"));
  chart_->setObjectName(QStringLiteral("LoanScheduleChart"));
  askSavePath = [this] {
    return QFileDialog::getSaveFileName(this, tr("Save the Loan Schedule"),
                                        QDir::home().filePath(QStringLiteral("loan-schedule.csv")),
                                        tr("CSV files (*.csv)"));
  };

  copy_->setAccessibleName(tr("Copy"));
  copy_->setToolTip(tr("Copy the schedule as tab-separated text"));
  save_->setAccessibleName(tr("Save as CSV"));
  model_->setReport(&report_);
  table_->setModel(model_);
  table_->setAccessibleName(tr("Loan schedule table"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setAlternatingRowColors(true);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  // One height for every row: the view then never measures a row it does not paint.
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

  // Their text is their accessible name: a fixed one would hide the sentence from a screen
  // reader.
  for (QLabel* note : {ratesNote_, paymentNote_, extrasNote_}) {
    note->setWordWrap(true);
    note->setTextFormat(Qt::PlainText);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    note->hide();
  }

  summary_->setAccessibleDescription(tr("Schedule summary"));  // named by its text
  summary_->setWordWrap(true);
  summary_->setTextFormat(Qt::PlainText);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  balance_->setName(tr("Balance"));
  interest_->setName(tr("Cumulative interest"));
  for (QLineSeries* series : {balance_, interest_}) {
    chart_->chart()->addSeries(series);
    series->attachAxis(charts::xAxis(*chart_));
    series->attachAxis(charts::yAxis(*chart_));
  }

  auto* upper = new QWidget;
  auto* upperLayout = new QVBoxLayout(upper);
  upperLayout->setContentsMargins(0, 0, 0, 0);
  upperLayout->addWidget(paymentNote_);
  upperLayout->addWidget(extrasNote_);
  upperLayout->addWidget(table_, 1);
  auto* summaryRow = new QHBoxLayout;
  summaryRow->addWidget(summary_, 1);
  summaryRow->addWidget(copy_, 0, Qt::AlignTop);
  summaryRow->addWidget(save_, 0, Qt::AlignTop);
  upperLayout->addLayout(summaryRow);
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->addWidget(upper);
  splitter->addWidget(chart_);
  // Room for a dozen rows and a readable chart in the window's first size; the splitter
  // keeps the proportion when the window is resized.
  splitter->setSizes({300, 220});
  splitter->setChildrenCollapsible(false);

  problem_->setAccessibleDescription(tr("What the schedule needs"));  // named by its text
  problem_->setWordWrap(true);
  problem_->setTextFormat(Qt::PlainText);
  problem_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  pages_->addWidget(splitter);
  pages_->addWidget(problem_);

  auto* root = new QVBoxLayout(this);
  root->addWidget(options_);
  root->addWidget(ratesNote_);
  root->addWidget(pages_, 1);

  options_->changed = [this] { rebuild(); };
  options_->putInInterest = [this](const std::string& percent) {
    if (putInInterest) putInInterest(percent);
  };
  connect(copy_, &QPushButton::clicked, this, [this] { copyToClipboard(); });
  connect(save_, &QPushButton::clicked, this, [this] { saveAsCsv(); });
}

LoanScheduleTab::~LoanScheduleTab() {
  model_->setReport(nullptr);  // the view may still ask while it goes
}

void LoanScheduleTab::showFields(const ui::AnalysisFields& fields) {
  fields_ = fields;
  options_->setLocale(fields.locale);
  rebuild();
}

void LoanScheduleTab::rebuild() {
  if (!fields_) return;
  ui::LoanScheduleReport next = ui::LoanScheduleReport::build(*fields_, options_->options());
  model_->resetWith([&] { report_ = std::move(next); });
  ratesNote_->setText(fromUtf8(report_.ratesNote()));
  ratesNote_->setVisible(!report_.ratesNote().empty());

  const bool built = report_.problem().empty();
  copy_->setEnabled(built);
  save_->setEnabled(built);
  if (!built) {
    problem_->setText(fromUtf8(report_.problem()));
    pages_->setCurrentWidget(problem_);
    return;
  }
  paymentNote_->setText(fromUtf8(report_.paymentNote()));
  paymentNote_->setVisible(!report_.paymentNote().empty());
  extrasNote_->setText(fromUtf8(report_.extrasNote()));
  extrasNote_->setVisible(!report_.extrasNote().empty());
  summary_->setText(fromUtf8(report_.summary()));
  sizeColumns();
  showChart();
  pages_->setCurrentIndex(0);
}

void LoanScheduleTab::showChart() {
  QList<QPointF> balance;
  QList<QPointF> interest;
  for (const ui::ChartPoint& point : report_.chartPoints(charts::plotPointCount(*chart_))) {
    charts::appendIfFinite(balance, point.period, point.balance);
    charts::appendIfFinite(interest, point.period, point.cumulativeInterest);
  }
  balance_->replace(balance);
  interest_->replace(interest);
  charts::fitAxes(*chart_, balance + interest, true);
}

void LoanScheduleTab::sizeColumns() {
  const std::size_t rows = report_.rowCount();
  QFont bold = table_->font();
  bold.setBold(true);  // totals are bold, and a little wider
  const QFontMetrics cellMetrics(bold);
  const QFontMetrics headerMetrics(table_->horizontalHeader()->font());
  const int padding =
      2 * table_->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, table_) + 12;
  for (int column = 0; column < report_.columnCount(); ++column) {
    int width = headerMetrics.horizontalAdvance(QString::fromLatin1(report_.columnTitle(column)));
    auto measure = [&](std::size_t row) {
      width = std::max(width, cellMetrics.horizontalAdvance(fromUtf8(report_.cell(row, column))));
    };
    for (std::size_t row = 0; row < std::min(rows, kSampledRows); ++row) measure(row);
    for (std::size_t row = std::max(rows, kSampledRows) - kSampledRows; row < rows; ++row)
      measure(row);
    table_->setColumnWidth(column, width + padding);
  }
}

void LoanScheduleTab::copyToClipboard() const {
  if (!report_.problem().empty()) return;
  QGuiApplication::clipboard()->setText(fromUtf8(report_.tabSeparatedText()));
}

void LoanScheduleTab::saveAsCsv() {
  if (!report_.problem().empty() || !askSavePath) return;
  QString path = askSavePath();
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
  path = QFileInfo(path).absoluteFilePath();
  const std::filesystem::path file(QFile::encodeName(path).toStdString());
  if (core::writeFileAtomically(file, report_.csvText())) return;
  QString message = tr("Could not save the schedule to \"");
  message += path;
  message += QStringLiteral("\".");
  QMessageBox::warning(this, QString::fromLatin1(ui::kAppTitle), message);
}

}  // namespace vantro::qt
