// Writing and reading one line of the tape, exactly and strictly.

#include "core/tape/tape_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <type_traits>
#include <utility>
#include <vector>

namespace vantro::core::tape {

namespace {

constexpr std::string_view kHeaderPrefix = "vantro-calculator tape ";
constexpr char kSeparator = '\t';

constexpr std::array<std::string_view, 4> kKindNames = {"keypad", "function", "memory",
                                                        "financial"};
// Payments at the beginning, constant mode: index = beginning + 2 * constant.
constexpr std::array<std::string_view, 4> kFlagNames = {"-", "b", "c", "bc"};

constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    std::uint32_t value = byte;
    for (int bit = 0; bit < 8; ++bit) value = (value & 1) ? 0xEDB88320U ^ (value >> 1) : value >> 1;
    table[byte] = value;
  }
  return table;
}();

constexpr char kHexDigits[] = "0123456789abcdef";

// The short escapes; every other control byte is written as \xHH, every other byte as itself.
char shortEscape(unsigned char byte) {
  switch (byte) {
    case '\t':
      return 't';
    case '\n':
      return 'n';
    case '\r':
      return 'r';
    case '\0':
      return '0';
    case '\\':
      return '\\';
    default:
      return 0;
  }
}
bool needsHexEscape(unsigned char byte) {
  return (byte < 0x20 || byte == 0x7f) && shortEscape(byte) == 0;
}

void appendText(std::string& out, std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (const char letter = shortEscape(byte)) {
      out += '\\';
      out += letter;
    } else if (needsHexEscape(byte)) {
      out += "\\x";
      out += kHexDigits[byte >> 4];
      out += kHexDigits[byte & 0xf];
    } else {
      out += c;
    }
  }
}

// The shortest text that reads back as the same value (no locale touches to_chars).
template <typename Number>
std::string_view numberText(Number value, std::array<char, 32>& buffer) {
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return {buffer.data(), error == std::errc{} ? static_cast<std::size_t>(end - buffer.data()) : 0};
}

template <typename Number>
void appendNumber(std::string& out, Number value) {
  std::array<char, 32> buffer{};
  out += numberText(value, buffer);
}

void appendField(std::string& out) {
  out += kSeparator;
}

std::optional<std::string> readText(std::string_view field) {
  std::string text;
  text.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    const auto byte = static_cast<unsigned char>(field[i]);
    if (byte < 0x20 || byte == 0x7f) return std::nullopt;
    if (byte != '\\') {
      text += field[i];
      continue;
    }
    if (++i == field.size()) return std::nullopt;
    const char letter = field[i];
    if (letter == 'x') {
      if (field.size() - i < 3) return std::nullopt;
      const auto high = std::string_view(kHexDigits).find(field[i + 1]);
      const auto low = std::string_view(kHexDigits).find(field[i + 2]);
      if (high == std::string_view::npos || low == std::string_view::npos) return std::nullopt;
      const auto value = static_cast<unsigned char>(high * 16 + low);
      if (!needsHexEscape(value)) return std::nullopt;
      text += static_cast<char>(value);
      i += 2;
      continue;
    }
    bool known = false;
    for (const unsigned char candidate : {'\t', '\n', '\r', '\0', '\\'}) {
      if (shortEscape(candidate) == letter) {
        text += static_cast<char>(candidate);
        known = true;
      }
    }
    if (!known) return std::nullopt;
  }
  return text;
}

// A number in exactly the form appendNumber writes it.
template <typename Number>
std::optional<Number> readNumber(std::string_view field) {
  Number value{};
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc{} || end != field.data() + field.size()) return std::nullopt;
  if constexpr (std::is_floating_point_v<Number>) {
    if (!std::isfinite(value)) return std::nullopt;
  }
  std::array<char, 32> buffer{};
  if (numberText(value, buffer) != field) return std::nullopt;
  return value;
}

template <std::size_t N>
std::optional<std::size_t> indexOf(const std::array<std::string_view, N>& names,
                                   std::string_view field) {
  for (std::size_t i = 0; i < N; ++i) {
    if (names[i] == field) return i;
  }
  return std::nullopt;
}

// Hands out a line's fields in order; `ok` turns false at the first one missing or unreadable.
class FieldReader {
 public:
  explicit FieldReader(std::string_view body) : rest_(body) {}

