// The amortisation schedule: a published example, identities over a table of loans, a long
// loan against a high-precision reference, refused terms and year totals; the rate per
// payment period of an annual rate; schedules with extra principal.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "core/finance/schedule.h"
#include "core/fixed_format.h"
#include "support.h"

using namespace vantro::core::finance;
using vantro::core::roundToPlaces;

namespace {

constexpr auto kEnd = PaymentDue::EndOfPeriod;
constexpr auto kBeginning = PaymentDue::BeginningOfPeriod;

ScheduleTerms terms(double rate, double periods, double pv, double fv = 0, PaymentDue due = kEnd,
                    std::optional<double> payment = {}) {
  return {rate, periods, pv, fv, due, payment};
}

ExtraPayments extraPayments(std::vector<OneOffExtra> oneOff, double recurring = 0, int from = 1) {
  return {.oneOff = std::move(oneOff), .recurring = recurring, .recurringFrom = from};
}

auto amounts(const ScheduleRow& row) {
  return std::tuple(row.payment, row.extra, row.interest, row.principal, row.balance);
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

// Also refused: extras that are not sizes, periods below 1, extras with no payment to give them
// a direction or no end to reach sooner (interest only), and an extra that, paid against a balance
// the interest raises to its balloon, drives the balance away from it until it leaves the doubles.
TEST(Schedule, RefusesBadTermsAtOnce) {
  using R = FinanceError::Reason;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    ScheduleTerms terms;
    R reason;
    ExtraPayments extras{};
  } cases[] = {
      {terms(0.01, 1e9, 1000), R::PeriodOutOfRange},
      {terms(0.01, kMaxSchedulePeriods + 1, 1000), R::PeriodOutOfRange, extraPayments({{3, 100}})},
      {terms(0.01, 0, 1000), R::PeriodOutOfRange},
      {terms(-1, 12, 1000), R::RateAtOrBelowMinusOne},
      {terms(nan, 12, 1000), R::InvalidArgument},
      {terms(0.01, nan, 1000), R::InvalidArgument},
      {terms(0.01, 12, std::numeric_limits<double>::infinity()), R::InvalidArgument},
      {terms(0.01, 12, 1000, 0, kEnd, nan), R::InvalidArgument},
      {terms(1e300, 12, 1e300), R::Overflow},
      {terms(0.01, 12, 1000), R::InvalidArgument, extraPayments({{3, -1}})},
      {terms(0.01, 12, 1000), R::InvalidArgument, extraPayments({}, nan)},
      {terms(0.01, 12, 1000), R::InvalidArgument, extraPayments({{0, 100}})},
      {terms(0.01, 12, 1000), R::InvalidArgument, extraPayments({}, 100, 0)},
      {terms(0.01, 12, 1000, 0, kEnd, 0), R::InvalidArgument, extraPayments({{3, 100}})},
      {terms(0.005, 12, 100000, -100000), R::NoSolution, extraPayments({{6, 1000}})},
      {terms(0.1, 10, 1000, -2000), R::Overflow, extraPayments({{1, 1.5e308}})},
  };
  // Refused before anything is allocated: a billion rows would end in bad_alloc instead.
  for (const auto& c : cases)
    for (const auto mode : {ScheduleMode::Exact, ScheduleMode::AsBilled})
      EXPECT_EQ(finance_cases::reasonOf(
                    [&] { return amortisationSchedule(c.terms, mode, c.extras).size(); }),
                c.reason)
          << c.terms.rate << " " << c.terms.periods << " " << c.extras.recurring;
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

// (1 + j/m)^(m/p) − 1 against 50 digits: tiny rates, of which pow(1 + j/m, m/p) − 1 keeps no
// digit, negative ones, and continuous compounding, e^(j/p) − 1. Compounded as often as paid,
// the quotient to the last bit, so that the schedule is the one at j/p.
TEST(PeriodicRate, AgreesWithReferenceOrRefuses) {
  using reference::Big;
  using R = FinanceError::Reason;
  const double inf = kContinuousCompounding, nan = std::numeric_limits<double>::quiet_NaN();
  const double rates[][3] = {{0.06, 12, 2},   {1e-12, 12, 2},   {-0.02, 12, 4}, {0.08, 52, 0.5},
                             {0.06, 12, inf}, {1e-12, 12, inf}, {-0.5, 4, inf}};
  for (const auto& [j, p, m] : rates) {
    const Big exponent = m == inf ? Big(j) / p : m / Big(p) * boost::math::log1p(j / Big(m));
    EXPECT_LE(static_cast<double>(abs(periodicRate(j, p, m) / boost::math::expm1(exponent) - 1)),
              4 * std::numeric_limits<double>::epsilon())
        << j << " " << p << " " << m;
  }
  // 100,000 over 25 years, monthly at 6 % compounded twice a year: the published payment.
  EXPECT_EQ(roundToPlaces(PMT(periodicRate(0.06, 12, 2), 300, 100000), 2), -639.81);
  for (const double j : {0.0725, 0.0399, -0.5})
    for (const double p : {1.0, 2.0, 4.0, 12.0, 365.0}) EXPECT_EQ(periodicRate(j, p, p), j / p);
  const struct {
    double j, p, m;
    R reason;
  } refused[] = {{nan, 12, 2, R::InvalidArgument},      {0.06, 0, 2, R::InvalidArgument},
                 {0.06, 12, 0, R::InvalidArgument},     {0.06, 12, nan, R::InvalidArgument},
                 {-2, 12, 2, R::RateAtOrBelowMinusOne}, {1000, 1, inf, R::Overflow}};
  for (const auto& c : refused)
    EXPECT_EQ(finance_cases::reasonOf([&] { return periodicRate(c.j, c.p, c.m); }), c.reason)
        << c.j << " " << c.p << " " << c.m;
}

// Loans and a savings plan with extras, paid at either end of the period, in both modes, to
// both effects. Every row keeps balance = previous·(1 + rate) + payment (no interest in a first
// payment at the start), in billed amounts when billed; rows before the first extra are the
// schedule's own, and the last ends exactly at the final balance. Shortening the term leaves
// out rows and interest. Lowering the payment keeps the term, and after each extra the rows
// are those of a loan of the balance left over the periods left: the next payment falls a
// period later either way, so it is an end-of-period loan with this one's final balance.
// Extras past the last row, or none, change nothing.
TEST(ScheduleExtras, ShortenTheTermOrLowerThePayment) {
  const struct {
    ScheduleTerms loan;
    ExtraPayments extras;
    std::size_t rows;  // how many, where the case decides it; 0: any
  } cases[] = {
      {terms(0.07 / 12, 360, 150000), extraPayments({{12, 20000}, {12, 5000}}), 0},
      {terms(0.07 / 12, 360, 150000, -20000), extraPayments({{200, 10000}}, 100, 100), 0},
      {terms(0.07 / 12, 360, 150000, 0, kEnd, -1000), extraPayments({{1, 3000}}, 50, 13), 0},
      {terms(0.004, 120, 0, 30000), extraPayments({{60, 2500}}, 100, 100), 0},
      {terms(0.07 / 12, 360, 150000), extraPayments({{5, 1e9}}, 200, 1), 5},  // cut at once
      {terms(0.07 / 12, 360, 150000), extraPayments({{361, 5000}}, 100, 361), 360},
      {terms(0.07 / 12, 360, 150000), extraPayments({{12, 0}}, 0, 0), 360},
  };
  for (std::size_t n = 0; n < std::size(cases); ++n)
    for (const PaymentDue due : {kEnd, kBeginning})
      for (const ExtraEffect effect : {ExtraEffect::ShortenTerm, ExtraEffect::LowerPayment})
        for (const ScheduleMode mode : {ScheduleMode::Exact, ScheduleMode::AsBilled}) {
          ScheduleTerms loan = cases[n].loan;
          loan.due = due;
          ExtraPayments extras = cases[n].extras;
          extras.effect = effect;
          const bool billed = mode == ScheduleMode::AsBilled;
          const auto bill = [&](double x) { return billed ? roundToPlaces(x, 2) : x; };
          const double near = billed ? 0 : 1e-9;
          const double r = loan.rate, owedSign = loan.presentValue == 0 ? -1 : 1;
          const double finalOwed = -loan.futureValue / (due == kBeginning ? 1 + r : 1);
          double firstExtra = extras.recurring > 0 ? extras.recurringFrom : 1e9;
          for (const auto& extra : extras.oneOff)
            if (extra.amount > 0) firstExtra = std::min<double>(firstExtra, extra.period);
          SCOPED_TRACE(testing::Message() << "case " << n << " due " << int(due) << " effect "
                                          << int(effect) << " billed " << billed);
          const auto base = amortisationSchedule(loan, mode);
          const auto rows = amortisationSchedule(loan, mode, extras);
          EXPECT_EQ(owedSign * rows.back().balance, bill(finalOwed));
          if (firstExtra <= 360) {
            // A recurring extra may outgrow a falling payment's principal and end the loan too.
            EXPECT_LE(rows.size() + (effect == ExtraEffect::ShortenTerm), base.size());
            if (loan.presentValue != 0) {
              EXPECT_LT(std::fabs(rows.back().cumulativeInterest),
                        std::fabs(base.back().cumulativeInterest));
            }
          }
          EXPECT_EQ(rows.size(), cases[n].rows ? cases[n].rows : rows.size());
          const double direction = base[0].payment < 0 ? -1 : 1;
          double previous = bill(loan.presentValue), regular = base[0].payment;
          for (std::size_t i = 0; i < rows.size(); ++i) {
            const ScheduleRow& row = rows[i];
            const double balance = owedSign * row.balance;
            const double interest = i == 0 && due == kBeginning ? 0 : bill(-r * previous);
            ASSERT_EQ(row.principal, bill(row.payment - row.interest)) << i;
            ASSERT_NEAR(balance, bill(previous + row.payment - interest), near) << i;
            if (row.period < firstExtra) {
              ASSERT_EQ(amounts(row), amounts(base[i])) << i;
            }
            ASSERT_GE(row.extra * direction, 0) << i;
            // The regular payment and the extra, but where the row closes the schedule.
            if (i + 1 < rows.size()) {
              ASSERT_EQ(row.payment, bill(regular + row.extra)) << i;
            }
            previous = balance;
            if (row.extra == 0 || effect == ExtraEffect::ShortenTerm || i + 1 == rows.size())
              continue;
            const auto recast = amortisationSchedule(
                terms(r, loan.periods - row.period, balance, -finalOwed), mode);
            ASSERT_LT(recast[0].payment * direction, regular * direction) << i;
            regular = recast[0].payment;
            for (std::size_t j = 0; j + 1 < recast.size() && rows[i + 1 + j].extra == 0; ++j) {
              ASSERT_NEAR(rows[i + 1 + j].interest, recast[j].interest, near) << j;
              ASSERT_NEAR(owedSign * rows[i + 1 + j].balance, recast[j].balance, near) << j;
            }
          }
          // An extra with the row that closes the schedule is cut to what the payment leaves.
          if (rows.back().extra != 0) {
            EXPECT_EQ(rows.back().extra, bill(rows.back().payment - regular));
          }
        }
}

}  // namespace
