#include "qt/analysis/loan_schedule_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/finance/finance.h"
#include "qt/code_points.h"
#include "ui/analysis/loan_extras.h"

namespace vantro::qt {

namespace {

using core::finance::ExtraEffect;
using core::finance::ScheduleMode;

// The compoundings lenders quote, continuous last.
constexpr struct {
  const char* name;
  double perYear;
} kCompoundings[] = {
    {"once a year", 1},
    {"twice a year", 2},
    {"quarterly", 4},
    {"monthly", 12},
    {"twice a month", 24},
    {"every two weeks", 26},
    {"weekly", 52},
    {"daily", 365},
    {"continuously", core::finance::kContinuousCompounding},
};

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

LoanScheduleOptionsBar::LoanScheduleOptionsBar(QWidget* parent)
    : QWidget(parent),
      mode_(new QComboBox),
      periodsPerYear_(new QSpinBox),
      yearTotals_(new QCheckBox(tr("&Year totals"))),
      rateBasis_(new QComboBox),
      compounding_(new QComboBox),
      annualRate_(new QLineEdit),
      converted_(new QLabel),
      useRate_(new QPushButton(tr("P&ut in Interest"))),
      recurringExtra_(new QLineEdit),
      recurringFrom_(new QSpinBox),
      oneOffExtras_(new QLineEdit),
      extraEffect_(new QComboBox),
      more_(new QWidget),
      showMore_(new QToolButton) {
  yearTotals_->setObjectName(QStringLiteral("LoanScheduleYearTotals"));
  // The rate and extras rows open on demand: closed, the schedule keeps the room it had.
  auto* moreLayout = new QVBoxLayout(more_);
  moreLayout->setContentsMargins(0, 0, 0, 0);
  moreLayout->addLayout(rateRows());
  moreLayout->addLayout(extrasRows());
  more_->hide();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(scheduleRow());
  layout->addWidget(more_);
}

QLayout* LoanScheduleOptionsBar::scheduleRow() {
  mode_->addItem(tr("As billed"), static_cast<int>(ScheduleMode::AsBilled));
  mode_->addItem(tr("Exact"), static_cast<int>(ScheduleMode::Exact));
  mode_->setAccessibleName(tr("Schedule mode"));
  mode_->setToolTip(
      tr("As billed: amounts rounded to the decimal places shown, as a lender bills "
         "them. Exact: full precision."));
  periodsPerYear_->setRange(1, 366);
  periodsPerYear_->setValue(12);
  periodsPerYear_->setAccessibleName(tr("Payments per year"));
  periodsPerYear_->setToolTip(
      tr("Payments a year (P/Y): the year totals and an annual rate use it"));
  yearTotals_->setChecked(true);
  yearTotals_->setAccessibleName(tr("Year totals"));
  showMore_->setText(tr("Rate and e&xtras"));
  showMore_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  showMore_->setArrowType(Qt::RightArrow);
  showMore_->setCheckable(true);
  showMore_->setAccessibleName(tr("Rate and extras"));
  showMore_->setToolTip(
      tr("How the Interest field's rate is read, a rate converter and extra "
         "payments"));

  auto* layout = new QHBoxLayout;
  layout->addWidget(buddyLabel(tr("&Mode:"), mode_));
  layout->addWidget(mode_);
  layout->addSpacing(12);
  layout->addWidget(buddyLabel(tr("&Payments per year:"), periodsPerYear_));
  layout->addWidget(periodsPerYear_);
  layout->addSpacing(12);
  layout->addWidget(yearTotals_);
  layout->addSpacing(12);
  layout->addWidget(showMore_);
  layout->addStretch(1);
  connect(showMore_, &QToolButton::toggled, this, [this](bool shown) {
    showMore_->setArrowType(shown ? Qt::DownArrow : Qt::RightArrow);
    more_->setVisible(shown);
  });
  connect(mode_, &QComboBox::currentIndexChanged, this, [this] { notify(); });
  connect(periodsPerYear_, &QSpinBox::valueChanged, this, [this] {
    convert();
    notify();
  });
  connect(yearTotals_, &QCheckBox::toggled, this, [this] { notify(); });
  return layout;
}

QLayout* LoanScheduleOptionsBar::rateRows() {
  rateBasis_->addItem(tr("the rate per payment"), static_cast<int>(ui::RateBasis::PerPeriod));
  rateBasis_->addItem(tr("an annual rate"), static_cast<int>(ui::RateBasis::Annual));
  rateBasis_->setAccessibleName(tr("The Interest field holds"));
  for (const auto& compounding : kCompoundings)
    compounding_->addItem(tr(compounding.name), compounding.perYear);
  compounding_->setCurrentIndex(3);  // monthly
  compounding_->setAccessibleName(tr("Compounded"));
  compounding_->setToolTip(tr("Compoundings a year (C/Y) of an annual rate"));
  annualRate_->setAccessibleName(tr("Annual rate to convert, in percent"));
  annualRate_->setPlaceholderText(tr("% a year"));
  annualRate_->setMaximumWidth(90);
  converted_->setTextFormat(Qt::PlainText);
  converted_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  converted_->setMinimumWidth(
      converted_->fontMetrics().horizontalAdvance(QStringLiteral("= 0.000000000 % a payment")));
  useRate_->setAccessibleName(tr("Put the rate per payment in the Interest field"));
  useRate_->setEnabled(false);

  auto* basis = new QHBoxLayout;
  basis->addWidget(buddyLabel(tr("&Interest field holds:"), rateBasis_));
  basis->addWidget(rateBasis_);
  basis->addWidget(buddyLabel(tr("c&ompounded"), compounding_));
  basis->addWidget(compounding_);
  basis->addStretch(1);
  auto* converter = new QHBoxLayout;
  converter->addWidget(buddyLabel(tr("Co&nvert"), annualRate_));
  converter->addWidget(annualRate_);
  converter->addWidget(converted_);
  converter->addWidget(useRate_);
  converter->addStretch(1);
  auto* layout = new QVBoxLayout;
  layout->addLayout(basis);
  layout->addLayout(converter);
  connect(rateBasis_, &QComboBox::currentIndexChanged, this, [this] { notify(); });
  connect(compounding_, &QComboBox::currentIndexChanged, this, [this] {
    convert();
    notify();
  });
  connect(annualRate_, &QLineEdit::textChanged, this, [this] { convert(); });
  connect(useRate_, &QPushButton::clicked, this, [this] {
    if (convertedRate_.empty() || !putInInterest) return;
    readRatePerPeriod();
    putInInterest(convertedRate_);
  });
  return layout;
}

QLayout* LoanScheduleOptionsBar::extrasRows() {
  recurringExtra_->setAccessibleName(tr("Extra principal with every payment"));
  recurringExtra_->setMaximumWidth(110);
  recurringFrom_->setRange(1, 1'000'000);
  recurringFrom_->setAccessibleName(tr("From payment"));
  oneOffExtras_->setAccessibleName(tr("One-off extra payments"));
  oneOffExtras_->setPlaceholderText(tr("12: 5000; 36: 2500"));
  oneOffExtras_->setToolTip(tr("Payment number, colon, amount; separate them with semicolons"));
  extraEffect_->addItem(tr("shorten the term"), static_cast<int>(ExtraEffect::ShortenTerm));
  extraEffect_->addItem(tr("lower the payment"), static_cast<int>(ExtraEffect::LowerPayment));
  extraEffect_->setAccessibleName(tr("Extra payments"));

  auto* recurring = new QHBoxLayout;
  recurring->addWidget(buddyLabel(tr("Extra &with every payment:"), recurringExtra_));
  recurring->addWidget(recurringExtra_);
  recurring->addWidget(buddyLabel(tr("from p&ayment"), recurringFrom_));
  recurring->addWidget(recurringFrom_);
  recurring->addSpacing(12);
  recurring->addWidget(buddyLabel(tr("&Effect:"), extraEffect_));
  recurring->addWidget(extraEffect_);
  recurring->addStretch(1);
  auto* oneOff = new QHBoxLayout;
  oneOff->addWidget(buddyLabel(tr("One-off ex&tras:"), oneOffExtras_));
  oneOff->addWidget(oneOffExtras_, 1);
  auto* layout = new QVBoxLayout;
  layout->addLayout(recurring);
  layout->addLayout(oneOff);
  for (QLineEdit* edit : {recurringExtra_, oneOffExtras_})
    connect(edit, &QLineEdit::textChanged, this, [this] { notify(); });
  connect(recurringFrom_, &QSpinBox::valueChanged, this, [this] { notify(); });
  connect(extraEffect_, &QComboBox::currentIndexChanged, this, [this] { notify(); });
  return layout;
}

ui::LoanScheduleOptions LoanScheduleOptionsBar::options() const {
  ui::LoanScheduleOptions options;
  options.mode = static_cast<ScheduleMode>(mode_->currentData().toInt());
  options.periodsPerYear = periodsPerYear_->value();
  options.yearTotals = yearTotals_->isChecked();
  options.rateBasis = static_cast<ui::RateBasis>(rateBasis_->currentData().toInt());
  options.compoundingsPerYear = compounding_->currentData().toDouble();
  options.extras.recurring = toUtf8(recurringExtra_->text());
  options.extras.recurringFrom = recurringFrom_->value();
  options.extras.oneOff = toUtf8(oneOffExtras_->text());
  options.extras.effect = static_cast<ExtraEffect>(extraEffect_->currentData().toInt());
  return options;
}

void LoanScheduleOptionsBar::readRatePerPeriod() {
  rateBasis_->setCurrentIndex(rateBasis_->findData(static_cast<int>(ui::RateBasis::PerPeriod)));
}

void LoanScheduleOptionsBar::setLocale(const core::NumberLocale& locale) {
  locale_ = locale;
  convert();
}

void LoanScheduleOptionsBar::convert() {
  convertedRate_ =
      ui::analysis::periodicRateText(toUtf8(annualRate_->text()), periodsPerYear_->value(),
                                     compounding_->currentData().toDouble(), locale_);
  useRate_->setEnabled(!convertedRate_.empty());
  converted_->setText(
      convertedRate_.empty() ? QString() : tr("= %1 % a payment").arg(fromUtf8(convertedRate_)));
}

void LoanScheduleOptionsBar::notify() const {
  if (changed) changed();
}

}  // namespace vantro::qt