  std::string_view next() {
    if (done_) {
      ok = false;
      return {};
    }
    const std::size_t end = rest_.find(kSeparator);
    const std::string_view field = rest_.substr(0, end);
    done_ = end == std::string_view::npos;
    rest_ = done_ ? std::string_view{} : rest_.substr(end + 1);
    return field;
  }
  std::string text() { return take(readText(next())); }
  template <typename Number>
  Number number() {
    return take(readNumber<Number>(next()));
  }
  bool finished() const { return done_; }
  // A count can be no larger than the fields left, so a forged one cannot make us allocate.
  std::size_t count(std::size_t fieldsPerItem) {
    const auto n = number<std::size_t>();
    if (n > rest_.size() / fieldsPerItem + 1) ok = false;
    return ok ? n : 0;
  }

  bool ok = true;

 private:
  template <typename T>
  T take(std::optional<T> value) {
    if (!value) ok = false;
    return value ? std::move(*value) : T{};
  }
  std::string_view rest_;
  bool done_ = false;
};

}  // namespace

std::uint32_t crc32(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFFU;
  for (const char c : bytes)
    crc = kCrcTable[(crc ^ static_cast<unsigned char>(c)) & 0xff] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFU;
}

std::string formatHeader(int version) {
  std::string header(kHeaderPrefix);
  appendNumber(header, version);
  return header;
}

Header readHeader(std::string_view line) {
  if (!line.starts_with(kHeaderPrefix)) return {};
  const auto version = readNumber<int>(line.substr(kHeaderPrefix.size()));
  if (!version || *version < kOldestReadableVersion) return {};
  return {*version > kFormatVersion ? HeaderKind::Newer : HeaderKind::Readable, *version};
}

std::string encodeEntry(const Entry& entry) {
  std::string line;
  line.reserve(128 + entry.text.size() + entry.shown.size() + 24 * entry.inputs.size() +
               24 * entry.flows.size());
  appendNumber(line, entry.timeMs);
  appendField(line);
  line += kKindNames[static_cast<std::size_t>(entry.kind) % kKindNames.size()];
  appendField(line);
  appendText(line, entry.operation);
  appendField(line);
  appendText(line, entry.text);
  appendField(line);
  line += kFlagNames[(entry.beginning ? 1 : 0) + (entry.constant ? 2 : 0)];
  appendField(line);
  appendNumber(line, entry.decimals);
  appendField(line);
  if (entry.result) appendNumber(line, *entry.result);
  appendField(line);
  appendText(line, entry.shown);
  appendField(line);
  appendText(line, entry.message);
  appendField(line);
  appendNumber(line, entry.inputs.size());
  for (const Input& input : entry.inputs) {
    appendField(line);
    appendText(line, input.name);
    appendField(line);
    appendNumber(line, input.value);
  }
  appendField(line);
  appendNumber(line, entry.flows.size());
  for (const double flow : entry.flows) {
    appendField(line);
    appendNumber(line, flow);
  }
  const std::uint32_t checksum = crc32(line);
  appendField(line);
  for (int shift = 28; shift >= 0; shift -= 4) line += kHexDigits[(checksum >> shift) & 0xf];
  return line;
}

std::optional<Entry> decodeEntry(std::string_view line) {
  const std::size_t lastSeparator = line.rfind(kSeparator);
  if (lastSeparator == std::string_view::npos) return std::nullopt;
  const std::string_view body = line.substr(0, lastSeparator);
  const std::string_view checksum = line.substr(lastSeparator + 1);
  if (checksum.size() != 8) return std::nullopt;
  std::uint32_t expected = 0;
  for (const char c : checksum) {
    const auto digit = std::string_view(kHexDigits).find(c);
    if (digit == std::string_view::npos) return std::nullopt;
    expected = expected << 4 | static_cast<std::uint32_t>(digit);
  }
  if (crc32(body) != expected) return std::nullopt;

  FieldReader fields(body);
  Entry entry;
  entry.timeMs = fields.number<std::int64_t>();
  const auto kind = indexOf(kKindNames, fields.next());
  entry.kind = static_cast<EntryKind>(kind.value_or(0));
  entry.operation = fields.text();
  entry.text = fields.text();
  const auto flags = indexOf(kFlagNames, fields.next());
  entry.beginning = flags.value_or(0) % 2 == 1;
  entry.constant = flags.value_or(0) >= 2;
  entry.decimals = fields.number<int>();
  if (const std::string_view result = fields.next(); !result.empty()) {
    entry.result = readNumber<double>(result);
    if (!entry.result) fields.ok = false;
  }
  entry.shown = fields.text();
  entry.message = fields.text();
  entry.inputs.resize(fields.count(2));
  for (Input& input : entry.inputs) {
    input.name = fields.text();
    input.value = fields.number<double>();
  }
  entry.flows.resize(fields.count(1));
  for (double& flow : entry.flows) flow = fields.number<double>();
  if (!fields.ok || !kind || !flags || !fields.finished()) return std::nullopt;
  return entry;
}

}  // namespace vantro::core::tape
