// Replays the keystroke scripts in scripts/: each line is one case, run on a freshly loaded
// window, as  <keys>  =>  <what> "<expected>" ...
//
// Keys: digits (57 clicks 5 then 7), . +/- BS + - X / = Sqr X^2 1/X M M+ M- MR MC AC C are the
// on-screen keys; 'text' types into the focused control (\r Enter, \b Backspace, \t Tab);
// @Box clicks into a box; LEFT RIGHT HOME END are keys; KP+ KP- KP* KP/ the numeric keypad's
// operators; caret=N puts the focused box's caret at N, select=N,L selects L characters from N;
// Box="text" sets a box's text beforehand, clip="text" the clipboard's; tool:Key clicks the
// toolbar button with that key; focus=Control moves the focus there, as the Tab key would;
// recall=N puts the tape's line N back, as the Tape window's Recall does;
// locale=us|gb|de|fr|c sets how the desktop writes numbers (as Qt describes those locales).
// Checks: display status op mem const caret sel focus acc memvalue pending newentry field
// format message messages due panel flows clip help ends tape check, or a control's name (a box's
// text, a label's or a check box's caption).

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/number_format.h"
#include "form_fixture.h"
#include "ui/financial/calculations.h"
#include "ui/keys.h"

namespace vantro::test {
namespace {

struct Case {
  std::string file;
  int line = 0;
  std::string source;
};

// The case by its place in the scripts, also in the test list that ctest prints.
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.file << ":" << c.line;
}

std::string unescape(const std::string& text) {
  static const std::map<char, char> escapes = {
      {'r', '\r'}, {'n', '\n'}, {'t', '\t'}, {'b', '\b'}, {'e', '\x1b'}};
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool escape = text[i] == '\\' && i + 1 < text.size();
    const char c = escape ? text[++i] : text[i];
    out += escape && escapes.contains(c) ? escapes.at(c) : c;
  }
  return out;
}

// Splits at spaces and tabs, keeping '...' and "..." (with what precedes them) as one token;
// inside quotes a backslash keeps the next character.
std::vector<std::string> tokenize(const std::string& text) {
  static const std::regex token(R"re((?:[^ \t'"]|'(?:\\.|[^\\'])*'|"(?:\\.|[^\\"])*")+)re");
  if (std::regex_replace(text, token, "").find_first_not_of(" \t") != std::string::npos)
    throw std::runtime_error("unclosed quote");
  std::vector<std::string> tokens;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), token);
       it != std::sregex_iterator(); ++it)
    tokens.push_back(it->str());
  return tokens;
}

std::string quoted(const std::string& token) {
  if (token.size() < 2 || token.back() != token.front())
    throw std::runtime_error("expected a quoted text: " + token);
  return unescape(token.substr(1, token.size() - 2));
}

ControlId controlNamed(const std::string& name) {
  const auto id = ui::controlByName(name);
  if (!id) throw std::runtime_error("no control " + name);
  return *id;
}

const std::map<std::string, ControlId>& keyTokens() {
  static const std::map<std::string, ControlId> tokens = {
      {".", ControlId::NumDotCommand},     {"+/-", ControlId::NumSignCommand},
      {"BS", ControlId::CommandBackSpace}, {"+", ControlId::NumPlusCommand},
      {"-", ControlId::NumMinusCommand},   {"X", ControlId::NumMULCommand},
      {"/", ControlId::NumDivCommand},     {"=", ControlId::NumEqCommand},
      {"Sqr", ControlId::NumSqRtCommand},  {"X^2", ControlId::NumSquareCommand},
      {"1/X", ControlId::CommandInvertX},  {"M", ControlId::NumMCommand},
      {"M+", ControlId::NumMPlusCommand},  {"M-", ControlId::NumMMinusCommand},
      {"MR", ControlId::NumMRCommand},     {"MC", ControlId::NumMCCommand},
      {"AC", ControlId::NumACCommand},     {"C", ControlId::NumCCommand},
  };
  return tokens;
}

core::NumberLocale localeNamed(const std::string& name) {
  static const std::map<std::string, core::NumberLocale> locales = {
      {"us", {".", ",", "$"}},           {"gb", {".", ",", "\u00A3"}}, {"de", {",", ".", "\u20AC"}},
      {"fr", {",", "\u202F", "\u20AC"}}, {"c", {".", ",", ""}},
  };
  return locales.at(name);
}

void press(LoadedForm& f, const std::string& token) {
  auto& w = f.window;
  if (token.find_first_not_of("0123456789") == std::string::npos) {
    for (const char digit : token)
      w.click(static_cast<ControlId>(static_cast<int>(ControlId::Num0Command) + (digit - '0')));
  } else if (auto key = keyTokens().find(token); key != keyTokens().end()) {
    w.click(key->second);
  } else if (token.front() == '\'') {
    w.type(quoted(token));
  } else if (token.front() == '@') {
    w.click(controlNamed(token.substr(1)));
  } else if (token == "LEFT" || token == "RIGHT" || token == "HOME" || token == "END") {
    w.pressKey(token == "LEFT"    ? ui::keys::vkLeft
               : token == "RIGHT" ? ui::keys::vkRight
               : token == "HOME"  ? 36
                                  : 35);
  } else if (token.starts_with("KP") && token.size() == 3) {
    w.pressKeypadOperator(token[2]);
  } else if (token.starts_with("caret=")) {
    w.textBox(*w.focused()).setSelStart(std::stoi(token.substr(6)));
  } else if (token.starts_with("select=")) {
    const auto comma = token.find(',');
    ui::TextBox& box = w.textBox(*w.focused());
    box.setSelStart(std::stoi(token.substr(7, comma - 7)));
    box.setSelLength(std::stoi(token.substr(comma + 1)));
  } else if (token.starts_with("focus=")) {
    w.focus(controlNamed(token.substr(6)));
  } else if (token.starts_with("locale=")) {
    f.app.locale = localeNamed(token.substr(7));
  } else if (token.starts_with("clip=")) {
    w.clipboard().setText(quoted(token.substr(5)));
  } else if (token.starts_with("recall=")) {  // the tape's line N, from 1
    f.form.RecallTapeLine(f.tape.lines.at(std::stoul(token.substr(7)) - 1));
  } else if (token.starts_with("tool:")) {
    w.clickToolbarButton(token.substr(5));
  } else if (const auto eq = token.find('='); eq != std::string::npos) {
    w.textBox(controlNamed(token.substr(0, eq))).setText(quoted(token.substr(eq + 1)));
  } else {
    throw std::runtime_error("unknown key " + token);
  }
}

