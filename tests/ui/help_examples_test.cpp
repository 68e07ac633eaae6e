// Replays the worked examples of the help pages on the in-memory window and compares every
// figure the pages print with what the window shows. The pages mark their figures:
//   <table class="example" id="name" ...> ... </table>  one example, on a freshly loaded window
//   <td class="in" data-control="TextN">360</td>       typed into that box; the cash-flow list
//                                                      takes one line per mark
//   <span class="key" data-control="CommandPMT">PMT</span>  that control clicked
//   <td class="out" data-control="TextPMT">-733.76</td>     what the box, label or check box
//                                                      shows at that point
//   <pre class="syntax" data-control="CommandPV">...</pre>  the last line of that command's
//                                                      error message
// Texts compare with runs of white space read as one space, as the reader of a page sees them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "form_fixture.h"

namespace vantro::test {
namespace {

namespace fs = std::filesystem;

enum class StepKind { In, Key, Out, Syntax };

struct Step {
  StepKind kind;
  ControlId control;
  std::string text;
};

struct Example {
  std::string page;
  std::string name;
  std::vector<Step> steps;
  std::string fault;  // markup the extractor could not use
};

void PrintTo(const Example& example, std::ostream* out) {
  *out << example.page << " #" << example.name;
}

// The pages that explain the calculator itself: each must carry worked examples.
const char* const kPagesWithExamples[] = {
    "main_window.htm", "keypad.htm",       "memory.htm",          "financial_fields.htm",
    "time_value.htm",  "amortisation.htm", "rate_conversion.htm", "cash_flows.htm"};

const ControlId kFinancialCommands[] = {
    ControlId::CommandN,       ControlId::CommandInterest,  ControlId::CommandPV,
    ControlId::CommandFV,      ControlId::CommandPMT,       ControlId::CommandPPMT,
    ControlId::CommandIPMT,    ControlId::CommandPrincipal, ControlId::CommandInterestPaid,
    ControlId::CommandBalance, ControlId::CommandEffect,    ControlId::CommandNominal,
    ControlId::CommandNPV,     ControlId::CommandIRR,       ControlId::CommandMIRR};

std::string plain(std::string text) {
  text = std::regex_replace(text, std::regex("&nbsp;"), " ");
  text = std::regex_replace(text, std::regex("&amp;"), "&");
  text = std::regex_replace(text, std::regex(R"(\s+)"), " ");
  const auto first = text.find_first_not_of(' ');
  return first == std::string::npos ? ""
                                    : text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

std::vector<Example> examplesOf(const std::string& page, const std::string& html) {
  static const std::regex anyMark(R"re(class="(in|key|out|syntax)")re");
  static const std::regex mark(
      R"re(<(\w+) class="(in|key|out|syntax)" data-control="(\w+)">([^<]*)</(\w+)>)re");
  static const std::regex start(R"re(<table class="example" id="([\w-]+)"[^>]*>)re");
  const auto count = [&](const std::regex& pattern) {
    return std::distance(std::sregex_iterator(html.begin(), html.end(), pattern),
                         std::sregex_iterator());
  };

  std::string faults;
  if (count(anyMark) != count(mark))
    faults += "a marked figure is not written as <tag class=... data-control=...>text</tag>\n";

  // Examples first, in page order: examples[i] is the table that ends at ends[i].
  std::vector<Example> examples;
  std::vector<std::size_t> begins, ends;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), start);
       it != std::sregex_iterator(); ++it) {
    begins.push_back(static_cast<std::size_t>(it->position()));
    ends.push_back(html.find("</table>", begins.back()));
    if (ends.back() == std::string::npos) faults += "unclosed example table\n";
    examples.push_back({page, (*it)[1], {}, ""});
  }
  const std::size_t tables = examples.size();

