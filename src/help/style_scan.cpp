#include "help/style_scan.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "help/text_case.h"

namespace vantro::help {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isNameStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool isNameCharacter(char c) {
  return isNameStart(c) || isDigit(c) || c == '-';
}

char at(std::string_view text, std::size_t position) {
  return position < text.size() ? text[position] : '\0';
}

// The position after the string whose quote is at text[position].
std::size_t afterString(std::string_view text, std::size_t position) {
  const char quote = text[position];
  for (++position; position < text.size(); ++position) {
    if (text[position] == '\\') {
      ++position;
    } else if (text[position] == quote) {
      return position + 1;
    }
  }
  return text.size();
}

std::string withoutComments(std::string_view css) {
  std::string out;
  out.reserve(css.size());
  for (std::size_t i = 0; i < css.size();) {
    if (css[i] == '"' || css[i] == '\'') {
      const std::size_t end = afterString(css, i);
      out.append(css.substr(i, end - i));
      i = end;
    } else if (css.substr(i, 2) == "/*") {
      const std::size_t end = css.find("*/", i + 2);
      i = end == std::string_view::npos ? css.size() : end + 2;
      out += ' ';
    } else {
      out += css[i++];
    }
  }
  return out;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  return text;
}

void measureDeclaration(std::string_view declaration, StyleDemand& demand) {
  const std::size_t colon = declaration.find(':');
  const std::string name = colon == std::string_view::npos
                               ? std::string()
                               : foldCase(trimmed(declaration.substr(0, colon)));
  if (name.rfind("-qt-", 0) == 0) demand.engineProperties = true;
  const bool font = name.find("font") != std::string::npos;
  const bool lineHeight = name == "line-height";
  forEachNumber(declaration.substr(colon == std::string_view::npos ? 0 : colon + 1),
                [&](double number, std::string_view unit) {
                  const double pixels = lengthInPixels(number, unit);
                  demand.largestNumber = std::max(demand.largestNumber, std::fabs(number));
                  demand.lengthSum += pixels;
                  if (font) demand.fontSize = std::max(demand.fontSize, pixels);
                  if (lineHeight && unit.empty())
                    demand.lineHeightFactor = std::max(demand.lineHeightFactor, std::fabs(number));
                  else if (lineHeight)
                    demand.lineHeight = std::max(demand.lineHeight, pixels);
                });
}

// The target of "@import url(x.css) screen;" or "@import 'x.css';".
std::string importTarget(std::string_view rule) {
  std::string_view rest = trimmed(rule.substr(7));
  if (rest.size() >= 4 && foldCase(rest.substr(0, 4)) == "url(") {
    const std::size_t close = rest.find(')');
    rest = trimmed(rest.substr(4, close == std::string_view::npos ? close : close - 4));
  }
  if (!rest.empty() && (rest.front() == '"' || rest.front() == '\'')) {
    const std::size_t close = rest.find(rest.front(), 1);
    return std::string(rest.substr(1, close == std::string_view::npos ? close : close - 1));
  }
  return std::string(rest.substr(0, rest.find_first_of(" \t\r\n")));
}

// One pass over the sheet: each "{" opens either a block of rules (an "@media" or similar
// group) or a block of declarations; ";" and "}" end what was gathered.
void measureRules(std::string_view css, StyleDemand& demand) {
  enum class Block { Rules, Declarations };
  std::vector<Block> open{Block::Rules};
  std::string gathered;
  int parentheses = 0;
  const auto finishDeclaration = [&] {
    measureDeclaration(gathered, demand);
    gathered.clear();
  };
  for (std::size_t i = 0; i < css.size();) {
    const char c = css[i];
    if (c == '"' || c == '\'') {
      const std::size_t end = afterString(css, i);
      gathered.append(css.substr(i, end - i));
      i = end;
      continue;
    }
    ++i;
    if (c == '(') ++parentheses;
    if (c == ')' && parentheses > 0) --parentheses;
    if (parentheses > 0 || (c != '{' && c != '}' && c != ';')) {
      gathered += c;
      continue;
    }
    const std::string_view prelude = trimmed(gathered);
    const bool atRule = !prelude.empty() && prelude.front() == '@';
    if (open.back() == Block::Declarations) {
      finishDeclaration();
      if (c == '{') open.push_back(Block::Declarations);
      if (c == '}') open.pop_back();
    } else if (c == '{') {
      const std::string keyword = foldCase(prelude.substr(0, prelude.find_first_of(" \t\r\n{")));
      const bool group = keyword == "@media" || keyword == "@supports" || keyword == "@document";
      if (!atRule) demand.selectors += 1 + std::count(prelude.begin(), prelude.end(), ',');
      open.push_back(group ? Block::Rules : Block::Declarations);
      gathered.clear();
    } else {
      if (atRule && foldCase(prelude.substr(0, 7)) == "@import")
        demand.imports.push_back(importTarget(prelude));
      if (c == '}' && open.size() > 1) open.pop_back();
      gathered.clear();
    }
  }
  if (open.back() == Block::Declarations) finishDeclaration();
}

}  // namespace