std::string observe(LoadedForm& f, const std::string& what) {
  auto& w = f.window;
  const ui::Form1State& s = f.state();
  if (what == "display") return f.display();
  if (what == "status") return f.status();
  if (what == "op") return w.caption(ControlId::Label1);
  if (what == "mem") return w.caption(ControlId::Label2);
  if (what == "const") return w.caption(ControlId::Label3);
  if (what == "caret") return std::to_string(w.textBox(*w.focused()).selStart());
  if (what == "sel") return std::to_string(w.textBox(*w.focused()).selLength());
  if (what == "focus") return std::string(ui::controlInfo(*w.focused()).name);
  if (what == "acc") return core::formatGeneral(s.Accumulator);
  if (what == "memvalue") return core::formatGeneral(s.MemoryValue);
  if (what == "pending") return s.PendingOperator;
  if (what == "newentry") return s.NewEntry ? "1" : "0";
  if (what == "field") return std::to_string(s.ActiveField);
  if (what == "format") return s.NumberFormat;
  if (what == "message") return f.messages.shown.empty() ? "" : f.messages.shown.back();
  if (what == "messages") return std::to_string(f.messages.shown.size());
  if (what == "due") return std::to_string(w.checkBox(ControlId::CheckPayment).value());
  if (what == "panel") {
    const auto& panel = w.panel(ControlId::Frame1);
    return panel.visible() ? "open " + std::to_string(panel.height()) : "hidden";
  }
  if (what == "clip") return w.clipboard().text();
  if (what == "ends") return std::to_string(f.app.ends);
  if (what == "help") {
    std::string opened;
    for (const std::string& request : f.help.opened)
      opened += (opened.empty() ? "" : " | ") + request;
    return opened;
  }
  if (what == "tape") {  // a line whose result and message disagree is marked " ?"
    std::string lines;
    for (const core::tape::Entry& line : f.tape.lines) {
      lines += (lines.empty() ? "" : " / ") + line.text +
               (line.message.empty() ? "" : " ! " + line.message) +
               (line.result.has_value() == line.message.empty() ? "" : " ?");
    }
    return lines;
  }
  if (what == "check") {  // each financial line checked as recorded, then with its result altered
    std::string verdicts;
    for (core::tape::Entry line : f.tape.lines) {
      if (line.kind != core::tape::EntryKind::Financial) continue;
      verdicts += ui::financial::checkLine(line).agrees ? "agrees" : "differs";
      line.result = line.result ? *line.result + std::pow(10.0, -line.decimals) : 0.0;
      verdicts +=
          ui::financial::checkLine(line).agrees ? ", altered agrees " : ", altered differs ";
    }
    return verdicts;
  }
  if (what == "flows") {
    std::string flows;
    for (const double value : s.CashFlows)
      flows += (flows.empty() ? "" : " ") + core::formatGeneral(value);
    return flows;
  }
  return shown(f, controlNamed(what));
}

std::vector<Case> loadCases() {
  std::vector<Case> cases;
  for (const char* name :
       {"entry.txt", "operators.txt", "functions.txt", "memory.txt", "keyboard.txt", "fields.txt",
        "field_keys.txt", "solvers.txt", "amortisation.txt", "rate_conversion.txt",
        "cash_flows.txt", "clipboard.txt", "tape.txt"}) {
    std::ifstream in(std::string(VANTRO_SCRIPT_DIR) + "/" + name);
    if (!in) throw std::runtime_error(std::string("cannot open script ") + name);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      if (line.find_first_not_of(" \t") == std::string::npos || line.front() == '#') continue;
      cases.push_back({name, number, line});
    }
  }
  return cases;
}

class KeystrokeScript : public ::testing::TestWithParam<Case> {};

TEST_P(KeystrokeScript, GivesTheExpectedWindow) {
  const Case& c = GetParam();
  SCOPED_TRACE(c.file + ":" + std::to_string(c.line) + ": " + c.source);
  const auto arrow = c.source.find("=>");
  ASSERT_NE(arrow, std::string::npos);
  LoadedForm f;
  for (const std::string& token : tokenize(c.source.substr(0, arrow))) press(f, token);
  const std::vector<std::string> checks = tokenize(c.source.substr(arrow + 2));
  ASSERT_EQ(checks.size() % 2, 0u) << "checks come in pairs";
  ASSERT_FALSE(checks.empty());
  for (std::size_t i = 0; i < checks.size(); i += 2)
    EXPECT_EQ(observe(f, checks[i]), quoted(checks[i + 1])) << checks[i];
}

INSTANTIATE_TEST_SUITE_P(Scripts, KeystrokeScript, ::testing::ValuesIn(loadCases()),
                         [](const ::testing::TestParamInfo<Case>& param) {
                           std::string name =
                               param.param.file.substr(0, param.param.file.find('.'));
                           return name + "_line" + std::to_string(param.param.line);
                         });

}  // namespace
}  // namespace vantro::test
