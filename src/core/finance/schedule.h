#pragma once
// The amortisation schedule of a loan or savings plan: every period's payment split into
// interest and principal, with the balance left and the running totals. Pure functions,
// standard library only; the sign convention is the financial functions' (finance.h).

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "core/finance/finance.h"

namespace vantro::core::finance {

// The most periods a schedule lists: beyond it the rows would not fit in memory for long.
inline constexpr double kMaxSchedulePeriods = 1'000'000;

enum class ScheduleMode {
  // Full precision: each row agrees with IPMT, PPMT and the balance left after its payment.
  Exact,
  // As a lender bills it: the payment and each period's interest rounded to the decimal places
  // shown (halves away from zero, as formatFixed rounds), the balance carried in those amounts,
  // and the last payment adjusted so that the schedule ends exactly at the balance the terms
  // ask for, rounded likewise. Over very many periods the rounding of each period compounds
  // with the interest, and the last payment absorbs it.
  AsBilled,
};

struct ScheduleTerms {
  double rate = 0;     // per period, as a fraction
  double periods = 0;  // may be fractional: the last row is then the part period
  double presentValue = 0;
  double futureValue = 0;
  PaymentDue due = PaymentDue::EndOfPeriod;
  std::optional<double> payment;  // solved with PMT when absent
  int decimalPlaces = 2;          // for AsBilled; clamped to 0..15 as formatFixed does
};

// One period. Amounts carry the payment's sign except the balance, which carries the present
// value's: a loan of 150,000 shows payments, interest and principal negative and its balance
// positive, falling to 0. Before the first payment the balance is the present value. With no
// present value (a savings plan) there is no sign to carry: the balance is then the savings,
// with the future value's sign, so that a plan saving 30,000 shows payments and principal
// negative, interest positive and its balance positive, rising to 30,000.
struct ScheduleRow {
  double period = 0;   // 1, 2, ...; the last of a fractional count is the count itself
  double payment = 0;  // the whole amount paid in the period, any extra principal included
  double extra = 0;    // the extra principal within the payment, in the payment's sign
  double interest = 0;
  double principal = 0;  // payment − interest
  double balance = 0;    // left after this row's payment
  double cumulativeInterest = 0;
  double cumulativePrincipal = 0;
};

// The rows of the schedule, one per period. The balance after the last payment is −futureValue
// (payments at the end of each period) or −futureValue/(1 + rate) (at the beginning: the
// last period's interest then accrues after the last payment); a savings plan's is the
// same with its sign turned. Each period's interest is −rate times the balance left by the
// previous payment, or +rate times a plan's savings (none in the first payment when
// payments fall at the beginning). The last row's payment is whatever brings the balance to
// that final one: with the solved payment that is the payment itself; a given payment that
// does not settle the terms leaves the difference to the last payment. A part period's row
// accrues interest on the previous balance over the part, −balance·((1 + rate)^part − 1).
// Throws FinanceError:
// PeriodOutOfRange when periods is not above 0 or beyond kMaxSchedulePeriods,
// RateAtOrBelowMinusOne for a rate of −1 or less, InvalidArgument for a NaN or infinite input,
// NoSolution when PMT has none, Overflow when an amount leaves the range of a double.
std::vector<ScheduleRow> amortisationSchedule(const ScheduleTerms& terms, ScheduleMode mode);

// Principal paid on top of the payment: amounts are sizes (0 or more), paid in the payment's
// direction, so that each brings the balance nearer its final one.
struct OneOffExtra {
  int period = 1;  // the payment it goes with, 1 or more
  double amount = 0;
};

enum class ExtraEffect {
  // The payment stays and the loan ends early: the schedule has fewer rows.
  ShortenTerm,
  // The term stays: after each extra payment the payment becomes the one that settles the
  // balance left over the periods left (a recast), PMT(rate, periods left, balance left,
  // −final balance) with payments at the end of each period: the next payment falls a period
  // after this one whichever end of the period payments are due at. A plan saved ahead of its
  // goal may then pay out; recurring extras may still end the loan before its term.
  LowerPayment,
};

struct ExtraPayments {
  std::vector<OneOffExtra> oneOff;  // several at one period add up
  double recurring = 0;             // with every payment from recurringFrom on
  int recurringFrom = 1;
  ExtraEffect effect = ExtraEffect::ShortenTerm;

  // Whether any amount is other than 0 (a NaN counts): without, the schedule is the one with
  // no extras, and the rest goes unchecked.
  bool any() const;
};

// The schedule with extra principal. Rows before the first extra are amortisationSchedule's;
// from there each row's payment is the regular payment and its extra, and its extra is what
// was paid on top of the regular payment (in the payment's sign). The first row whose payment
// would take the balance to the final balance or past it, in the direction the balance
// travels from the present value, pays only what takes it there, its extra cut first, and
// ends the schedule (it may then pay less than the regular payment); the last row of the term
// pays what is left, as in amortisationSchedule. Extras at periods after the last row change
// nothing, and with none at all it is amortisationSchedule's. Its errors, and InvalidArgument
// for a negative, NaN or infinite extra amount, a period below 1, or extras where the payment
// is 0 (they would have no direction); NoSolution when the final balance is the present value
// (interest only: there is no end for them to reach sooner); Overflow when extras drive the balance
// beyond a double (paid down against a balance the interest raises towards a balloon larger than
// the loan, they drive it away from the balloon).
std::vector<ScheduleRow> amortisationSchedule(const ScheduleTerms& terms, ScheduleMode mode,
                                              const ExtraPayments& extras);

// The payment that settles the terms (PMT), after the checks amortisationSchedule makes and
// with its errors; the terms' own payment plays no part.
double settlingPayment(const ScheduleTerms& terms);

// The rows of one year and their sums. Year y holds periods (y − 1)·periodsPerYear + 1 to
// y·periodsPerYear; the last year may hold fewer (and a fractional last row).
struct YearTotal {
  int year = 0;
  std::size_t firstRow = 0;  // index into the rows
  std::size_t endRow = 0;    // one past the year's last row
  double payment = 0;
  double extra = 0;
  double interest = 0;
  double principal = 0;
  double balance = 0;  // at the end of the year
  double cumulativeInterest = 0;
  double cumulativePrincipal = 0;
};

// The years of a schedule; FinanceError (InvalidArgument) when periodsPerYear is below 1.
std::vector<YearTotal> yearTotals(std::span<const ScheduleRow> rows, int periodsPerYear);

}  // namespace vantro::core::finance
