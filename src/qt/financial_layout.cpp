#include "qt/financial_layout.h"

#include <QFontMetrics>
#include <span>

#include "qt/layout_support.h"
#include "qt/twips.h"
#include "ui/financial/entry_fields.h"

namespace vantro::qt {

namespace {

using namespace layout;
using ui::ControlId;
using enum ui::ControlId;

// Five columns, one per value field; every financial key stands in one of them.
constexpr int kColumnLefts[] = {120, 1275, 2430, 3585, 4740};
constexpr int kColumnWidth = 1050;
static_assert(kColumnLefts[4] + kColumnWidth == kFinancialRight);

constexpr int kFieldLabelTop = 1530;
constexpr int kFieldTop = 1770;
constexpr int kFieldHeight = 375;
constexpr int kSolverKeyTop = 2190;  // right under the fields
constexpr int kKeyHeight = 360;
constexpr int kPeriodLabelTop = 2610;  // its caption is wider than a column: a row of its own
constexpr int kRowTops[] = {2850, 3270, kCashFlowRowTop};
static_assert(kRowTops[1] + kKeyHeight < kCashFlowRowTop);

// The short names of the commands are drawn, not written: the picture size fits the longest,
// TPPMT, into a column.
const QSize kPictureSize(56, 14);

// The captions come with the fields; the labels' names and tooltips are the window's own.
struct FieldDesign {
  const ui::financial::EntryField& field;
  const char* labelName;
  const char* toolTip;
};

constexpr FieldDesign kFields[] = {
    {ui::financial::kNPer, "Label6", "Total number of payment periods in the annuity"},
    {ui::financial::kInterest, "Label7", "Interest per period, in percentage"},
    {ui::financial::kPresentValue, "Label8", "Present value"},
    {ui::financial::kFutureValue, "Label9", "Future value"},
    {ui::financial::kPayment, "Label10", "Payment per period"},
};

// Each solver under the field it solves, in the same order.
constexpr KeyDesign kSolverKeys[] = {
    {CommandN, nullptr, "Calc payment periods", ":/keys/fin_n.svg"},
    {CommandInterest, nullptr, "Calc interest rate", ":/keys/fin_interest.svg"},
    {CommandPV, nullptr, "Calc present value", ":/keys/fin_pv.svg"},
    {CommandFV, nullptr, "Calc future value", ":/keys/fin_fv.svg"},
    {CommandPMT, nullptr, "Calc payment made per period", ":/keys/fin_pmt.svg"},
};

// The keys below the solvers, in rows that end at the right edge: the parts of payment Per and
// their totals beside the period field, the balance and the rate conversions beside the payment
// timing (which spans two columns), and the cash-flow keys with Clear at the end of the last row.
constexpr KeyDesign kPeriodRowKeys[] = {
    {CommandPPMT, nullptr, "Calc principal payment for Per period of an annuity",
     ":/keys/fin_ppmt.svg"},
    {CommandIPMT, nullptr, "Calc interest payment for Per period of an annuity",
     ":/keys/fin_ipmt.svg"},
    {CommandPrincipal, nullptr, "Calc total principal payment from first payment to Per",
     ":/keys/fin_tppmt.svg"},
    {CommandInterestPaid, nullptr, "Calc total interest payment from first payment to Per",
     ":/keys/fin_tipmt.svg"},
};
constexpr KeyDesign kTimingRowKeys[] = {
    {CommandBalance, nullptr, "Calc outstanding balance at Per period", ":/keys/fin_balance.svg"},
    {CommandEffect, nullptr, "Calculate effective annual interest rate", ":/keys/fin_effect.svg"},
    {CommandNominal, nullptr, "Calculate nominal annual interest rate", ":/keys/fin_nominal.svg"},
};
constexpr KeyDesign kCashFlowRowKeys[] = {
    {CommandCF, nullptr, "Enter or view cash flows", ":/keys/fin_cf.svg"},
    {CommandNPV, nullptr,
     "Calc net present value of an investment based on a series of periodic cash flows",
     ":/keys/fin_npv.svg"},
    {CommandIRR, nullptr, "Calc internal rate of return for a series of periodic cash flows",
     ":/keys/fin_irr.svg"},
    {CommandMIRR, nullptr,
     "Calc modified internal rate of return for a series of periodic cash flows",
     ":/keys/fin_mirr.svg"},
    {CommandClear, nullptr, "Clear all financial calculator inputs", ":/keys/fin_clear.svg"},
};

const QColor kPaleYellow(255, 255, 192);
const QColor kLightGrey(224, 224, 224);
const QColor kBlue(0, 0, 255);

void buildValueFields(QWidget& central, EventRouter& router, MainWindowWidgets& out) {
  const QFont labelFont = sansFont(8.25);
  const QFont fieldFont = sansFont(9.75);
  for (std::size_t i = 0; i < std::size(kFields); ++i) {
    const FieldDesign& design = kFields[i];
    QLabel* label = makeLabel(central, QString::fromLatin1(design.labelName),
                              QString::fromLatin1(design.field.caption),
                              QString::fromLatin1(design.toolTip), labelFont);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    place(*label, kColumnLefts[i], kFieldLabelTop, kColumnWidth, kFieldTop - kFieldLabelTop);
    LineEditBox* box =
        makeField(central, router, out, design.field.id, QString::fromLatin1(design.field.caption));
    box->setFont(fieldFont);
    setColours(*box, kPaleYellow, Qt::black);
    place(*box, kColumnLefts[i], kFieldTop, kColumnWidth, kFieldHeight);
  }
}

void buildKeyRow(QWidget& central, EventRouter& router, MainWindowWidgets& out,
                 std::span<const KeyDesign> keys, int top) {
  std::size_t column = std::size(kColumnLefts) - keys.size();
  for (const KeyDesign& design : keys) {
    KeyButton* key = makeKey(central, router, out, design, central.font(), kPictureSize);
    place(*key, kColumnLefts[column++], top, kColumnWidth, kKeyHeight);
  }
}

void buildPeriodAndTiming(QWidget& central, EventRouter& router, MainWindowWidgets& out) {
  const QFont labelFont = sansFont(8.25);
  // "Per / " and "Reinvest Rate" read as one caption: the period, or the reinvestment rate.
  const QString perToolTip = QStringLiteral(
      "Payment period in the range 1 through NPer. Or interest rate received on gains from "
      "cash reinvestment.");
  QLabel* per =
      makeLabel(central, QStringLiteral("Label5"), QStringLiteral("Per / "), perToolTip, labelFont);
  QLabel* reinvest = makeLabel(central, QStringLiteral("Label11"), QStringLiteral("Reinvest Rate"),
                               perToolTip, labelFont);
  const QFontMetrics metrics(labelFont);
  const int perWidth = metrics.horizontalAdvance(per->text());
  per->setGeometry(px(kColumnLefts[0]), px(kPeriodLabelTop), perWidth, px(240));
  reinvest->setGeometry(px(kColumnLefts[0]) + perWidth, px(kPeriodLabelTop),
                        metrics.horizontalAdvance(reinvest->text()) + 2, px(240));

  LineEditBox* period =
      makeField(central, router, out, TextPer, QString::fromUtf8(ui::financial::kPeriod.caption));
  period->setFont(sansFont(9.75));
  setColours(*period, kLightGrey, kBlue);
  place(*period, kColumnLefts[0], kRowTops[0], kColumnWidth, kFieldHeight);
  buildKeyRow(central, router, out, kPeriodRowKeys, kRowTops[0]);

  auto* payment = new WrappingCheckBox(CheckPayment, router, &central);
  payment->setObjectName(name(CheckPayment));
  payment->setText(QStringLiteral("Payment At End Period"));
  payment->setToolTip(QStringLiteral("Specifying when payments are due"));
  payment->setFont(labelFont);
  place(*payment, kColumnLefts[0], kRowTops[1], kColumnLefts[2] - kColumnLefts[0] - 45, kKeyHeight);
  out.byId[static_cast<std::size_t>(CheckPayment)] = payment;
  buildKeyRow(central, router, out, kTimingRowKeys, kRowTops[1]);
  buildKeyRow(central, router, out, kCashFlowRowKeys, kRowTops[2]);
}

// Above the main display, at the left end of the status bar's row.
void buildDecimalPlaces(QWidget& central, EventRouter& router, MainWindowWidgets& out) {
  const QFont labelFont = sansFont(8.25);
  QLabel* decimalLabel =
      makeLabel(central, QStringLiteral("Label13"), QStringLiteral("Decimal Place"),
                QStringLiteral("Specify number of decimal point to display (for financial "
                               "calculation only)."),
                labelFont);
  decimalLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  place(*decimalLabel, 120, 600, 1200, 285);
  LineEditBox* decimals =
      makeField(central, router, out, TextDecimal, QStringLiteral("Decimal Place"));
  decimals->setFont(labelFont);
  decimals->setAlignment(Qt::AlignCenter);
  setColours(*decimals, kLightGrey, kBlue);
  place(*decimals, 1440, 585, 615, 300);
}

}  // namespace

// Creation order is tab order: row by row, and the decimal places last, as a setting of the
// whole section.
void buildFinancialSection(QWidget& central, EventRouter& router, MainWindowWidgets& out) {
  buildValueFields(central, router, out);
  buildKeyRow(central, router, out, kSolverKeys, kSolverKeyTop);
  buildPeriodAndTiming(central, router, out);
  buildDecimalPlaces(central, router, out);
}

}  // namespace vantro::qt
