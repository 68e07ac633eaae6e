#include "ui/analysis/loan_extras.h"

#include <cmath>
#include <optional>

#include "core/blank_text.h"
#include "core/finance/finance.h"
#include "core/number_format.h"
#include "ui/analysis/field_reading.h"

namespace vantro::ui::analysis {

namespace fin = core::finance;

namespace {

std::string trimmed(const std::string& text) {
  return std::string(core::trimmedBlanks(text));
}

// An extra's size: its sign plays no part, since extras always go the payment's way.
std::optional<double> extraAmount(const std::string& text, const core::NumberLocale& locale) {
  const std::optional<std::string> plain = core::readNumber(text, locale);
  if (!plain) return std::nullopt;
  const double value = std::fabs(core::leadingNumberValue(*plain));
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

[[noreturn]] void refuseOneOff(const std::string& entry) {
  throw InputProblem("The one-off extra \"" + entry +
                     "\" is not a payment number and an amount: write each as 12: 5000, and "
                     "separate them with \";\".");
}

fin::OneOffExtra readOneOff(const std::string& entry, const core::NumberLocale& locale) {
  const auto colon = entry.find(':');
  if (colon == std::string::npos) refuseOneOff(entry);
  const std::string period = trimmed(entry.substr(0, colon));
  if (period.empty() || period.size() > 7 || period.find_first_not_of("0123456789") != period.npos)
    refuseOneOff(entry);
  const int number = std::stoi(period);
  const std::optional<double> amount = extraAmount(trimmed(entry.substr(colon + 1)), locale);
  if (number < 1 || !amount) refuseOneOff(entry);
  return {number, *amount};
}

std::string payments(double count, const core::NumberLocale& locale) {
  return readableCount(count, locale) + (count == 1 ? " payment" : " payments");
}

// The regular payment once the last extra is paid: the row after it, less any extra of its own.
std::optional<double> paymentAfterExtras(const std::vector<fin::ScheduleRow>& rows) {
  std::optional<std::size_t> lastExtra;
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].extra != 0) lastExtra = i;
  if (!lastExtra || *lastExtra + 2 >= rows.size()) return std::nullopt;  // none, or it ended
  const fin::ScheduleRow& next = rows[*lastExtra + 1];
  return next.payment - next.extra;
}

}  // namespace

fin::ExtraPayments readExtraPayments(const ExtraPaymentTexts& texts,
                                     const core::NumberLocale& locale) {
  fin::ExtraPayments extras;
  extras.effect = texts.effect;
  extras.recurringFrom = std::max(1, texts.recurringFrom);
  const std::string recurring = trimmed(texts.recurring);
  if (!recurring.empty()) {
    const std::optional<double> amount = extraAmount(recurring, locale);
    if (!amount) {
      throw InputProblem("The extra payment \"" + recurring +
                         "\" is not an amount the calculator can use.");
    }
    extras.recurring = *amount;
  }
  std::size_t start = 0;
  while (start <= texts.oneOff.size()) {
    const std::size_t end = std::min(texts.oneOff.find(';', start), texts.oneOff.size());
    const std::string entry = trimmed(texts.oneOff.substr(start, end - start));
    if (!entry.empty()) extras.oneOff.push_back(readOneOff(entry, locale));
    start = end + 1;
  }
  return extras;
}