  for (auto it = std::sregex_iterator(html.begin(), html.end(), mark); it != std::sregex_iterator();
       ++it) {
    const auto& m = *it;
    const auto id = ui::controlByName(m[3].str());
    if (!id || m[1] != m[5]) {
      faults += "unknown control or mismatched tag: " + m.str() + "\n";
      continue;
    }
    const std::string kind = m[2];
    const std::string text = plain(m[4]);
    if (kind == "syntax") {
      examples.push_back({page, "syntax-" + m[3].str(), {{StepKind::Syntax, *id, text}}, ""});
      continue;
    }
    const auto at = static_cast<std::size_t>(m.position());
    std::size_t t = 0;
    while (t < tables && !(begins[t] < at && at < ends[t])) ++t;
    if (t == tables) {
      faults += "figure outside an example: " + m.str() + "\n";
      continue;
    }
    auto& steps = examples[t].steps;
    const StepKind stepKind = kind == "in"    ? StepKind::In
                              : kind == "key" ? StepKind::Key
                                              : StepKind::Out;
    // Lines of the cash-flow list that follow one another are typed as one text.
    if (stepKind == StepKind::In && *id == ControlId::TextCF && !steps.empty() &&
        steps.back().kind == StepKind::In && steps.back().control == ControlId::TextCF) {
      steps.back().text += "\r" + text;
    } else {
      steps.push_back({stepKind, *id, text});
    }
  }
  if (!faults.empty()) examples.push_back({page, "markup", {}, faults});
  return examples;
}

std::vector<Example> loadExamples() {
  std::vector<Example> examples;
  std::vector<fs::path> pages;
  for (const auto& entry : fs::directory_iterator(fs::path(VANTRO_HELP_DIR) / "html Docs"))
    if (entry.path().extension() == ".htm") pages.push_back(entry.path());
  std::sort(pages.begin(), pages.end());
  for (const fs::path& path : pages) {
    std::ifstream in(path);
    std::stringstream html;
    html << in.rdbuf();
    for (Example& e : examplesOf(path.filename().string(), html.str()))
      examples.push_back(std::move(e));
  }
  return examples;
}

const std::vector<Example>& allExamples() {
  static const std::vector<Example> examples = loadExamples();
  return examples;
}

class HelpExample : public ::testing::TestWithParam<Example> {};

TEST_P(HelpExample, ShowsTheFiguresOfItsPage) {
  const Example& e = GetParam();
  ASSERT_EQ(e.fault, "");
  ASSERT_FALSE(e.steps.empty()) << "an example without marked figures";
  int checks = 0;
  LoadedForm f;
  for (const Step& step : e.steps) {
    const auto name = ui::controlInfo(step.control).name;
    switch (step.kind) {
      case StepKind::In:
        f.window.typeInto(step.control, step.text);
        break;
      case StepKind::Key:
        f.window.click(step.control);
        break;
      case StepKind::Out:
        ++checks;
        EXPECT_EQ(plain(shown(f, step.control)), step.text) << name;
        break;
      case StepKind::Syntax: {
        // An unreadable period fails every command that reads it; the others fail on the
        // empty fields.
        f.window.typeInto(ControlId::TextPer, "1/0");
        f.window.click(step.control);
        ++checks;
        ASSERT_FALSE(f.messages.shown.empty()) << name << " showed no message";
        const std::string& message = f.messages.shown.back();
        EXPECT_EQ(message.substr(message.rfind('\n') + 1), step.text) << name;
        break;
      }
    }
  }
  EXPECT_GT(checks, 0) << "an example that shows no figure";
}

INSTANTIATE_TEST_SUITE_P(Pages, HelpExample, ::testing::ValuesIn(allExamples()),
                         [](const ::testing::TestParamInfo<Example>& param) {
                           std::string name = param.param.page + "_" + param.param.name;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

// Guards the extractor: a page whose markup it no longer finds must not pass by being empty.
TEST(HelpExamples, CoverEveryKeypadPageAndFinancialCommand) {
  std::set<std::string> pages;
  std::set<ControlId> clicked, explained;
  for (const Example& e : allExamples()) {
    for (const Step& step : e.steps) {
      if (step.kind == StepKind::Key) clicked.insert(step.control);
      if (step.kind == StepKind::Syntax) explained.insert(step.control);
      if (step.kind == StepKind::Out) pages.insert(e.page);
    }
  }
  for (const char* page : kPagesWithExamples)
    EXPECT_TRUE(pages.count(page)) << page << " has no worked example";
  for (const ControlId command : kFinancialCommands) {
    EXPECT_TRUE(clicked.count(command)) << ui::controlInfo(command).name << " has no example";
    EXPECT_TRUE(explained.count(command)) << ui::controlInfo(command).name << " has no syntax";
  }
}

}  // namespace
}  // namespace vantro::test
