// The amortisation schedule with extra principal paid on top of the payments.
//
// Until the first extra the rows are the schedule's own. From there each row pays its extra
// and ends the schedule when it reaches the final balance. Exact rows never carry the balance
// forward from the start, which over many periods at a high rate cancels every digit:
// - while the payment stays (ShortenTerm), the balance is the schedule's own plus the
//   shortfall the extras have made, grown by the interest they save,
//     shortfall(k) = shortfall(k − 1)·(1 + rate) + extra(k),
//   terms of one sign, so nothing cancels;
// - after a recast (LowerPayment) the rows are those of a new loan of the balance left over
//   the periods left, by the schedule's closed form.
// Billed rows carry the balance in billed amounts, as the schedule's billed rows do.

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "core/finance/compounding.h"
#include "core/finance/schedule.h"
#include "core/finance/schedule_rows.h"
#include "core/fixed_format.h"

namespace vantro::core::finance {

bool ExtraPayments::any() const {
  return recurring != 0 || std::any_of(oneOff.begin(), oneOff.end(),
                                       [](const OneOffExtra& extra) { return extra.amount != 0; });
}

namespace {

using detail::Loan;
using Reason = FinanceError::Reason;

void requireSize(double amount) {
  if (!(std::isfinite(amount) && amount >= 0)) detail::fail(Reason::InvalidArgument);
}

// The extra that goes with each payment, asked for in order of payment.
class ExtraAmounts {
 public:
  ExtraAmounts(const ExtraPayments& extras, std::size_t rows)
      : recurring_(extras.recurring),
        recurringFrom_(static_cast<std::size_t>(extras.recurringFrom)) {
    requireSize(extras.recurring);
    if (extras.recurringFrom < 1) detail::fail(Reason::InvalidArgument);
    for (const OneOffExtra& extra : extras.oneOff) {
      requireSize(extra.amount);
      if (extra.period < 1) detail::fail(Reason::InvalidArgument);
      const auto period = static_cast<std::size_t>(extra.period);
      if (extra.amount > 0 && period <= rows) oneOff_.emplace_back(period, extra.amount);
    }
    std::sort(oneOff_.begin(), oneOff_.end());
  }

  // The first payment with an extra; SIZE_MAX when there is none.
  std::size_t first() const {
    std::size_t first = recurring_ > 0 ? recurringFrom_ : SIZE_MAX;
    return oneOff_.empty() ? first : std::min(first, oneOff_.front().first);
  }

  // The extra of payment k, the one-off extras at k summed. Beyond the largest double the
  // sum is cut to it: any such extra is more than what is left.
  double at(std::size_t k) {
    double sum = k >= recurringFrom_ ? recurring_ : 0;
    while (next_ < oneOff_.size() && oneOff_[next_].first < k) ++next_;
    for (; next_ < oneOff_.size() && oneOff_[next_].first == k; ++next_) {
      sum += oneOff_[next_].second;
    }
    return std::min(sum, DBL_MAX);
  }

 private:
  double recurring_;
  std::size_t recurringFrom_;
  std::vector<std::pair<std::size_t, double>> oneOff_;  // (period, amount), by period
  std::size_t next_ = 0;
};

// The rows from the first extra on, appended to the schedule's own rows before it.
class ExtraRows {
 public:
  ExtraRows(const Loan& loan, ScheduleMode mode, int decimalPlaces, ExtraEffect effect,
            std::vector<ScheduleRow> schedule)
      : loan_(loan),
        billedMode_(mode == ScheduleMode::AsBilled),
        places_(std::clamp(decimalPlaces, 0, kMaxDecimalPlaces)),
        recast_(effect == ExtraEffect::LowerPayment),
        direction_(loan.payment > 0 ? 1.0 : -1.0),
        final_(billed(loan.finalBalance)),
        schedule_(std::move(schedule)),
        regular_(billed(loan.payment)) {
    // Which way the balance travels from the present value to the final balance.
    towards_ = loan.finalBalance > loan.presentValue ? 1.0 : -1.0;
  }

  std::vector<ScheduleRow> rows(ExtraAmounts& extras, std::size_t first) {
    std::vector<ScheduleRow> rows(schedule_.begin(),
                                  schedule_.begin() + static_cast<std::ptrdiff_t>(first - 1));
    double previous = loan_.presentValue;
    if (!rows.empty()) previous = owed(rows.back().balance);
    if (billedMode_) {
      previous = billed(previous);
      if (!rows.empty()) {
        billedInterestSum_ = rows.back().cumulativeInterest;
        billedPrincipalSum_ = rows.back().cumulativePrincipal;
      }
    } else {
      for (const ScheduleRow& row : rows) {
        interestSum_.add(row.interest);
        principalSum_.add(row.principal);
      }
    }
    for (std::size_t k = first; k <= loan_.rows; ++k) {
      const double extra = billed(extras.at(k));
      const ScheduleRow row = next(k, previous, extra);
      rows.push_back(detail::shown(row, loan_));
      if (closed_) break;
      if (recast_ && extra > 0 && k < loan_.rows) recastAfter(k, row.balance);
      previous = row.balance;
    }
    return rows;
  }

