#pragma once
// The ten financial functions of the calculator: time value of money, amortisation and
// cash-flow measures. Pure functions of doubles, standard library only.
//
// Conventions shared by every function:
// - rates are fractions per period (0.05 is 5 %); money paid out is negative, money received
//   positive;
// - NPer, Rate, PV, FV and PMT each solve the annuity relation for their own quantity:
//     presentValue·(1+rate)^periods
//       + payment·(1+rate·due)·((1+rate)^periods − 1)/rate + futureValue = 0,
//   which at rate 0 reads presentValue + payment·periods + futureValue = 0;
// - periods may be fractional, and negative where the relation still makes sense;
// - FV, PMT, IPMT and PPMT take any rate at which (1+rate)^periods is real and the relation
//   divides by nothing that is 0: below −1 (−100 %) whole period counts only, and whole
//   payment numbers (the growth then alternates in sign), at −1 period counts above 0 (the
//   growth is 0: nothing of a balance survives a period). The others refuse every rate (and
//   guess) of −1 or below with RateAtOrBelowMinusOne: PV, which divides by the growth, NPer,
//   a logarithm of it, Rate, which looks for rates above −1, and NPV, IRR and MIRR, which
//   divide by powers of 1 + rate;
// - every function returns a finite double or throws FinanceError: no NaN or infinity ever
//   comes out, and a NaN or infinite argument is an error.

#include <cstdint>
#include <limits>
#include <span>
#include <stdexcept>
#include <vector>

namespace vantro::core::finance {

// When payments fall within each period; the payment check box gives 0 or 1.
enum class PaymentDue : int { EndOfPeriod = 0, BeginningOfPeriod = 1 };

// The one error of the financial functions; the reason tells why there is no result.
class FinanceError : public std::runtime_error {
 public:
  enum class Reason {
    NoSolution,             // the relation has no (unique) solution for these arguments
    NoConvergence,          // a root search gave up within its iteration limits
    PeriodOutOfRange,       // period outside 1..periods
    NoSignChange,           // cash flows without both a payment and a receipt
    RateAtOrBelowMinusOne,  // a rate (or guess) of −100 % or less that the function refuses
    Overflow,               // the result is beyond the range of a double
    InvalidArgument,        // NaN or infinite argument, a due value other than 0 or 1, or an
                            // argument outside the function's stated domain
  };
  explicit FinanceError(Reason reason);
  Reason reason() const noexcept { return reason_; }

