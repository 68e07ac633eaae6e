#pragma once
// What every row of an amortisation schedule is made of, shared by the schedule as agreed
// (schedule.cpp) and the schedule with extra principal (extra_payments.cpp): the terms
// checked, the balance of a loan whose payment settles it, and the interest of a period.
// Balances here are the balance owed, in the present value's sign; `shown` turns a row into
// what the schedule lists.

#include <cstddef>

#include "core/finance/schedule.h"

namespace vantro::core::finance::detail {

// The terms, checked, with what every row needs.
struct Loan {
  double rate;
  double logGrowth;  // log1p(rate), the log of one period's growth
  double periods;
  std::size_t rows;   // whole periods, and one more for a part period
  double partPeriod;  // periods − floor(periods)
  bool beginning;     // payments due at the beginning of each period
  double presentValue;
  // The balance after the last payment, in the present value's sign: −futureValue, divided by
  // 1 + rate when payments fall at the beginning (the last period's interest accrues after it).
  double finalBalance;
  double payment;    // given, or solved with PMT
  double deviation;  // payment − the payment that settles the terms; 0 when it does
  // The rows compute the balance owed, which carries the present value's sign; a plan with
  // no present value shows its savings instead, the balance owed with its sign turned.
  double shownBalanceSign;
};

// amortisationSchedule's checks and errors.
Loan checkedLoan(const ScheduleTerms& terms);

// The row as shown: computed with the balance owed, which the next row goes on from.
ScheduleRow shown(ScheduleRow row, const Loan& loan);

// Overflow unless every amount of the row is finite.
void requireFiniteRow(const ScheduleRow& row);

// (1 + rate)^part − 1 for the part period that ends a fractional count.
double partPeriodGrowth(const Loan& loan);

// The interest of a whole period, on the balance left after the previous payment; none in the
// first payment when payments fall at the beginning of each period.
//   interest = −rate·previousBalance
double wholePeriodInterest(const Loan& loan, std::size_t k, double previousBalance);

// The balance after payment k of a loan whose payment settles its terms:
//   balance = start·(growth^n − growth^k)/(growth^n − 1) + end·(growth^k − 1)/(growth^n − 1),
// growth = 1 + rate, start = presentValue and end = finalBalance, both already divided by
// growth when payments fall at the beginning (the balance after payment k is then the
// end-of-period one divided by growth). Each weight is taken in the orientation whose
// exponents are at most 0, so that nothing overflows and no digits cancel.
class SettledBalance {
 public:
  explicit SettledBalance(const Loan& loan);
  double at(double k) const;

 private:
  double logGrowth_;
  double periods_;
  double start_;
  double end_;
  bool linear_;
  double denominator_;  // growth^−|n| − 1
};

}  // namespace vantro::core::finance::detail
