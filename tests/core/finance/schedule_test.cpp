// The amortisation schedule: a published example, identities over a table of loans, a long
// loan against a high-precision reference, refused terms and year totals.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/finance/schedule.h"
#include "core/fixed_format.h"
#include "support.h"

using namespace vantro::core::finance;
using vantro::core::roundToPlaces;

namespace {

constexpr auto kEnd = PaymentDue::EndOfPeriod;
constexpr auto kBeginning = PaymentDue::BeginningOfPeriod;

ScheduleTerms terms(double rate, double periods, double pv, double fv = 0, PaymentDue due = kEnd) {
  ScheduleTerms t;
  t.rate = rate;
  t.periods = periods;
  t.presentValue = pv;
  t.futureValue = fv;
  t.due = due;
  return t;
}

// A 30-year mortgage of 150,000 at 7 % a year, paid monthly: the handheld calculator's manual
// gives the payment −997.95 and, after 60 payments billed in cents, the balance 141,197.64,
// principal paid −8,802.36 and interest paid −51,074.64. Unrounded, the balance is 141,197.38.
TEST(Schedule, PublishedMortgage) {
  const ScheduleTerms mortgage = terms(0.07 / 12, 360, 150000);
  const auto billed = amortisationSchedule(mortgage, ScheduleMode::AsBilled);
  ASSERT_EQ(billed.size(), 360u);
  EXPECT_EQ(billed[0].payment, -997.95);
  EXPECT_EQ(billed[59].balance, 141197.64);
  EXPECT_EQ(billed[59].cumulativePrincipal, -8802.36);
  EXPECT_EQ(billed[59].cumulativeInterest, -51074.64);
  EXPECT_EQ(billed.back().balance, 0);
  const auto exact = amortisationSchedule(mortgage, ScheduleMode::Exact);
  EXPECT_EQ(roundToPlaces(exact[59].balance, 2), 141197.38);
}

// Loans of every shape: rates of either sign and 0, one period, part periods, balloons and
// savings plans, payments solved and given (the solved one rounded to cents, which does not
// settle the terms: the last payment then closes the schedule). The closed form gives the
// balance owed, −FV; a plan with no present value shows its savings, FV, instead.
TEST(Schedule, IdentitiesAcrossLoans) {
  const double rates[] = {0, 1e-9, 0.07 / 12, 0.25, -0.03};
  const double periodCounts[] = {1, 0.4, 12, 37.5, 360};
  const double amounts[][2] = {{150000, 0}, {150000, -20000}, {-5000, 12000}, {0, 30000}};
  for (const double r : rates)
    for (const double n : periodCounts)
      for (const auto& [pv, fv] : amounts)
        for (const PaymentDue due : {kEnd, kBeginning})
          for (const bool given : {false, true}) {
            ScheduleTerms loan = terms(r, n, pv, fv, due);
            const double solved = PMT(r, n, pv, fv, due);
            if (given) loan.payment = roundToPlaces(solved, 2);
            const double payment = loan.payment.value_or(solved);
            const double owedSign = pv == 0 ? -1 : 1;
            const double final = owedSign * -fv / (due == kBeginning ? 1 + r : 1);
            const double scale = 1e-11 * (std::fabs(pv) + std::fabs(fv) + std::fabs(payment) * n);
            // What the closed form adds up, where growth makes its terms cancel.
            const auto termsAt = [&](double k) {
              return 1e-11 * std::fabs(FV(r, k, std::fabs(payment), std::fabs(pv)));
            };
            SCOPED_TRACE(testing::Message() << r << " " << n << " " << pv << " " << fv << " "
                                            << int(due) << " " << given);

            const auto exact = amortisationSchedule(loan, ScheduleMode::Exact);
            ASSERT_EQ(exact.size(), std::ceil(n));
            EXPECT_EQ(exact.back().period, n);
            EXPECT_EQ(exact.back().balance, final);
            EXPECT_NEAR(exact.back().cumulativePrincipal, owedSign * final - pv, scale);
            for (std::size_t i = 0; i + 1 < exact.size(); ++i) {
              const auto& row = exact[i];
              const double k = row.period, tolerance = scale + termsAt(k);
              // The balance the closed form gives, and the one the principal parts leave.
              const double closed = -FV(r, k, payment, pv, due) / (due == kBeginning ? 1 + r : 1);
              ASSERT_NEAR(row.balance, owedSign * closed, tolerance) << k;
              ASSERT_NEAR(row.balance, owedSign * (pv + row.cumulativePrincipal), tolerance) << k;
              ASSERT_NEAR(row.interest + row.principal, payment, tolerance) << k;
              if (given) continue;
              ASSERT_NEAR(row.interest, IPMT(r, k, n, pv, fv, due), tolerance) << k;
              ASSERT_NEAR(row.principal, PPMT(r, k, n, pv, fv, due), tolerance) << k;
              // The keys' totals, the parts summed one by one, meet the running totals.
              if (k != 1 && k != std::floor(n / 2)) continue;
              const int paid = static_cast<int>(k);
              ASSERT_NEAR(row.cumulativePrincipal, TPPMT(r, paid, n, pv, fv, due), tolerance);
              ASSERT_NEAR(row.cumulativeInterest, TIPMT(r, paid, n, pv, fv, due), tolerance);
              // The balance as the amount still owed, where the principal paid brings it down.
              if (row.cumulativePrincipal * pv < 0 && row.balance * pv >= 0) {
                ASSERT_NEAR(BAL(r, paid, n, pv, fv, due), std::fabs(row.balance), tolerance);
              }
            }

            const auto billed = amortisationSchedule(loan, ScheduleMode::AsBilled);
            ASSERT_EQ(billed.size(), exact.size());
            EXPECT_EQ(billed.back().balance, roundToPlaces(final, 2));
            double previous = roundToPlaces(pv, 2);
            for (const auto& row : billed) {
              for (double amount : {row.payment, row.interest, row.principal, row.balance,
                                    row.cumulativeInterest, row.cumulativePrincipal}) {
                ASSERT_EQ(amount, roundToPlaces(amount, 2)) << row.period;
              }
              // Interest on the billed balance, none before the first payment due at the start.
              const bool part = row.period != std::floor(row.period);
              const bool none = due == kBeginning && row.period == 1;
              const double billedInterest = none ? 0 : roundToPlaces(-r * previous, 2);
              ASSERT_TRUE(part || row.interest == billedInterest) << row.period;
              ASSERT_EQ(owedSign * row.balance, roundToPlaces(previous + row.principal, 2))
                  << row.period;
              ASSERT_EQ(row.payment, roundToPlaces(row.interest + row.principal, 2));
              previous = owedSign * row.balance;
            }
            EXPECT_EQ(billed.back().cumulativePrincipal,
                      roundToPlaces(owedSign * billed.back().balance - roundToPlaces(pv, 2), 2));
          }
}

// 100,000 monthly payments at 1 %: the growth reaches 1e432. The reference runs the balance
// backwards from the final 0 with the exact payment, balance(k − 1) = (balance(k) − payment)
// /(1 + rate), in 50 digits: backwards every rounding shrinks instead of growing. Every row's
// balance must be within a few units in the last place of the loan.
TEST(Schedule, LongLoanAgreesWithReference) {
  using reference::Big;
  const double r = 0.01, n = 100000, pv = 250000;
  for (const PaymentDue due : {kEnd, kBeginning}) {
    const auto rows = amortisationSchedule(terms(r, n, pv, 0, due), ScheduleMode::Exact);
    ASSERT_EQ(rows.size(), 100000u);
    const Big payment = reference::pmt(r, n, pv, 0, int(due)), growth = 1 + Big(r);
    Big balance = 0;
    Big interestPaid = 0;
    double worst = 0;
    for (std::size_t i = rows.size(); i-- > 0;) {
      worst = std::max(worst, static_cast<double>(abs(rows[i].balance - balance)) / pv);
      // Before payment 1 of those due at the beginning nothing has accrued.
      balance = (due == kBeginning && i == 0) ? balance - payment : (balance - payment) / growth;
      if (!(due == kBeginning && i == 0)) interestPaid -= r * balance;
    }
    ASSERT_LE(static_cast<double>(abs(balance - pv)), 1e-30 * pv);  // the reference is sound
    EXPECT_LE(worst, 8 * std::numeric_limits<double>::epsilon()) << int(due);
    const double paid = static_cast<double>(interestPaid);
    EXPECT_NEAR(rows.back().cumulativeInterest, paid, 1e-14 * std::fabs(paid));
  }
}

TEST(Schedule, RefusesBadTermsAtOnce) {
  using R = FinanceError::Reason;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  ScheduleTerms nanPayment = terms(0.01, 12, 1000);
  nanPayment.payment = nan;
  const struct {
    ScheduleTerms terms;
    R reason;
  } cases[] = {
      {terms(0.01, 1e9, 1000), R::PeriodOutOfRange},
      {terms(0.01, kMaxSchedulePeriods + 1, 1000), R::PeriodOutOfRange},
      {terms(0.01, 0, 1000), R::PeriodOutOfRange},
      {terms(-1, 12, 1000), R::RateAtOrBelowMinusOne},
      {terms(nan, 12, 1000), R::InvalidArgument},
      {terms(0.01, nan, 1000), R::InvalidArgument},
      {terms(0.01, 12, std::numeric_limits<double>::infinity()), R::InvalidArgument},
      {nanPayment, R::InvalidArgument},
      {terms(1e300, 12, 1e300), R::Overflow},
  };
  // Refused before anything is allocated: a billion rows would end in bad_alloc instead.
  for (const auto& c : cases)
    for (const auto mode : {ScheduleMode::Exact, ScheduleMode::AsBilled})
      EXPECT_EQ(finance_cases::reasonOf([&] { return amortisationSchedule(c.terms, mode).size(); }),
                c.reason)
          << c.terms.rate << " " << c.terms.periods;
}

// 27.5 monthly periods: years of rows 1–12, 13–24 and 25, 26, 27 with the part period 27.5.
TEST(Schedule, YearTotalsSumTheirRows) {
  const auto rows = amortisationSchedule(terms(0.005, 27.5, 10000, -1000), ScheduleMode::AsBilled);
  const auto years = yearTotals(rows, 12);
  ASSERT_EQ(years.size(), 3u);
  EXPECT_EQ(years[2].firstRow, 24u);
  EXPECT_EQ(years[2].endRow, 28u);
  for (const auto& year : years) {
    double interest = 0, principal = 0;
    for (std::size_t i = year.firstRow; i < year.endRow; ++i) {
      interest += rows[i].interest;
      principal += rows[i].principal;
    }
    EXPECT_NEAR(year.interest, interest, 1e-9);
    EXPECT_NEAR(year.principal, principal, 1e-9);
    EXPECT_EQ(year.balance, rows[year.endRow - 1].balance);
    EXPECT_EQ(year.cumulativeInterest, rows[year.endRow - 1].cumulativeInterest);
  }
  EXPECT_EQ(years.back().balance, 1000);
  EXPECT_THROW(yearTotals(rows, 0), FinanceError);
}

}  // namespace
