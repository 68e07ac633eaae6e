// The amortisation schedule: each period's payment split into interest and principal.
//
// Exact rows come from the balance after each payment, not from carrying the balance forward:
// over 100,000 periods at 1 % the growth reaches 1e432, and pv·growth + payment·accumulation
// would cancel every digit. With the payment that settles the terms, the balance is a blend
// of the balances at the two ends of the loan whose weights stay between 0 and 1:
//   balance(k) = start·(growth^n − growth^k)/(growth^n − 1) + end·(growth^k − 1)/(growth^n − 1),
// evaluated through expm1 with every exponent at most 0, so it is good to a few units in the
// last place of the larger end. A payment that differs from the settling one adds
// (payment − settling)·accumulation(k), which is the true, possibly exploding, difference.

#include "core/finance/schedule.h"

#include <algorithm>
#include <cmath>

#include "core/finance/compounding.h"
#include "core/finance/schedule_rows.h"
#include "core/fixed_format.h"

namespace vantro::core::finance {

using Reason = FinanceError::Reason;

namespace detail {

Loan checkedLoan(const ScheduleTerms& terms) {
  detail::requireFinite({terms.payment.value_or(0)});
  const double settling = settlingPayment(terms);
  const bool beginning = terms.due == PaymentDue::BeginningOfPeriod;
  const double payment = terms.payment.value_or(settling);
  // A payment a few units in the last place off the settling one (PMT's result typed back)
  // settles the terms as well as a double can.
  const double deviation = detail::cancels(payment, -settling) ? 0 : payment - settling;
  const double whole = std::floor(terms.periods);
  const double partPeriod = terms.periods - whole;
  const double growth = 1 + terms.rate;
  const double finalBalance =
      detail::finiteResult((beginning ? -terms.futureValue / growth : -terms.futureValue) + 0.0);
  return {terms.rate,
          std::log1p(terms.rate),
          terms.periods,
          static_cast<std::size_t>(whole) + (partPeriod > 0 ? 1 : 0),
          partPeriod,
          beginning,
          terms.presentValue,
          finalBalance,
          payment,
          deviation,
          terms.presentValue == 0 ? -1.0 : 1.0};
}

ScheduleRow shown(ScheduleRow row, const Loan& loan) {
  row.balance = loan.shownBalanceSign * row.balance + 0.0;  // + 0.0: never −0
  return row;
}

SettledBalance::SettledBalance(const Loan& loan)
    : logGrowth_(loan.logGrowth),
      periods_(loan.periods),
      start_(loan.beginning ? loan.presentValue / (1 + loan.rate) : loan.presentValue),
      end_(loan.finalBalance),
      linear_(std::fabs(loan.periods * loan.logGrowth) < 1e-100),
      denominator_(std::expm1(-std::fabs(loan.periods * loan.logGrowth))) {
  detail::finiteResult(start_);
}

double SettledBalance::at(double k) const {
  // At rate 0 (or one so small that growth^n − 1 ≈ n·rate exactly) the weights are k/n.
  if (linear_) return start_ * ((periods_ - k) / periods_) + end_ * (k / periods_);
  double startWeight = 0;
  double endWeight = 0;
  if (logGrowth_ > 0) {
    // Divided through by growth^n: (1 − growth^(k−n))/(1 − growth^−n) and
    // growth^(k−n)·(1 − growth^−k)/(1 − growth^−n).
    const double towardsEnd = std::expm1((k - periods_) * logGrowth_);
    startWeight = towardsEnd / denominator_;
    endWeight = (1 + towardsEnd) * (std::expm1(-k * logGrowth_) / denominator_);
  } else {
    // growth^k·(1 − growth^(n−k))/(1 − growth^n) and (1 − growth^k)/(1 − growth^n).
    const double fromStart = std::expm1(k * logGrowth_);
    startWeight = (1 + fromStart) * (std::expm1((periods_ - k) * logGrowth_) / denominator_);
    endWeight = fromStart / denominator_;
  }
  return start_ * startWeight + end_ * endWeight;
}

void requireFiniteRow(const ScheduleRow& row) {
  for (double amount : {row.payment, row.interest, row.principal, row.balance,
                        row.cumulativeInterest, row.cumulativePrincipal}) {
    detail::finiteResult(amount);
  }
}

// The last row is the part period when the count is fractional. Its payment is whatever takes
// the balance from after the last whole payment to the final balance, and its interest is that
// balance's growth over the part period, the continuous extension of the whole-period rule:
//   interest = −balance·((1 + rate)^part − 1), principal = final − balance.
// With the settling payment of end-of-period terms this makes the part payment
// payment·accumulation(part).
double partPeriodGrowth(const Loan& loan) {
  return std::expm1(loan.partPeriod * loan.logGrowth);
}

double wholePeriodInterest(const Loan& loan, std::size_t k, double previousBalance) {
  return loan.beginning && k == 1 ? 0 : -loan.rate * previousBalance;
}

}  // namespace detail

namespace {

using detail::Loan;
using detail::partPeriodGrowth;
using detail::requireFiniteRow;
using detail::shown;
using detail::wholePeriodInterest;

std::vector<ScheduleRow> exactRows(const Loan& loan) {
  const detail::SettledBalance settled(loan);
  std::vector<ScheduleRow> rows;
  rows.reserve(loan.rows);
  detail::CompensatedSum interestSum;
  detail::CompensatedSum principalSum;
  double previous = loan.presentValue;
  for (std::size_t k = 1; k <= loan.rows; ++k) {
    ScheduleRow row;
    const double count = static_cast<double>(k);
    const bool last = k == loan.rows;
    row.period = last ? loan.periods : count;
    if (last && (loan.partPeriod > 0 || loan.deviation != 0)) {
      // The last payment closes the schedule at the final balance: a part period, or a given
      // payment that leaves more or less than the terms ask for.
      row.balance = loan.finalBalance;
      row.interest = loan.partPeriod > 0 ? -previous * partPeriodGrowth(loan)
                                         : wholePeriodInterest(loan, k, previous);
      row.principal = row.balance - previous;
      row.payment = row.principal + row.interest;
    } else {
      // balance = settled balance + (payment − settling)·accumulation(k)
      row.balance = settled.at(count);
      if (loan.deviation != 0) {
        row.balance +=
            loan.deviation * detail::accumulationFactor(loan.rate, loan.logGrowth, count);
      }
      row.payment = loan.payment;
      row.principal = row.balance - previous;
      row.interest = row.payment - row.principal;
    }
    interestSum.add(row.interest);
    principalSum.add(row.principal);
    row.cumulativeInterest = interestSum.value();
    row.cumulativePrincipal = principalSum.value();
    requireFiniteRow(row);
    rows.push_back(shown(row, loan));
    previous = row.balance;
  }
  return rows;
}

// As billed: every amount in whole units of the last place shown, each sum rounded again so
// that binary fractions never drift into the cents. The last row is adjusted to end exactly
// at the rounded final balance.
std::vector<ScheduleRow> billedRows(const Loan& loan, int places) {
  const auto billed = [places](double amount) { return roundToPlaces(amount, places); };
  const double payment = billed(loan.payment);
  const double finalBalance = billed(loan.finalBalance);
  std::vector<ScheduleRow> rows;
  rows.reserve(loan.rows);
  double previous = billed(loan.presentValue);
  double interestSum = 0;
  double principalSum = 0;
  for (std::size_t k = 1; k <= loan.rows; ++k) {
    ScheduleRow row;
    const bool last = k == loan.rows;
    row.period = last ? loan.periods : static_cast<double>(k);
    const bool part = last && loan.partPeriod > 0;
    row.interest =
        billed(part ? -previous * partPeriodGrowth(loan) : wholePeriodInterest(loan, k, previous));
    if (last) {
      row.balance = finalBalance;
      row.principal = billed(row.balance - previous);
      row.payment = billed(row.principal + row.interest);
    } else {
      row.payment = payment;
      row.principal = billed(payment - row.interest);
      row.balance = billed(previous + row.principal);
    }
    interestSum = billed(interestSum + row.interest);
    principalSum = billed(principalSum + row.principal);
    row.cumulativeInterest = interestSum;
    row.cumulativePrincipal = principalSum;
    requireFiniteRow(row);
    rows.push_back(shown(row, loan));
    previous = row.balance;
  }
  return rows;
}

}  // namespace

double settlingPayment(const ScheduleTerms& terms) {
  detail::requireFinite({terms.rate, terms.periods, terms.presentValue, terms.futureValue});
  detail::dueFlag(terms.due);
  detail::requireRateAboveMinusOne(terms.rate);
  // Before anything is allocated: a billion periods is refused at once.
  if (!(terms.periods > 0 && terms.periods <= kMaxSchedulePeriods)) {
    detail::fail(Reason::PeriodOutOfRange);
  }
  return PMT(terms.rate, terms.periods, terms.presentValue, terms.futureValue, terms.due);
}

std::vector<ScheduleRow> amortisationSchedule(const ScheduleTerms& terms, ScheduleMode mode) {
  const Loan loan = detail::checkedLoan(terms);
  if (mode == ScheduleMode::AsBilled) {
    return billedRows(loan, std::clamp(terms.decimalPlaces, 0, kMaxDecimalPlaces));
  }
  return exactRows(loan);
}

std::vector<YearTotal> yearTotals(std::span<const ScheduleRow> rows, int periodsPerYear) {
  if (periodsPerYear < 1) detail::fail(Reason::InvalidArgument);
  const auto perYear = static_cast<std::size_t>(periodsPerYear);
  std::vector<YearTotal> years;
  years.reserve((rows.size() + perYear - 1) / perYear);
  for (std::size_t first = 0; first < rows.size(); first += perYear) {
    YearTotal year;
    year.year = static_cast<int>(years.size()) + 1;
    year.firstRow = first;
    year.endRow = std::min(first + perYear, rows.size());
    detail::CompensatedSum payment;
    detail::CompensatedSum extra;
    detail::CompensatedSum interest;
    detail::CompensatedSum principal;
    for (std::size_t i = first; i < year.endRow; ++i) {
      payment.add(rows[i].payment);
      extra.add(rows[i].extra);
      interest.add(rows[i].interest);
      principal.add(rows[i].principal);
    }
    year.payment = payment.value();
    year.extra = extra.value();
    year.interest = interest.value();
    year.principal = principal.value();
    const ScheduleRow& end = rows[year.endRow - 1];
    year.balance = end.balance;
    year.cumulativeInterest = end.cumulativeInterest;
    year.cumulativePrincipal = end.cumulativePrincipal;
    years.push_back(year);
  }
  return years;
}

}  // namespace vantro::core::finance
