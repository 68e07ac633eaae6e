#include "ui/analysis/field_reading.h"

#include <charconv>
#include <cmath>
#include <exception>

#include "core/blank_text.h"
#include "core/fixed_format.h"
#include "core/number_format.h"

namespace vantro::ui::analysis {

namespace {

[[noreturn]] void refuse(const char* caption) {
  std::string sentence = "The ";
  sentence += caption;
  sentence += " field does not hold a number the calculator can use.";
  throw InputProblem(sentence);
}

}  // namespace

std::optional<double> readField(const std::string& text, NumberKind kind, const char* caption) {
  if (core::isBlankText(text)) return std::nullopt;
  double value = 0;
  try {
    value = financial::readNumber(text, kind);
  } catch (const std::exception&) {
    refuse(caption);
  }
  if (!std::isfinite(value)) refuse(caption);
  return value;
}

std::optional<double> readBoxPercent(const std::string& text, const core::NumberLocale& locale,
                                     const char* caption) {
  if (core::isBlankText(text)) return std::nullopt;
  if (const std::optional<std::string> plain = core::readNumber(text, locale)) {
    const double percent = core::leadingNumberValue(*plain);
    if (!std::isfinite(percent)) refuse(caption);
    return percent / 100;
  }
  if (text.find_first_of("/*") == std::string::npos) refuse(caption);
  return readField(text, NumberKind::Percent, caption);
}

double requireField(const std::string& text, NumberKind kind, const char* caption,
                    const char* need) {
  if (const std::optional<double> value = readField(text, kind, caption)) return *value;
  std::string sentence = "The ";
  sentence += caption;
  sentence += " field is empty: ";
  sentence += need;
  sentence += " needs it.";
  throw InputProblem(sentence);
}

std::string formatAmount(double value, int decimalPlaces) {
  return core::formatFixed(value, decimalPlaces);
}

std::string formatPercent(double rate, int decimalPlaces) {
  std::string text = core::formatFixed(rate * 100, decimalPlaces);
  text += " %";
  return text;
}

std::string readableAmount(double value, int decimalPlaces, const core::NumberLocale& locale) {
  return core::localeNumberText(formatAmount(value, decimalPlaces), locale);
}

std::string readablePercent(double rate, int decimalPlaces, const core::NumberLocale& locale) {
  std::string text = core::localeNumberText(core::formatFixed(rate * 100, decimalPlaces), locale);
  text += " %";
  return text;
}

std::string readableCount(double count, const core::NumberLocale& locale) {
  // Whole counts up to 2^53 in full; to_chars would write 1000000 as 1e+06.
  char buffer[64];
  const bool whole = std::fabs(count) < 0x1p53 && count == std::trunc(count);
  const auto result =
      whole ? std::to_chars(buffer, buffer + sizeof buffer, count, std::chars_format::fixed)
            : std::to_chars(buffer, buffer + sizeof buffer, count);
  return core::localeNumberText(std::string_view(buffer, result.ptr), locale);
}

}  // namespace vantro::ui::analysis