std::string extrasSentence(const std::vector<fin::ScheduleRow>& with,
                           const std::vector<fin::ScheduleRow>& without,
                           const fin::ExtraPayments& extras, int decimalPlaces,
                           const core::NumberLocale& locale) {
  if (with.empty() || without.empty() || !extras.any()) return {};
  // A plan's interest is earned and its balance is the savings; a loan's interest is paid.
  const bool plan = without.back().cumulativeInterest * without.back().payment < 0;
  const double interestChange =
      std::fabs(without.back().cumulativeInterest) - std::fabs(with.back().cumulativeInterest);
  const double periodsSaved = without.back().period - with.back().period;
  std::string sentence = plan ? "The extra deposits " : "The extra payments ";
  if (periodsSaved > 0) {
    sentence += plan ? "reach the target " : "pay the loan off ";
    sentence += payments(periodsSaved, locale) + " early, in " +
                payments(with.back().period, locale) + " instead of " +
                readableCount(without.back().period, locale) + ", and ";
  } else if (const auto lowered = paymentAfterExtras(with);
             lowered && extras.effect == fin::ExtraEffect::LowerPayment) {
    sentence +=
        "lower the payment to " + readableAmount(*lowered, decimalPlaces, locale) + ", and ";
  }
  sentence += plan ? "earn " : "save ";
  sentence += readableAmount(std::fabs(interestChange), decimalPlaces, locale);
  sentence += plan ? (interestChange >= 0 ? " less interest." : " more interest.")
                   : (interestChange >= 0 ? " in interest." : " more in interest.");
  const double last = with.back().period;
  for (const fin::OneOffExtra& extra : extras.oneOff) {
    if (extra.period <= last) continue;
    sentence += " The one-off extra at payment " + readableCount(extra.period, locale) +
                " comes after the last payment and changes nothing.";
  }
  if (extras.recurring > 0 && extras.recurringFrom > last) {
    sentence += " The extra with every payment from payment " +
                readableCount(extras.recurringFrom, locale) +
                " starts after the last payment and changes nothing.";
  }
  return sentence;
}

std::string ratesSentence(const AnalysisFields& fields) {
  constexpr const char* kTerms = "NPer, Payment, Present Value and Future Value";
  std::optional<double> payment;
  std::vector<double> rates;
  try {
    payment = readField(fields.payment, NumberKind::Money, financial::kPayment.caption);
    if (!payment) return {};
    const std::optional<double> periods =
        readField(fields.periods, NumberKind::Count, financial::kNPer.caption);
    if (!periods) return {};
    const double presentValue =
        readField(fields.presentValue, NumberKind::Money, financial::kPresentValue.caption)
            .value_or(0);
    const double futureValue =
        readField(fields.futureValue, NumberKind::Money, financial::kFutureValue.caption)
            .value_or(0);
    rates = fin::Rates(*periods, *payment, presentValue, futureValue,
                       fin::PaymentDue{fields.paymentDue});
  } catch (const InputProblem&) {
    return {};  // the schedule's own sentence names the field
  } catch (const fin::FinanceError&) {
    return {};  // the rate plays no part, or the search gave up: nothing to list
  }
  if (rates.empty()) return std::string("No rate per period settles ") + kTerms + ".";
  std::string list;
  for (std::size_t i = 0; i < rates.size(); ++i) {
    if (i > 0) list += i + 1 == rates.size() ? " and " : ", ";
    list += readablePercent(rates[i], std::max(2, fields.decimalPlaces), fields.locale);
  }
  if (rates.size() == 1)
    return std::string("One rate per period settles ") + kTerms + ": " + list + ".";
  return readableCount(static_cast<double>(rates.size()), fields.locale) +
         " rates per period settle " + kTerms + ": " + list +
         ". The Interest key gives the one nearest the Interest field's rate, or 10 % when it is "
         "empty.";
}

std::string compoundingText(double compoundingsPerYear) {
  if (compoundingsPerYear == fin::kContinuousCompounding) return "compounded continuously";
  if (compoundingsPerYear == 1) return "compounded once a year";
  if (compoundingsPerYear == 2) return "compounded twice a year";
  return "compounded " + readableCount(compoundingsPerYear, {}) + " times a year";
}

std::string periodicRateText(const std::string& annualPercent, double paymentsPerYear,
                             double compoundingsPerYear, const core::NumberLocale& locale) {
  try {
    const std::optional<double> annual = readBoxPercent(annualPercent, locale, "annual rate");
    if (!annual) return {};
    return core::formatGeneral(fin::periodicRate(*annual, paymentsPerYear, compoundingsPerYear) *
                               100);
  } catch (const InputProblem&) {
  } catch (const fin::FinanceError&) {
  }
  return {};
}

}  // namespace vantro::ui::analysis
