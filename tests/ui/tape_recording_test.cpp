// The tape's lines: what each calculation records, with its full values, and the check that
// computes a recorded financial line again.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/finance/finance.h"
#include "form_fixture.h"
#include "ui/financial/calculations.h"

namespace vantro::test {
namespace {

using enum ui::ControlId;
using core::tape::Entry;

struct Calculation {
  const char* name;
  std::vector<std::pair<ControlId, std::string>> fields;
  std::vector<ControlId> clicks;
};

std::vector<Entry> tapeOf(const Calculation& calculation) {
  LoadedForm f;
  for (const auto& [box, text] : calculation.fields) f.window.textBox(box).setText(text);
  for (const ControlId key : calculation.clicks) f.window.click(key);
  return f.tape.lines;
}

std::uint64_t bits(double value) {
  return std::bit_cast<std::uint64_t>(value);
}

// The values read and computed are kept whole, not as they were shown.
TEST(TapeRecording, KeepsTheFullValues) {
  const Entry root = tapeOf({"", {}, {Num2Command, NumSqRtCommand}}).at(0);
  EXPECT_EQ(bits(*root.result), bits(std::sqrt(2.0)));
  const Entry payment =
      tapeOf({"", {{TextInterest, "7/12"}, {TextN, "360"}, {TextPV, "150000"}}, {CommandPMT}})
          .at(0);
  const double rate = 7.0 / 12 / 100;
  ASSERT_EQ(payment.inputs.at(0).name, "Interest");
  EXPECT_EQ(bits(payment.inputs[0].value), bits(rate));
  EXPECT_EQ(bits(*payment.result), bits(core::finance::PMT(rate, 360, 150000)));
  EXPECT_EQ(payment.decimals, 2);
  EXPECT_EQ(payment.shown, "-997.95");
}

// Every kind of financial line, recorded and checked again, agrees, and so does one that ended
// in its message; altered, neither does.
TEST(TapeCheck, AgreesWithWhatWasRecordedAndFlagsAnAlteredResult) {
  const std::vector<std::pair<ControlId, std::string>> loan = {
      {TextInterest, "1"}, {TextN, "12"}, {TextPV, "1000"}, {TextPer, "3"}};
  const std::vector<std::pair<ControlId, std::string>> flows = {
      {TextInterest, "8"}, {TextPer, "5"}, {TextCF, "-1000\r\n500\r\n600"}};
  const Calculation calculations[] = {
      {"NPer", {{TextInterest, "1"}, {TextPMT, "-88.85"}, {TextPV, "1000"}}, {CommandN}},
      {"Rate", {{TextN, "12"}, {TextPMT, "-88.85"}, {TextPV, "1000"}}, {CommandInterest}},
      {"PV", {{TextInterest, "1"}, {TextN, "12"}, {TextPMT, "-88.85"}}, {CommandPV}},
      {"FV", {{TextInterest, "1"}, {TextN, "12"}, {TextPMT, "-88.85"}}, {CommandFV}},
      {"PMT", loan, {CommandPMT}},
      {"PPMT", loan, {CommandPPMT}},
      {"IPMT", loan, {CheckPayment, CommandIPMT}},
      {"TPPMT", loan, {CommandPrincipal}},
      {"TIPMT", loan, {CommandInterestPaid}},
      {"BAL", loan, {CommandBalance}},
      {"EFFECT", {{TextInterest, "12"}, {TextN, "12"}}, {CommandEffect}},
      {"NOMINAL", {{TextInterest, "12.68"}, {TextN, "12"}}, {CommandNominal}},
      {"NPV", flows, {CommandNPV}},
      {"IRR", flows, {CommandIRR}},
      {"MIRR", flows, {CommandMIRR}},
      {"TPPMT before the first period", {{TextPer, "0"}}, {CommandPrincipal}},
      {"PMT of an unreadable field",
       {{TextInterest, "1"}, {TextN, "12"}, {TextPV, "1e999"}},
       {CommandPMT}},
      {"IRR without a sign change", {{TextCF, "1\r\n2"}}, {CommandIRR}},
  };
  for (const Calculation& calculation : calculations) {
    SCOPED_TRACE(calculation.name);
    Entry line = tapeOf(calculation).at(0);
    EXPECT_TRUE(std::string(calculation.name).starts_with(line.operation));
    EXPECT_TRUE(ui::financial::checkLine(line).agrees);
    line.result = line.result ? *line.result + std::pow(10.0, -line.decimals) : 0.0;
    EXPECT_FALSE(ui::financial::checkLine(line).agrees);
  }
}

}  // namespace
}  // namespace vantro::test
