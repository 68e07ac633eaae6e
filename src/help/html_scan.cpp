#include "help/html_scan.h"

#include <array>
#include <cstdint>

#include "help/text_case.h"

namespace vantro::help {
namespace {

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isNameCharacter(char c) {
  return !isSpace(c) && c != '>' && c != '/' && c != '=';
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

constexpr std::array<NamedEntity, 24> kNamedEntities{{
    {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},      {"apos", '\''},
    {"nbsp", 0xA0},    {"copy", 0xA9},    {"reg", 0xAE},     {"trade", 0x2122},  {"euro", 0x20AC},
    {"pound", 0xA3},   {"yen", 0xA5},     {"eacute", 0xE9},  {"egrave", 0xE8},   {"agrave", 0xE0},
    {"uuml", 0xFC},    {"ndash", 0x2013}, {"mdash", 0x2014}, {"hellip", 0x2026}, {"lsquo", 0x2018},
    {"rsquo", 0x2019}, {"ldquo", 0x201C}, {"rdquo", 0x201D}, {"times", 0xD7},
}};

// Decodes the reference starting at text[0] == '&'; returns how many bytes it took, 0 if none.
std::size_t decodeReference(std::string_view text, std::string& out) {
  const std::size_t end = text.find(';', 1);
  if (end == std::string_view::npos || end > 12) return 0;
  const std::string_view body = text.substr(1, end - 1);
  if (body.size() >= 2 && body[0] == '#') {
    const bool hex = body[1] == 'x' || body[1] == 'X';
    const std::string_view digits = body.substr(hex ? 2 : 1);
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
    appendUtf8(out, code);
    return end + 1;
  }
  for (const NamedEntity& entity : kNamedEntities) {
    if (entity.name == body) {
      appendUtf8(out, entity.code);
      return end + 1;
    }
  }
  return 0;
}

// Reads the tag whose "<" is at html[position]; leaves `position` after its ">".
HtmlTag readTag(std::string_view html, std::size_t& position) {
  HtmlTag tag;
  std::size_t i = position + 1;
  if (i < html.size() && html[i] == '/') {
    tag.closing = true;
    ++i;
  }
  const std::size_t nameStart = i;
  while (i < html.size() && isNameCharacter(html[i])) ++i;
  tag.name = foldCase(html.substr(nameStart, i - nameStart));
  while (i < html.size() && html[i] != '>') {
    if (isSpace(html[i]) || html[i] == '/') {
      ++i;
      continue;
    }
    const std::size_t attributeStart = i;
    while (i < html.size() && isNameCharacter(html[i])) ++i;
    if (i == attributeStart) {  // a stray "=": skip it
      ++i;
      continue;
    }
    std::string name = foldCase(html.substr(attributeStart, i - attributeStart));
    while (i < html.size() && isSpace(html[i])) ++i;
    std::string value;
    if (i < html.size() && html[i] == '=') {
      ++i;
      while (i < html.size() && isSpace(html[i])) ++i;
      if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
        const char quote = html[i++];
        const std::size_t close = html.find(quote, i);
        const std::size_t valueEnd = close == std::string_view::npos ? html.size() : close;
        value = html.substr(i, valueEnd - i);
        i = close == std::string_view::npos ? html.size() : close + 1;
      } else {
        const std::size_t valueStart = i;
        while (i < html.size() && !isSpace(html[i]) && html[i] != '>') ++i;
        value = html.substr(valueStart, i - valueStart);
      }
    }
    tag.attributes.emplace_back(std::move(name), std::move(value));
  }
  position = i < html.size() ? i + 1 : html.size();
  return tag;
}

}  // namespace

std::string HtmlTag::attribute(std::string_view wanted) const {
  for (const auto& [key, value] : attributes)
    if (key == wanted) return decodeEntities(value);
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

void scanHtml(std::string_view html, const std::function<void(const HtmlTag&)>& onTag,
              const std::function<void(std::string_view)>& onText) {
  std::size_t position = 0;
  while (position < html.size()) {
    const std::size_t open = html.find('<', position);
    const std::size_t textEnd = open == std::string_view::npos ? html.size() : open;
    if (textEnd > position) onText(html.substr(position, textEnd - position));
    if (open == std::string_view::npos) return;
    const std::string_view rest = html.substr(open);
    if (rest.substr(0, 4) == "<!--") {
      const std::size_t close = html.find("-->", open + 4);
      position = close == std::string_view::npos ? html.size() : close + 3;
    } else if (rest.size() > 1 && (rest[1] == '!' || rest[1] == '?')) {
      const std::size_t close = html.find('>', open);
      position = close == std::string_view::npos ? html.size() : close + 1;
    } else {
      position = open;
      onTag(readTag(html, position));
    }
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