 private:
  Reason reason_;
};

// Number of periods that settles the relation. Throws NoSolution when the payment never
// repays the balance (it is at most the interest, equality judged to a few units in the last
// place so that a rate typed in percent counts as the user meant it), when it pays exactly
// the interest on the future value, or at rate 0 with no payment. The answer may be
// negative: the relation is then settled by running time backwards.
double NPer(double rate, double payment, double presentValue, double futureValue = 0,
            PaymentDue due = PaymentDue::EndOfPeriod);

// Rate per period (above −1) that settles the relation. When several rates do (at most
// two), the one nearest the guess is returned, the lower of two equally near. Throws
// NoSolution when no rate does (also when the relation does not depend on the rate: zero
// periods, or no present value and no payment), NoConvergence when the search gives up.
double Rate(double periods, double payment, double presentValue, double futureValue = 0,
            PaymentDue due = PaymentDue::EndOfPeriod, double guess = 0.1);

// Every rate per period (above −1) that settles the relation, ascending, each once: Rate's
// candidates, of which it returns the nearest to its guess. Empty when no rate does. Throws
// NoSolution where the rate plays no part (zero periods, or neither a present value nor a
// payment), NoConvergence when the search gives up, Overflow when without a payment the one
// rate is beyond a double; InvalidArgument as Rate.
std::vector<double> Rates(double periods, double payment, double presentValue,
                          double futureValue = 0, PaymentDue due = PaymentDue::EndOfPeriod);

// Present value, future value and payment per period from the relation. PMT throws
// NoSolution when payments do not enter the relation: at zero periods, due at the beginning
// at −100 %, an even number of periods at −200 %.
double PV(double rate, double periods, double payment, double futureValue = 0,
          PaymentDue due = PaymentDue::EndOfPeriod);
double FV(double rate, double periods, double payment, double presentValue = 0,
          PaymentDue due = PaymentDue::EndOfPeriod);
double PMT(double rate, double periods, double presentValue, double futureValue = 0,
           PaymentDue due = PaymentDue::EndOfPeriod);

// Interest part and principal part of payment number `period` (1 ≤ period ≤ periods, may
// be fractional; PeriodOutOfRange otherwise). IPMT is the interest, with the payment's
// sign, on the balance left after payment period − 1 (0 for the first payment when
// payments are due at the beginning); PPMT = PMT − IPMT. Where PMT has no solution, neither
// has a part of the payment.
double IPMT(double rate, double period, double periods, double presentValue, double futureValue = 0,
            PaymentDue due = PaymentDue::EndOfPeriod);
double PPMT(double rate, double period, double periods, double presentValue, double futureValue = 0,
            PaymentDue due = PaymentDue::EndOfPeriod);

// Totals of the parts of payments 1 to lastPeriod, summed in order: TPPMT the principal
// parts (PPMT), TIPMT the interest parts (IPMT); 0 when lastPeriod is below 1. The errors of
// the parts, and Overflow.
double TPPMT(double rate, int lastPeriod, double periods, double presentValue,
             double futureValue = 0, PaymentDue due = PaymentDue::EndOfPeriod);
double TIPMT(double rate, int lastPeriod, double periods, double presentValue,
             double futureValue = 0, PaymentDue due = PaymentDue::EndOfPeriod);

// The balance left after payment lastPeriod, |presentValue| − |TPPMT|: a loan entered
// either way round has the same balance. TPPMT's errors. The second form takes the total of
// the principal parts already summed.
double BAL(double rate, int lastPeriod, double periods, double presentValue, double futureValue = 0,
           PaymentDue due = PaymentDue::EndOfPeriod);
double BAL(double presentValue, double principalPaid);

// The effective annual rate of a nominal annual rate compounded `compoundings` times a year,
// (1 + nominal/m)^m − 1, and the nominal annual rate that amounts to an effective one,
// ((1 + effective)^(1/m) − 1)·m. Here rates are annual fractions; m need not be whole.
// InvalidArgument unless the rate is above 0 and m at least 1; Overflow beyond a double.
double EFFECT(double nominalRate, double compoundings);
double NOMINAL(double effectiveRate, double compoundings);

// Compounding without end: the limit of (1 + j/m)^m as m grows, e^j.
inline constexpr double kContinuousCompounding = std::numeric_limits<double>::infinity();

// The rate per payment period of an annual nominal rate j compounded m times a year and paid
// p times a year: (1 + j/m)^(m/p) − 1, or e^(j/p) − 1 for m = kContinuousCompounding. With
// m = p it is j/p, exactly the quotient. InvalidArgument for a NaN or infinite rate, p not
// above 0 or infinite, m not above 0; RateAtOrBelowMinusOne when j/m is −1 or less;
// Overflow beyond a double.
double periodicRate(double nominalRate, double paymentsPerYear, double compoundingsPerYear);

// Net present value Σ values[i]/(1+rate)^(i+1): the first value is discounted one period.
// An empty list is worth 0.
double NPV(double rate, std::span<const double> values);

// Every internal rate of return: the rates above −1 at which Σ values[i]/(1+rate)^i = 0,
// ascending, each once (a double root too). Rates closer to −1 than a double can tell, or
// beyond its range, are left out. Empty when no rate gives zero. NoSignChange without both
// signs, InvalidArgument for a NaN or infinite value. NoConvergence when a long list changes
// sign so often that finding every root would take too long: when sign changes less one,
// times flows, exceed 2^21 (21 changes in 100,000 flows; one at every period in 1,450), or
// when the search spends its fixed allowance of work.
std::vector<double> IRRs(std::span<const double> values);

// Internal rate of return: of IRRs, the rate nearest the guess (|rate − guess| least; the
// lower of two equally near). NoSolution when IRRs is empty, RateAtOrBelowMinusOne for a
// guess of −1 or less, InvalidArgument for a NaN or infinite guess; otherwise IRRs' errors.
double IRR(std::span<const double> values, double guess = 0.1);

// Modified internal rate of return of N values: receipts grow at reinvestRate to the last
// period, payments are discounted at financeRate to the first, and the rate that turns the
// one into the other over N − 1 periods is returned. NoSignChange without both signs.
double MIRR(std::span<const double> values, double financeRate, double reinvestRate);

// A cash flow on a date. Days are counted from any fixed day (only differences count).
struct DatedFlow {
  std::int64_t day = 0;
  double amount = 0;
};

// The days in the year of the dated measures: actual days over 365, as spreadsheets count.
inline constexpr double kDaysPerYear = 365;

// Net present value of dated flows at an annual rate, discounted to the earliest day:
// Σ amount/(1 + rate)^((day − earliest)/365). The flows may come in any order, several on one
// day. An empty list is worth 0. InvalidArgument for a NaN or infinite amount or rate,
// RateAtOrBelowMinusOne for a rate of −1 or less, Overflow beyond a double.
double XNPV(double rate, std::span<const DatedFlow> flows);

// Every annual rate above −1 at which XNPV is 0, ascending, each once (a double root too),
// found as IRRs finds its own; rates closer to −1 than a double can tell, or beyond its range,
// are left out, and so are amounts below 2^−1000 of the largest (the search holds every amount
// in doubles beside the largest). NoSignChange without both a payment and a receipt,
// NoSolution when the flows of each day add up to 0 (every rate settles it), InvalidArgument
// for a NaN or infinite amount, NoConvergence when the search spends its allowance of work.
std::vector<double> XIRRs(std::span<const DatedFlow> flows);

// Of XIRRs, the rate nearest the guess (the lower of two equally near): exactly one of them,
// for the guess does not steer the search. NoSolution when there is none,
// RateAtOrBelowMinusOne for a guess of −1 or less, InvalidArgument for a NaN or infinite
// guess; otherwise XIRRs' errors.
double XIRR(std::span<const DatedFlow> flows, double guess = 0.1);

}  // namespace vantro::core::finance
