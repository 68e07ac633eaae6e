// The analysis window's content, computed without a display: the schedule's rows, texts and
// saved forms, the cash-flow profile's sentences and figures, and the menu that opens it.

#include <gtest/gtest.h>

#include <string>

#include "form_fixture.h"
#include "ui/analysis/cash_flow_profile_report.h"
#include "ui/analysis/dated_cash_flows_report.h"
#include "ui/analysis/field_reading.h"
#include "ui/analysis/loan_extras.h"
#include "ui/analysis/loan_schedule_report.h"

namespace vantro::test {
namespace {

using core::finance::ScheduleMode;
using ui::AnalysisFields;
using ui::CashFlowProfileReport;
using ui::DatedCashFlowsReport;
using ui::DatedFlowRow;
using ui::DatedFlowTable;
using ui::LoanScheduleReport;
using ui::ScheduleRowKind;

ui::LoanScheduleOptions shown(ScheduleMode mode, int paymentsPerYear = 12, bool yearTotals = true) {
  ui::LoanScheduleOptions options;
  options.mode = mode;
  options.periodsPerYear = paymentsPerYear;
  options.yearTotals = yearTotals;
  return options;
}

AnalysisFields loan(std::string interest, std::string periods, std::string presentValue) {
  AnalysisFields fields;
  fields.interest = std::move(interest);
  fields.periods = std::move(periods);
  fields.presentValue = std::move(presentValue);
  return fields;
}

// Worked by hand: 1,000 at 1 % over 3 periods, payment -340.0221 billed as -340.02; each
// period's interest rounded to the cent on the balance carried in cents (10.00, 6.6998 -> 6.70,
// 3.3666 -> 3.37); the last payment takes the balance left, 336.66, and its interest.
TEST(LoanScheduleReport, CsvOfABilledLoanWithYearTotals) {
  const LoanScheduleReport report =
      LoanScheduleReport::build(loan("1", "3", "1000"), shown(ScheduleMode::AsBilled, 2, true));
  ASSERT_EQ(report.problem(), "");
  EXPECT_EQ(report.csvText(),
            "Period,Payment,Interest,Principal,Balance,Cumulative Interest,Cumulative Principal\r\n"
            "1,-340.02,-10.00,-330.02,669.98,-10.00,-330.02\r\n"
            "2,-340.02,-6.70,-333.32,336.66,-16.70,-663.34\r\n"
            "Year 1,-680.04,-16.70,-663.34,336.66,-16.70,-663.34\r\n"
            "3,-340.03,-3.37,-336.66,0.00,-20.07,-1000.00\r\n"
            "Year 2,-340.03,-3.37,-336.66,0.00,-20.07,-1000.00\r\n"
            "Total,-1020.07,-20.07,-1000.00,0.00,-20.07,-1000.00\r\n");
  EXPECT_EQ(report.tabSeparatedText().substr(0, 30), "Period\tPayment\tInterest\tPrinci");
  EXPECT_EQ(report.summary(),
            "3 payments of -340.02 (the last -340.03); total paid -1,020.07, of which interest "
            "-20.07; balance left 0.00.");
}

TEST(LoanScheduleReport, ChartPointsAreThinnedToTheWidthAndKeepBothEnds) {
  const LoanScheduleReport report =
      LoanScheduleReport::build(loan("0.5", "360", "150000"), shown(ScheduleMode::Exact, 12, true));
  for (const int width : {2, 100, 359, 360, 361, 5000}) {
    const auto points = report.chartPoints(width);
    ASSERT_EQ(points.size(), std::min<std::size_t>(std::max(width, 2), 361)) << width;
    EXPECT_EQ(points.front().period, 0);
    EXPECT_DOUBLE_EQ(points.front().balance, 150000);
    EXPECT_EQ(points.back().period, 360);
    for (std::size_t i = 1; i < points.size(); ++i)
      EXPECT_LT(points[i - 1].period, points[i].period) << width;
  }
}

// The PMT key writes the payment rounded to the places shown; the exact schedule reads that as
// the exact payment, and so agrees with BAL and TPPMT to the cent. 250,000 at 6.5/12 % over 360
// months pays -1580.17006: carrying -1580.17 through 60 periods would leave 234027.45. BAL
// gives |pv| - |principal paid|; the schedule's balance has the present value's sign.
TEST(LoanScheduleReport, ThePmtKeysRoundedResultGivesTheBalanceOfBalAndTppmt) {
  for (const std::string presentValue : {"250000", "-250000"})
    for (const bool beginning : {false, true}) {
      SCOPED_TRACE(presentValue + (beginning ? " beginning" : " end"));
      LoadedForm loaded;
      auto& window = loaded.window;
      window.textBox(ControlId::TextInterest).setText("6.5/12");
      window.textBox(ControlId::TextN).setText("360");
      window.textBox(ControlId::TextPV).setText(presentValue);
      window.textBox(ControlId::TextPer).setText("60");
      if (beginning) window.click(ControlId::CheckPayment);
      window.click(ControlId::CommandPMT);
      window.click(ControlId::CommandBalance);
      const std::string balance = loaded.display();
      window.click(ControlId::CommandPrincipal);
      const std::string principalPaid = loaded.display();
      window.click(ControlId::MenuLoanSchedule);
      const LoanScheduleReport report = LoanScheduleReport::build(
          window.analysis().readFields(), shown(ScheduleMode::Exact, 12, false));
      ASSERT_EQ(report.problem(), "");
      if (presentValue == "250000" && !beginning) {
        EXPECT_EQ(balance, "234027.44");
      }
      EXPECT_EQ(report.cell(59, 4), (presentValue[0] == '-' ? "-" : "") + balance);
      EXPECT_EQ(report.cell(59, 6), principalPaid);
      EXPECT_EQ(report.paymentNote(), "");
      EXPECT_EQ(report.rows().back().payment, report.rows().front().payment);
    }
}

// The Payment field stands for the settling payment when it holds that payment as shown at the
// decimal places chosen, or exactly. Any other payment is named above the table with what the
// last payment becomes; here the PMT key's result at the end of each period, left in the field
// after the box was ticked, overpays and the last payment comes back.
TEST(LoanScheduleReport, APaymentThatDoesNotSettleTheLoanIsNamed) {
  struct Case {
    const char* payment;
    int places;
    int paymentDue;
    std::string note;  // what the field holds, what would settle, the last payment
    const char* interest = "6.5/12";
    const char* periods = "360";
    const char* presentValue = "250000";
    const char* futureValue = "";
  };
  const auto note = [](const char* plan, const char* held, const char* settles, const char* last) {
    return std::string("The Payment field's ") + held + " does not settle this " + plan +
           " (it would take " + settles + " a period): the last payment becomes " + last + ".";
  };
  const Case cases[] = {
      {"-1580.2", 1, 0, ""},
      {"-1580.17", 2, 0, ""},
      {"-83333.33333333333", 2, 0, "", "0", "3"},  // the exact payment, -250000/3
      {"-1580.17", 4, 0, note("loan", "-1,580.1700", "-1,580.1701", "-1,580.2350")},
      {"-1500", 2, 0, note("loan", "-1,500.00", "-1,580.17", "-90,182.36")},
      {"-1580.17", 2, 1, note("loan", "-1,580.17", "-1,571.66", "7,836.82")},
      // Saving 30,000 in 60 months at 0.5 %: 59 payments of -400 grow to 27,508.01.
      {"-400", 2, 0, note("savings plan", "-400.00", "-429.98", "-2,491.99"), "0.5", "60", "0",
       "30000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.payment << " " << c.places << " " << c.paymentDue);
    AnalysisFields fields = loan(c.interest, c.periods, c.presentValue);
    fields.futureValue = c.futureValue;
    fields.payment = c.payment;
    fields.decimalPlaces = c.places;
    fields.paymentDue = c.paymentDue;
    const LoanScheduleReport exact = LoanScheduleReport::build(fields, shown(ScheduleMode::Exact));
    EXPECT_EQ(exact.paymentNote(), c.note);
    EXPECT_EQ(exact.rows().back().payment == exact.rows().front().payment, c.note.empty());
    const LoanScheduleReport billed =
        LoanScheduleReport::build(fields, shown(ScheduleMode::AsBilled));
    EXPECT_EQ(billed.paymentNote().empty(), c.note.empty());
  }
}

// A savings plan: no present value (an empty field counts as 0, as the commands read it) and a
// target. The balance is the savings, growing to the target with its sign in the rows and the
// chart; the summary speaks of interest earned. The schedule's own figures are checked in core.
TEST(LoanScheduleReport, ASavingsPlanGrowsTowardsTheTargetWithItsSign) {
  for (const std::string target : {"30000", "-30000"}) {
    AnalysisFields fields = loan("0.5", "60", "");
    fields.futureValue = target;
    const LoanScheduleReport report = LoanScheduleReport::build(fields, shown(ScheduleMode::Exact));
    ASSERT_EQ(report.problem(), "");
    const double sign = target[0] == '-' ? -1 : 1;
    EXPECT_GT(sign * std::stod(report.cell(0, 4)), 0) << target;
    const auto points = report.chartPoints(20);
    EXPECT_EQ(points.front().balance, 0);
    for (std::size_t i = 1; i < points.size(); ++i)
      EXPECT_GT(sign * points[i].balance, sign * points[i - 1].balance) << target << " " << i;
    EXPECT_EQ(report.cell(report.rowCount() - 1, 4),
              (sign < 0 ? "-" : "") + std::string("30000.00"));
    if (sign > 0) {
      EXPECT_EQ(report.summary(),
                "60 payments of -429.98; total paid -25,799.04, interest earned 4,200.96; "
                "balance left 30,000.00.");
    }
  }
}

TEST(LoanScheduleReport, UnusableInputsAreNamedInASentence) {
  const std::string periodsOut =
      "NPer must be more than 0 and at most 1,000,000 for a schedule: there would be no rows, "
      "or more than memory can list.";
  const struct {
    AnalysisFields fields;
    std::string sentence;
  } cases[] = {
      {loan("", "12", "1000"), "The Interest field is empty: the schedule needs it."},
      {loan("1", " ", "1000"), "The NPer field is empty: the schedule needs it."},
      {loan("1", "12", "1e999"),
       "The Present Value field does not hold a number the calculator can use."},
      {loan("1/0", "12", "1000"),
       "The Interest field does not hold a number the calculator can use."},
      {loan("1", "1000000000", "1000"), periodsOut},
      {loan("1", "0", "1000"), periodsOut},
      {loan("-100", "12", "1000"),
       "An interest rate of -100 % or less leaves no balance to schedule: the schedule needs a "
       "rate above -100 %."},
  };
  for (const auto& c : cases) {
    const LoanScheduleReport report = LoanScheduleReport::build(c.fields, {});
    EXPECT_EQ(report.problem(), c.sentence) << c.fields.interest << " " << c.fields.periods;
    EXPECT_EQ(report.rowCount(), 0u);
  }
}

// 100,000 over 25 years at 6 % a year compounded twice a year, paid monthly: the rate per
// payment is 1.03^(1/6) - 1 and the payment 639.81, as lenders quote it.
TEST(LoanScheduleReport, AnAnnualRateIsReadWithItsCompounding) {
  ui::LoanScheduleOptions options = shown(ScheduleMode::AsBilled, 12, false);
  options.rateBasis = ui::RateBasis::Annual;
  options.compoundingsPerYear = 2;
  const LoanScheduleReport report = LoanScheduleReport::build(loan("6", "300", "100000"), options);
  ASSERT_EQ(report.problem(), "");
  EXPECT_EQ(report.cell(0, 1), "-639.81");
  const std::string start =
      "The Interest field's 6 % a year, compounded twice a year and paid 12 times a year, is "
      "0.4938622031 % a period. 300 payments of -639.81 (the last -637.66)";
  EXPECT_EQ(report.summary().substr(0, start.size()), start);
}

// Worked independently: 150,000 at 0.5 % over 360 payments of 899.33 pays 173,757.28 of
// interest. 200 more with every payment ends it after 230 payments with 102,693.79 of
// interest; 10,000 more with payment 12, recast over the 348 left, lowers the payment to
// 838.63 and the interest to 162,633.52.
TEST(LoanScheduleReport, ExtraPaymentsAreMarkedAndWhatTheySaveIsSaid) {
  const core::NumberLocale german{",", ".", "\u20ac"};
  struct Case {
    ui::ExtraPaymentTexts extras;
    core::NumberLocale locale;
    std::string sentence;
  };
  using core::finance::ExtraEffect;
  const Case cases[] = {
      {{"200", 1, "", ExtraEffect::ShortenTerm},
       {},
       "The extra payments pay the loan off 130 payments early, in 230 payments instead of "
       "360, and save 71,063.49 in interest."},
      {{"", 1, "12: 10.000,00; 400: 5", ExtraEffect::LowerPayment},
       german,
       "The extra payments lower the payment to -838,63, and save 11.123,76 in interest. The "
       "one-off extra at payment 400 comes after the last payment and changes nothing."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sentence);
    AnalysisFields fields = loan("0.5", "360", "150000");
    fields.locale = c.locale;
    ui::LoanScheduleOptions options = shown(ScheduleMode::Exact, 12, false);
    options.extras = c.extras;
    const LoanScheduleReport report = LoanScheduleReport::build(fields, options);
    ASSERT_EQ(report.problem(), "");
    EXPECT_EQ(report.extrasNote(), c.sentence);
    EXPECT_EQ(std::string(report.columnTitle(2)), "Extra");
    const std::size_t marked = c.extras.oneOff.empty() ? 0 : 11;
    EXPECT_TRUE(report.hasExtra(marked));
    EXPECT_EQ(report.hasExtra(12), c.extras.oneOff.empty());
    EXPECT_EQ(report.cell(marked, 2), c.extras.oneOff.empty() ? "-200.00" : "-10000.00");
  }
  // Without extras the table has no Extra column, and an entry it cannot read is named.
  EXPECT_EQ(LoanScheduleReport::build(loan("0.5", "360", "150000"), {}).columnTitle(2),
            std::string("Interest"));
  // An interest-only loan has no end for extras to reach sooner: shown without them, said so.
  AnalysisFields interestOnly = loan("0.5", "12", "100000");
  interestOnly.futureValue = "-100000";
  ui::LoanScheduleOptions oneOff;
  oneOff.extras.oneOff = "6: 1000";
  const LoanScheduleReport withoutEnd = LoanScheduleReport::build(interestOnly, oneOff);
  EXPECT_EQ(withoutEnd.rows().size(), 12u);
  EXPECT_EQ(withoutEnd.extrasNote().substr(0, 35), "The extra payments are left out: th");
  ui::LoanScheduleOptions unreadable;
  unreadable.extras.oneOff = "12 5000";
  EXPECT_EQ(LoanScheduleReport::build(loan("0.5", "360", "150000"), unreadable).problem(),
            "The one-off extra \"12 5000\" is not a payment number and an amount: write each as "
            "12: 5000, and separate them with \";\".");
}

// 12 payments of -100 at the beginning of each period, 400 now and 100 at the end: two rates
// settle it. They are listed whether or not the Interest field gives a schedule.
TEST(LoanScheduleReport, EveryRateThatSettlesThePaymentIsListed) {
  AnalysisFields fields = loan("", "12", "400");
  fields.payment = "-100";
  fields.futureValue = "100";
  fields.paymentDue = 1;
  const LoanScheduleReport report = LoanScheduleReport::build(fields, {});
  EXPECT_EQ(report.problem(), "The Interest field is empty: the schedule needs it.");
  EXPECT_EQ(report.ratesNote(),
            "2 rates per period settle NPer, Payment, Present Value and Future Value: -49.97 % "
            "and 31.26 %. The Interest key gives the one nearest the Interest field's rate, or "
            "10 % when it is empty.");
  fields.payment = "";
  EXPECT_EQ(LoanScheduleReport::build(fields, {}).ratesNote(), "");
}

// The analysis window's own boxes take any key: a German "6,5" is 6.5 %, never 6 %.
TEST(FieldReading, BoxesReadRatesInTheLocalesFormAndRefuseTheRest) {
  const core::NumberLocale german{",", ".", "\u20ac"};
  const struct {
    const char* text;
    std::optional<double> rate;
  } cases[] = {{"6,5", 0.065},
               {"6.5", 0.065},
               {"1.000,5", 10.005},
               {"8/12", 8.0 / 12 / 100},
               {" ", std::nullopt}};
  for (const auto& c : cases)
    EXPECT_EQ(ui::analysis::readBoxPercent(c.text, german, "Rate"), c.rate) << c.text;
  EXPECT_THROW(ui::analysis::readBoxPercent("6abc", german, "Rate"), ui::analysis::InputProblem);
  EXPECT_EQ(ui::analysis::periodicRateText("6,5", 12, 12, german), "0.541666666666667");
}

TEST(LoanScheduleReport, LongSchedulesCountTheirPaymentsInFull) {
  const LoanScheduleReport report = LoanScheduleReport::build(
      loan("0", "1000000", "1000000"), shown(ScheduleMode::Exact, 12, false));
  EXPECT_EQ(report.summary().substr(0, 34), "1,000,000 payments of -1.00; total");
  EXPECT_EQ(report.cell(999'999, 0), "1000000");
}

AnalysisFields flows(std::string list, std::string interest = "10", std::string reinvest = "") {
  AnalysisFields fields;
  fields.cashFlows = std::move(list);
  fields.interest = std::move(interest);
  fields.reinvestRate = std::move(reinvest);
  return fields;
}

std::string figure(const CashFlowProfileReport& report, const std::string& label) {
  for (const auto& [name, value] : report.figures)
    if (name == label) return value;
  return "(no " + label + ")";
}

// Expected figures by hand: -100, 60, 60 is worth -90.909 + 49.587 + 45.079 at 10 % (the NPV
// key discounts the first flow too) and pays back at 1 + 40/60 periods; discounted at 10 %
// the flows are -100, 54.545, 49.587, so 1 + 45.455/49.587. -100, 230, -132 is zero where
// 1/(1 + r) is 1/1.1 or 1/1.2, and its MIRR is (230·1.12 / (100 + 132/1.15²))^(1/2) - 1;
// -100, 50, -60 has no real root (50² < 4·100·60).
TEST(CashFlowProfileReport, SentencesAndFiguresForNoneOneAndSeveralIRRs) {
  struct Case {
    AnalysisFields fields;
    std::string sentenceStart;
    std::size_t irrs;
    std::vector<std::pair<std::string, std::string>> figures;
  };
  const Case cases[] = {
      {flows("-100\r\n60\r\n60"),
       "The NPV is zero at one rate only: the IRR is 13.07 %.",
       1,
       {{"IRR", "13.07 %"},
        {"NPV at the Interest rate", "3.76"},
        {"Payback period", "1.67 periods"},
        {"Discounted payback period", "1.92 periods"}}},
      {flows("-100\n230\n-132", "15", "12"),
       "The NPV is zero at 2 rates: this list has several IRRs, and the IRR command's answer",
       2,
       {{"IRR 1", "10.00 %"}, {"IRR 2", "20.00 %"}, {"MIRR", "13.54 %"}}},
      {flows("-100\n50\n-60"),
       "No rate gives an NPV of zero: this list has no IRR.",
       0,
       {{"Payback period", "never"}}},
      {flows("100\n50", ""),
       "No rate gives an NPV of zero: the cash flows never change sign",
       0,
       {{"Payback period", "0.00 periods"},
        {"NPV at the Interest rate", "The Interest field is empty: this figure needs it."}}},
      {flows("-100\n60\n60", "-100"),
       "The NPV is zero at one rate only",
       1,
       {{"NPV at the Interest rate", "none at a rate of -100 % or less"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fields.cashFlows);
    const CashFlowProfileReport report = CashFlowProfileReport::build(c.fields, 50);
    EXPECT_EQ(report.sentence.substr(0, c.sentenceStart.size()), c.sentenceStart);
    EXPECT_EQ(report.irrs.size(), c.irrs);
    EXPECT_TRUE(report.usable());
    for (const auto& [label, value] : c.figures) EXPECT_EQ(figure(report, label), value) << label;
  }
}

TEST(CashFlowProfileReport, ListsThatCannotBeProfiledSaySoInstead) {
  for (const char* list : {"", "abc\r\n", "0\r\n0", "1e999\r\n-5"}) {
    const CashFlowProfileReport report = CashFlowProfileReport::build(flows(list));
    EXPECT_FALSE(report.usable()) << list;
    EXPECT_FALSE(report.sentence.empty()) << list;
  }
}

DatedCashFlowsReport dated(const std::vector<DatedFlowRow>& rows, std::string rate = "10",
                           std::string guess = "10", core::NumberLocale locale = {},
                           std::string pattern = "M/d/yy") {
  return DatedCashFlowsReport::build(
      {rows, std::move(rate), std::move(guess), std::move(pattern), std::move(locale)}, 50);
}

// The spreadsheets' published XNPV and XIRR example, typed in ISO and pasted in German form;
// flows a year apart whose XNPV, -100 + 230/(1 + r) - 132/(1 + r)², is zero at 10 and 20 %;
// flows of one sign.
TEST(DatedCashFlowsReport, FiguresAndSentencesForOneSeveralAndNoXirr) {
  const core::NumberLocale german{",", ".", "€"};
  const std::vector<DatedFlowRow> english = {
      {"2008-01-01", "-10,000"}, {"2008-03-01", "2750"}, {"", ""},
      {"2008-10-30", "4,250"},   {"2/15/09", "3250"},    {"2009-04-01", "2750"},
  };
  const std::vector<DatedFlowRow> inGerman = {
      {"01.01.08", "-10.000"}, {"01.03.08", "2.750"}, {"30.10.08", "4.250,00"},
      {"15.02.09", "3250"},    {"01.04.09", "2.750"},
  };
  struct Case {
    DatedCashFlowsReport report;
    std::string sentence;
    std::vector<std::pair<std::string, std::string>> figures;
  };
  const Case cases[] = {
      {dated(english, "9"),
       "5 flows from 2008-01-01 to 2009-04-01. The XNPV is zero at one rate only: the XIRR is "
       "37.34 %.",
       {{"XNPV at 9.00 %", "2,086.65"}, {"XIRR", "37.34 % (nearest the guess)"}}},
      {dated(inGerman, "9", "", german, "dd.MM.yy"),
       "5 flows from 2008-01-01 to 2009-04-01. The XNPV is zero at one rate only: the XIRR is "
       "37,34 %.",
       {{"XNPV at 9,00 %", "2.086,65"}, {"XIRR", "37,34 % (nearest the guess)"}}},
      {dated({{"2001-01-01", "-100"}, {"2002-01-01", "230"}, {"2003-01-01", "-132"}}, "", "18"),
       "3 flows from 2001-01-01 to 2003-01-01. The XNPV is zero at 2 rates: these flows have "
       "several XIRRs, and XIRR's answer depends on the guess",
       {{"XNPV", "The Rate field is empty: the XNPV needs it."},
        {"XIRR 1", "10.00 %"},
        {"XIRR 2", "20.00 % (nearest the guess)"}}},
      {dated({{"2001-01-01", "100"}, {"2001-01-01", "50"}}, "0"),
       "2 flows, all on 2001-01-01. No rate gives an XNPV of zero: the flows never change sign",
       {{"XNPV at 0.00 %", "150.00"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sentence);
    EXPECT_EQ(c.report.sentence.substr(0, c.sentence.size()), c.sentence);
    EXPECT_EQ(c.report.figures, c.figures);
    EXPECT_FALSE(c.report.curve.empty());
  }
}

// Every row that gives no flow is named, a blank one is not; past the fifth, they are counted.
// Rows too odd for any figure still end in a sentence.
TEST(DatedCashFlowsReport, RowsItCannotUseAreNamedAndNothingOddEndsInACrash) {
  const std::vector<DatedFlowRow> badRows = {
      {"2008-01-01", "-100"}, {" ", ""}, {"2023-02-30", "5x"},    {"2008-01-02", ""},
      {"2008-01-03", "abc"},  {"", "7"}, {"2008-01-04", "1e999"}, {"tomorrow", "1"},
      {"2024-02-29", "2"},
  };
  const DatedCashFlowsReport bad = dated(badRows);
  EXPECT_EQ(bad.sentence,
            "Row 3: 2023-02-30 is not a date; the amount \"5x\" is not a number. Row 4: a date "
            "but no amount. Row 5: the amount \"abc\" is not a number. Row 6: an amount but no "
            "date. Row 7: the amount is beyond what the calculator can hold. 1 more row cannot be "
            "used either. Dates are read in the form 2008-01-31 or 1/31/08.");
  EXPECT_EQ(bad.problems.back().sentence, "Row 8: \"tomorrow\" is not a date.");
  EXPECT_EQ(bad.flowRows, (std::vector<std::size_t>{0, 8}));
  EXPECT_TRUE(bad.figures.empty() && bad.curve.empty());

  std::vector<DatedFlowRow> sameDay(1000, {"2020-06-30", "-1"});
  sameDay.push_back({"2020-06-30", "1000"});
  const std::string beyond = "beyond what the calculator can hold";
  const struct {
    std::vector<DatedFlowRow> rows;
    std::string sentencePart;
    std::string xnpv;  // at -99.9999 %
  } odd[] = {
      {sameDay, "The flows of each day add up to zero, so every rate gives an XNPV of zero.",
       "0.00"},
      {{{"2020-01-01", "-1.7e308"}, {"2020-01-02", "1.7e308"}, {"2021-01-02", "1.7e308"}},
       "The XNPV is zero at one rate only",
       beyond},
      {{{"0001-01-01", "-1"}, {"9999-12-31", "1e300"}},
       "2 flows from 0001-01-01 to 9999-12-31. The XNPV is zero at one rate only",
       beyond},
  };
  for (const auto& c : odd) {
    const DatedCashFlowsReport report = dated(c.rows, "-99.9999", "1e6");
    EXPECT_NE(report.sentence.find(c.sentencePart), std::string::npos) << report.sentence;
    EXPECT_EQ(report.figures.front().second, c.xnpv) << c.sentencePart;
  }
}

// Pasting what a spreadsheet copies: a heading line left out and said so, two columns from the
// current row, one column into the current column, rows added and an empty one kept last;
// copying gives the cells back as they were pasted.
TEST(DatedFlowTable, PastesSpreadsheetRowsAndCopiesThemBack) {
  struct Case {
    const char* text;
    std::size_t row;
    int column;
    std::string cells;  // every row's date|amount, rows separated by ";"
    std::string noteStart;
  };
  const Case cases[] = {
      {"Date\tAmount\r\n2008-01-01\t-10000\r\n2008-03-01\t2750\r\n", 1, 1,
       "a|b;2008-01-01|-10000;2008-03-01|2750;|",
       "Pasted 2 rows from row 2. The first line, \"Date Amount\", has no digit in it"},
      {"5\n6\n7", 0, 1, "a|5;|6;|7;|", "Pasted 3 rows from row 1."},
      {"x\ty\t3\n1\t2", 1, 0, "a|b;x|y;1|2;|", "Pasted 2 rows from row 2. 1 line had more"},
      {"Amount\n", 0, 0, "a|b;|", "Nothing was pasted: the one line"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    DatedFlowTable table;
    table.setCell(0, 0, "a");
    table.setCell(0, 1, "b");
    const ui::PasteOutcome outcome = table.paste(c.text, c.row, c.column);
    std::string cells;
    for (const DatedFlowRow& row : table.rows())
      cells += (cells.empty() ? "" : ";") + row.date + "|" + row.amount;
    EXPECT_EQ(cells, c.cells);
    EXPECT_EQ(outcome.note.substr(0, c.noteStart.size()), c.noteStart);
  }
  DatedFlowTable table;
  table.paste("2008-01-01\t-1\n\t\n2009-01-01\t2\n", 0, 0);
  std::vector<ui::CellRef> all;
  for (std::size_t row = 0; row < 3; ++row) all.push_back({row, 0}), all.push_back({row, 1});
  EXPECT_EQ(table.copy(all), "2008-01-01\t-1\n\t\n2009-01-01\t2\n");
  table.clear(std::vector<ui::CellRef>{{2, 0}, {2, 1}});
  EXPECT_EQ(table.rowCount(), 2u);  // the emptied last rows fold into the one empty row
}

// The menu hands the viewer a reader of the fields as they stand; reading them, and building
// both tabs from them, leaves the main window as it was (the list is not rewritten, as the
// cash-flow keys rewrite it).
TEST(AnalysisMenu, OpensThePageAndReadsTheFieldsWithoutTouchingThem) {
  LoadedForm loaded;
  auto& window = loaded.window;
  window.textBox(ControlId::TextInterest).setText("0.5");
  window.textBox(ControlId::TextN).setText("30*12");
  window.textBox(ControlId::TextPV).setText("150000");
  window.textBox(ControlId::TextCF).setText("-1,000\n$600\n600");
  const std::string list = window.text(ControlId::TextCF);
  window.click(ControlId::MenuCashFlowProfile);
  window.click(ControlId::MenuDatedCashFlows);
  window.click(ControlId::MenuLoanSchedule);
  const auto& viewer = window.analysis();
  EXPECT_EQ(viewer.shownPages, (std::vector<ui::AnalysisPage>{ui::AnalysisPage::CashFlowProfile,
                                                              ui::AnalysisPage::DatedCashFlows,
                                                              ui::AnalysisPage::LoanSchedule}));
  const std::string display = loaded.display();
  const std::string status = loaded.status();
  window.textBox(ControlId::TextN).setText("12");  // a later refresh reads the change
  const AnalysisFields fields = viewer.readFields();
  EXPECT_EQ(fields.periods, "12");
  EXPECT_EQ(LoanScheduleReport::build(fields, {}).rowCount(), 12u + 1 + 1);
  EXPECT_EQ(CashFlowProfileReport::build(fields).irrs.size(), 1u);
  EXPECT_EQ(window.text(ControlId::TextCF), list);
  EXPECT_EQ(loaded.display(), display);
  EXPECT_EQ(loaded.status(), status);
}

}  // namespace
}  // namespace vantro::test
