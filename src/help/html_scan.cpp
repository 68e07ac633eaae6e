#include "help/html_scan.h"

#include <array>
#include <cstdint>
#include <optional>

#include "help/text_case.h"

namespace vantro::help {
namespace {

bool isSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

void appendUtf8(std::string& out, std::uint32_t code) {
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

struct NamedEntity {
  std::string_view name;
  std::uint32_t code;
};

constexpr std::array<NamedEntity, 30> kNamedEntities{{
    {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},      {"apos", '\''},
    {"AMP", '&'},      {"LT", '<'},       {"GT", '>'},       {"QUOT", '"'},      {"percnt", '%'},
    {"nbsp", 0xA0},    {"copy", 0xA9},    {"reg", 0xAE},     {"trade", 0x2122},  {"euro", 0x20AC},
    {"pound", 0xA3},   {"yen", 0xA5},     {"eacute", 0xE9},  {"egrave", 0xE8},   {"agrave", 0xE0},
    {"uuml", 0xFC},    {"ndash", 0x2013}, {"mdash", 0x2014}, {"hellip", 0x2026}, {"lsquo", 0x2018},
    {"rsquo", 0x2019}, {"ldquo", 0x201C}, {"rdquo", 0x201D}, {"times", 0xD7},    {"shy", 0xAD},
}};

// The engine reads numeric references 128 to 159 as Windows-1252 characters.
constexpr std::array<std::uint16_t, 32> kWindows1252{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Decodes the reference whose "&" is at text[0]; returns how many bytes it took, 0 if none.
// As the engine: a ";" among the next nine characters, no white space before it.
std::size_t decodeReference(std::string_view text, std::string& out) {
  std::size_t end = 1;
  while (end < text.size() && end <= 9 && text[end] != ';' && !whiteSpaceLength(text, end)) ++end;
  if (end >= text.size() || end > 9 || text[end] != ';' || end == 1) return 0;
  const std::string_view body = text.substr(1, end - 1);
  for (const NamedEntity& entity : kNamedEntities) {
    if (entity.name == body) {
      appendUtf8(out, entity.code);
      return end + 1;
    }
  }
  if (body.size() < 2 || body[0] != '#') return 0;
  std::string_view digits = body.substr(1);
  const bool hex = digits[0] == 'x' || digits[0] == 'X';
  if (hex) digits.remove_prefix(1);
  if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
  if (digits.empty()) return 0;
  std::uint32_t code = 0;
  for (char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return 0;
    code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    if (code > 0x10FFFF) code = 0x110000;  // stays out of range without overflowing
  }
  if (code >= 0x80 && code < 0xA0) code = kWindows1252[code - 0x80];
  appendUtf8(out, code);
  return end + 1;
}

// Skips white space as the engine does between the parts of a tag: not the paragraph
// separator U+2029.
void skipSpace(std::string_view html, std::size_t& position) {
  while (const std::size_t length = whiteSpaceLength(html, position)) {
    if (html.substr(position, 3) == "\xE2\x80\xA9") return;
    position += length;
  }
}

struct Word {
  std::string text;
  bool unusual = false;  // quoted, with a reference or beyond ASCII
};

// Reads a tag name, an attribute name or a value from html[position]: in double quotes with
// references decoded, in single quotes as written (a quote after a backslash does not end it),
// or bare up to ">", "/>", "<", "=" or white space with references decoded.
Word readWord(std::string_view html, std::size_t& position) {
  Word word;
  if (position < html.size() && (html[position] == '"' || html[position] == '\'')) {
    const char quote = html[position++];
    word.unusual = true;
    while (position < html.size()) {
      const char c = html[position++];
      if (c == quote && (quote == '"' || html[position - 2] != '\\')) break;
      if (c == '&' && quote == '"') {
        if (const std::size_t taken = decodeReference(html.substr(position - 1), word.text)) {
          position += taken - 1;
          continue;
        }
      }
      word.text += c;
    }
    return word;
  }
  while (position < html.size()) {
    const char c = html[position];
    if (c == '>' || c == '<' || c == '=' || whiteSpaceLength(html, position) ||
        (c == '/' && position + 1 < html.size() && html[position + 1] == '>'))
      break;
    if (c == '&') {
      word.unusual = true;
      if (const std::size_t taken = decodeReference(html.substr(position), word.text)) {
        position += taken;
        continue;
      }
    }
    if (static_cast<unsigned char>(c) >= 0x80) word.unusual = true;
    word.text += c;
    ++position;
  }
  return word;
}

void skipPast(std::string_view html, std::size_t& position, char end) {
  const std::size_t found = html.find(end, position);
  position = found == std::string_view::npos ? html.size() : found + 1;
}

std::vector<std::pair<std::string, std::string>> readAttributes(std::string_view html,
                                                                std::size_t& position,
                                                                bool& unusual) {
  std::vector<std::pair<std::string, std::string>> attributes;
  while (position < html.size()) {
    skipSpace(html, position);
    if (position >= html.size() || html[position] == '>' || html[position] == '/') break;
    Word name = readWord(html, position);
    if (name.text.empty()) break;
    unusual = unusual || name.unusual;
    skipSpace(html, position);
    std::string value = "1";
    if (position < html.size() && html[position] == '=') {
      ++position;
      skipSpace(html, position);
      value = readWord(html, position).text;
    }
    if (!value.empty()) attributes.emplace_back(foldCase(name.text), std::move(value));
  }
  return attributes;
}

// Reads the tag whose "<" is at html[position - 1]; leaves `position` after its ">". Nothing
// for a comment or a declaration.
std::optional<HtmlTag> readTag(std::string_view html, std::size_t& position) {
  skipSpace(html, position);
  if (position < html.size() && html[position] == '!') {
    if (html.substr(position + 1, 2) == "--") {
      const std::size_t close = html.find("-->", position + 3);
      position = close == std::string_view::npos ? html.size() : close + 3;
    } else {
      skipPast(html, position, '>');
    }
    return std::nullopt;
  }
  HtmlTag tag;
  if (position < html.size() && html[position] == '/') {
    tag.closing = true;
    ++position;
    const Word name = readWord(html, position);
    tag.name = foldCase(name.text);
    tag.unusualNames = name.unusual;
    while (!tag.name.empty() && isSpace(tag.name.back())) tag.name.pop_back();
    skipPast(html, position, '>');
    return tag;
  }
  const Word name = readWord(html, position);
  tag.name = foldCase(name.text);
  tag.unusualNames = name.unusual;
  if (whiteSpaceLength(html, position))
    tag.attributes = readAttributes(html, position, tag.unusualNames);
  while (position < html.size() && html[position] != '>') {
    if (html[position] == '/') tag.selfClosing = true;
    ++position;
  }
  if (position < html.size()) ++position;
  return tag;
}

}  // namespace

std::string HtmlTag::attribute(std::string_view wanted) const {
  for (const auto& [key, value] : attributes)
    if (key == wanted) return value;
  return {};
}

std::string decodeEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '&') {
      if (const std::size_t taken = decodeReference(text.substr(i), out)) {
        i += taken;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

std::size_t whiteSpaceLength(std::string_view text, std::size_t position) {
  if (position >= text.size()) return 0;
  const auto byte = [&](std::size_t offset) {
    return position + offset < text.size() ? static_cast<unsigned char>(text[position + offset])
                                           : 0u;
  };
  const unsigned first = byte(0);
  if (first < 0x80) return isSpace(static_cast<char>(first)) ? 1 : 0;
  if (first == 0xC2) return byte(1) == 0x85 || byte(1) == 0xA0 ? 2 : 0;  // U+0085, U+00A0
  if (first == 0xE1) return byte(1) == 0x9A && byte(2) == 0x80 ? 3 : 0;  // U+1680
  if (first == 0xE3) return byte(1) == 0x80 && byte(2) == 0x80 ? 3 : 0;  // U+3000
  if (first != 0xE2) return 0;
  const unsigned second = byte(1);
  const unsigned third = byte(2);
  if (second == 0x80)  // U+2000 to U+200A, U+2028, U+2029, U+202F
    return (third >= 0x80 && third <= 0x8A) || third == 0xA8 || third == 0xA9 || third == 0xAF ? 3
                                                                                               : 0;
  return second == 0x81 && third == 0x9F ? 3 : 0;  // U+205F
}

void scanHtml(std::string_view html, const std::function<void(const HtmlTag&)>& onTag,
              const std::function<void(std::string_view)>& onText) {
  std::size_t position = 0;
  while (position < html.size()) {
    const std::size_t open = html.find('<', position);
    const std::size_t textEnd = open == std::string_view::npos ? html.size() : open;
    if (textEnd > position) onText(html.substr(position, textEnd - position));
    if (open == std::string_view::npos) return;
    position = open + 1;
    if (const auto tag = readTag(html, position)) onTag(*tag);
  }
}

std::string pageText(std::string_view html) {
  std::string text;
  int hidden = 0;  // inside <script>, <style> or <title>
  bool pendingSpace = false;
  scanHtml(
      html,
      [&](const HtmlTag& tag) {
        if (tag.name == "script" || tag.name == "style" || tag.name == "title")
          hidden = tag.closing ? 0 : 1;
        pendingSpace = true;
      },
      [&](std::string_view run) {
        if (hidden) return;
        for (char c : decodeEntities(run)) {
          if (isSpace(c)) {
            pendingSpace = true;
            continue;
          }
          if (pendingSpace && !text.empty()) text += ' ';
          pendingSpace = false;
          text += c;
        }
      });
  return text;
}

std::string pageTitle(std::string_view html) {
  std::string title;
  bool inTitle = false;
  bool done = false;
  scanHtml(
      html,
      [&](const HtmlTag& tag) {
        if (tag.name != "title" || done) return;
        inTitle = !tag.closing;
        done = tag.closing;
      },
      [&](std::string_view run) {
        if (inTitle) title += run;
      });
  title = decodeEntities(title);
  std::string trimmed;
  bool space = false;
  for (char c : title) {
    if (isSpace(c)) {
      space = !trimmed.empty();
      continue;
    }
    if (space) trimmed += ' ';
    space = false;
    trimmed += c;
  }
  return trimmed;
}

}  // namespace vantro::help