 private:
  double billed(double amount) const {
    return billedMode_ ? roundToPlaces(amount, places_) : amount;
  }
  double owed(double shownBalance) const { return loan_.shownBalanceSign * shownBalance + 0.0; }

  // The balance after payment k with no extra since the last change of payment: the
  // schedule's own, or that of the recast loan.
  double settledAt(std::size_t k) const {
    if (segment_) return segment_->at(static_cast<double>(k - anchor_));
    return owed(schedule_[k - 1].balance);
  }

  // Row k, or the row that closes the schedule at the final balance: the last one, or one
  // whose payment and extra would reach the final balance or pass it.
  ScheduleRow next(std::size_t k, double previous, double extra) {
    ScheduleRow row;
    const bool last = k == loan_.rows;
    row.period = last ? loan_.periods : static_cast<double>(k);
    const bool part = last && loan_.partPeriod > 0;
    const double interest = billed(part ? -previous * detail::partPeriodGrowth(loan_)
                                        : detail::wholePeriodInterest(loan_, k, previous));
    const double paidExtra = extra > 0 ? direction_ * extra : 0;
    bool reached = last;
    if (!last) {
      row.payment = billed(regular_ + paidExtra);
      row.extra = paidExtra;
      if (billedMode_) {
        row.interest = interest;
        row.principal = billed(row.payment - interest);
        row.balance = billed(previous + row.principal);
      } else {
        shortfall_ = shortfall_ * (1 + loan_.rate) + paidExtra;
        const double settled = settledAt(k);
        row.balance = settled + shortfall_;
        row.principal = row.balance - previous;
        row.interest = row.payment - row.principal;
        reached = detail::cancels(settled - final_, shortfall_);
      }
      reached = reached || (final_ - row.balance) * towards_ <= 0;
    }
    if (reached) {
      closed_ = true;
      row.interest = interest;
      row.balance = final_;
      row.principal = billed(final_ - previous);
      row.payment = billed(row.principal + interest);
      // What the payment needs beyond the regular one, up to the extra: the extra is cut first.
      const double beyond = (row.payment - regular_) * direction_;
      const bool none = beyond <= 0 || (!billedMode_ && detail::cancels(row.payment, -regular_));
      row.extra = none || extra == 0 ? 0 : billed(direction_ * std::min(beyond, extra));
    }
    addToTotals(row);
    detail::requireFiniteRow(row);
    return row;
  }

  void addToTotals(ScheduleRow& row) {
    if (billedMode_) {
      billedInterestSum_ = billed(billedInterestSum_ + row.interest);
      billedPrincipalSum_ = billed(billedPrincipalSum_ + row.principal);
      row.cumulativeInterest = billedInterestSum_;
      row.cumulativePrincipal = billedPrincipalSum_;
    } else {
      interestSum_.add(row.interest);
      principalSum_.add(row.principal);
      row.cumulativeInterest = interestSum_.value();
      row.cumulativePrincipal = principalSum_.value();
    }
  }

  // The payment that settles the balance left after payment k over the periods left. The
  // next payment falls a period after this one whether payments are due at the beginning or
  // the end, so what is left is an end-of-period loan whose final balance is this one's.
  void recastAfter(std::size_t k, double balance) {
    ScheduleTerms left;
    left.rate = loan_.rate;
    left.periods = loan_.periods - static_cast<double>(k);
    left.presentValue = balance;
    left.futureValue = -loan_.finalBalance;
    left.due = PaymentDue::EndOfPeriod;
    const Loan remaining = detail::checkedLoan(left);
    regular_ = billed(remaining.payment);
    segment_.emplace(remaining);
    anchor_ = k;
    shortfall_ = 0;
  }

  Loan loan_;
  bool billedMode_;
  int places_;
  bool recast_;
  double direction_;  // the payment's sign: extras are paid the same way
  double towards_ = 0;
  double final_;
  std::vector<ScheduleRow> schedule_;              // the rows with no extra
  double regular_;                                 // the payment without its extra
  std::optional<detail::SettledBalance> segment_;  // after a recast
  std::size_t anchor_ = 0;                         // the payment the recast followed
  double shortfall_ = 0;
  bool closed_ = false;
  detail::CompensatedSum interestSum_;
  detail::CompensatedSum principalSum_;
  double billedInterestSum_ = 0;
  double billedPrincipalSum_ = 0;
};

}  // namespace

std::vector<ScheduleRow> amortisationSchedule(const ScheduleTerms& terms, ScheduleMode mode,
                                              const ExtraPayments& extras) {
  std::vector<ScheduleRow> schedule = amortisationSchedule(terms, mode);
  if (!extras.any()) return schedule;
  const Loan loan = detail::checkedLoan(terms);
  ExtraAmounts amounts(extras, loan.rows);
  if (loan.payment == 0) detail::fail(Reason::InvalidArgument);
  // A balance that ends where it starts (interest only) has no end for the extras to reach
  // sooner: any extra would pass it at once, and the rows after it would be lost.
  if (loan.finalBalance == loan.presentValue) detail::fail(Reason::NoSolution);
  const std::size_t first = amounts.first();
  if (first > loan.rows) return schedule;
  return ExtraRows(loan, mode, terms.decimalPlaces, extras.effect, std::move(schedule))
      .rows(amounts, first);
}

}  // namespace vantro::core::finance