void StyleDemand::add(const StyleDemand& other) {
  selectors += other.selectors;
  engineProperties = engineProperties || other.engineProperties;
  imports.insert(imports.end(), other.imports.begin(), other.imports.end());
  largestNumber = std::max(largestNumber, other.largestNumber);
  lengthSum += other.lengthSum;
  fontSize = std::max(fontSize, other.fontSize);
  lineHeight = std::max(lineHeight, other.lineHeight);
  lineHeightFactor = std::max(lineHeightFactor, other.lineHeightFactor);
}

StyleDemand measureStyleSheet(std::string_view css) {
  StyleDemand demand;
  measureRules(withoutComments(css), demand);
  return demand;
}

StyleDemand measureDeclarations(std::string_view declarations) {
  StyleDemand demand;
  const std::string text = withoutComments(declarations);
  std::string_view rest = text;
  // A style attribute holds declarations only; the engine reads it as the block of one rule.
  for (;;) {
    std::size_t end = 0;
    int parentheses = 0;
    while (end < rest.size() && (parentheses > 0 || rest[end] != ';')) {
      if (rest[end] == '"' || rest[end] == '\'') {
        end = afterString(rest, end);
        continue;
      }
      if (rest[end] == '(') ++parentheses;
      if (rest[end] == ')' && parentheses > 0) --parentheses;
      ++end;
    }
    measureDeclaration(rest.substr(0, end), demand);
    if (end >= rest.size()) break;
    rest.remove_prefix(end + 1);
  }
  return demand;
}

double lengthInPixels(double number, std::string_view unit) {
  const std::string folded = foldCase(unit);
  double scale = 1;
  if (folded == "pt") scale = 4.0 / 3;
  if (folded == "pc") scale = 16;
  if (folded == "in") scale = 96;
  if (folded == "cm") scale = 96 / 2.54;
  if (folded == "mm") scale = 96 / 25.4;
  // Relative to a font, a page or the window: taken at the larger end of what they can be.
  if (folded == "em" || folded == "rem" || folded == "ex" || folded == "ch") scale = 32;
  if (folded == "%") scale = 8;
  if (folded == "vw" || folded == "vh" || folded == "vmin" || folded == "vmax") scale = 16;
  return std::fabs(number) * scale;
}

void forEachNumber(std::string_view text,
                   const std::function<void(double number, std::string_view unit)>& onNumber) {
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '"' || c == '\'') {
      i = afterString(text, i);
      continue;
    }
    if (c == '#') {  // a colour or a name
      for (++i; i < text.size() && isNameCharacter(text[i]);) ++i;
      continue;
    }
    const bool signedStart =
        (c == '+' || c == '-') &&
        (isDigit(at(text, i + 1)) || (at(text, i + 1) == '.' && isDigit(at(text, i + 2))));
    if (isDigit(c) || (c == '.' && isDigit(at(text, i + 1))) || signedStart) {
      const std::size_t start = i;
      if (signedStart) ++i;
      while (i < text.size() && isDigit(text[i])) ++i;
      if (at(text, i) == '.' && isDigit(at(text, i + 1)))
        for (++i; i < text.size() && isDigit(text[i]);) ++i;
      if ((at(text, i) == 'e' || at(text, i) == 'E') &&
          (isDigit(at(text, i + 1)) ||
           ((at(text, i + 1) == '+' || at(text, i + 1) == '-') && isDigit(at(text, i + 2))))) {
        i += 2;
        while (i < text.size() && isDigit(text[i])) ++i;
      }
      double number = 0;
      const std::string_view digits = text.substr(start, i - start);
      const char* first = digits.data() + (digits.front() == '+' ? 1 : 0);
      const auto read = std::from_chars(first, digits.data() + digits.size(), number);
      if (read.ec == std::errc::result_out_of_range) number = kInfinity;
      const std::size_t unitStart = i;
      if (at(text, i) == '%') {
        ++i;
      } else {
        while (i < text.size() && isNameCharacter(text[i])) ++i;
      }
      onNumber(number, text.substr(unitStart, i - unitStart));
      continue;
    }
    if (isNameStart(c) || c == '-' || c == '+') {
      const std::size_t start = i;
      for (++i; i < text.size() && isNameCharacter(text[i]);) ++i;
      std::string word = foldCase(text.substr(start, i - start));
      if (!word.empty() && (word[0] == '-' || word[0] == '+')) word.erase(0, 1);
      // The engine's number reading takes "inf" and "nan", whatever follows them as the unit.
      if (word.rfind("inf", 0) == 0 || word.rfind("nan", 0) == 0) onNumber(kInfinity, "");
      if (word == "url" && at(text, i) == '(') {
        const std::size_t close = text.find(')', i);
        i = close == std::string_view::npos ? text.size() : close + 1;
      }
      continue;
    }
    ++i;
  }
}

}  // namespace vantro::help
