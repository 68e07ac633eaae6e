// One line of the tape: every value comes back bit for bit, and any line the writer could not
// have made is refused.

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>

#include "core/tape/tape_format.h"
#include "tape_test_support.h"

namespace vantro::test {
namespace {

using tape::decodeEntry;
using tape::encodeEntry;
using tape::Entry;
using tape::EntryKind;

const double kSubnormal = DBL_TRUE_MIN;
const double kLargestSubnormal = DBL_MIN - DBL_TRUE_MIN;

TEST(TapeFormat, EveryKindOfEntryReadsBackBitExact) {
  const std::string everyByte = [] {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte) bytes += static_cast<char>(byte);
    return bytes;
  }();
  // clang-format off
  const Entry entries[] = {
      {0, EntryKind::Keypad, "+", "2  +  3 = 5", {}, {}, false, true, -1, 5.0, "5", ""},
      {-1, EntryKind::Function, "Sqr", "Sqr 2", {{"x", 2}}, {}, false, false, -1, 1.0 / 3, "", ""},
      {1, EntryKind::Memory, "M+", "", {{"", -0.0}}, {}, false, false, 0, -0.0, "-0", ""},
      {INT64_MAX, EntryKind::Financial, "IRR", "a\tb\nc\\d\re", {{"tab\tname", 0.1}},
       {DBL_MAX, -DBL_MAX, kSubnormal, -kSubnormal, kLargestSubnormal, DBL_MIN, 0.1, -0.0},
       true, false, 15, std::nullopt, "", "Error! Please verify your input parameters.\r\n"},
      {INT64_MIN, EntryKind::Financial, everyByte, everyByte, {{everyByte, DBL_MAX}}, {}, true,
       true, INT32_MIN, kSubnormal, "\xff\xfe not UTF-8 \\x41 \\t", std::string("\0\0", 2)},
  };
  // clang-format on
  for (const Entry& entry : entries) {
    const std::string line = encodeEntry(entry);
    SCOPED_TRACE(line);
    EXPECT_EQ(line.find_first_of(std::string("\n\r\0", 3)), std::string::npos);
    const auto decoded = decodeEntry(line);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(sameBits(*decoded, entry));
  }
}

// The fields of a keypad line, its checksum added: 2 + 3 = 5.
std::string withChecksum(const std::string& body) {
  char checksum[16];
  std::snprintf(checksum, sizeof checksum, "\t%08x", static_cast<unsigned>(tape::crc32(body)));
  return body + checksum;
}
const std::string kFields = "7\tkeypad\t+\t2 + 3\t-\t-1\t5\t5\t\t1\tx\t2\t0";

TEST(TapeFormat, RefusesWhatTheWriterCouldNotHaveWritten) {
  ASSERT_TRUE(decodeEntry(withChecksum(kFields)).has_value());
  // A field changed from one text to another: not finite, not in its shortest form, an unknown
  // word or escape, a raw control byte, a count that does not match, a field too many or few.
  // clang-format off
  const std::pair<std::string_view, std::string_view> changes[] = {
      {"\t5\t5", "\tinf\t5"}, {"\t5\t5", "\tnan\t5"}, {"\t5\t5", "\t1e999\t5"},
      {"\t5\t5", "\t5.0\t5"}, {"\t5\t5", "\t+5\t5"}, {"\t5\t5", "\t0x1p+2\t5"},
      {"7\t", "07\t"}, {"\t-1\t", "\t-0\t"}, {"keypad", "Keypad"}, {"\t-\t", "\tcb\t"},
      {"2 + 3", "2 \\q 3"}, {"2 + 3", "2 \\x41 3"}, {"2 + 3", "2 \\x0A 3"}, {"2 + 3", "2 \r 3"},
      {"2 + 3", "2 + 3\\"}, {"\t1\tx\t2", "\t2\tx\t2"}, {"\t1\tx\t2", "\t99999999999\tx\t2"},
      {"\tx\t2\t", "\tx\t2\textra\t"}, {"\t0", ""}, {kFields, ""}};
  // clang-format on
  for (const auto& [from, to] : changes) {
    std::string body = kFields;
    body.replace(body.find(from), from.size(), to);
    EXPECT_FALSE(decodeEntry(withChecksum(body)).has_value()) << body;
  }
  // Every bit flipped and every cut of a real line is caught.
  const std::string line = encodeEntry(numberedEntry(3));
  for (std::size_t i = 0; i < line.size(); ++i) {
    for (int bit = 0; bit < 8; ++bit) {
      std::string flipped = line;
      flipped[i] = static_cast<char>(flipped[i] ^ (1 << bit));
      EXPECT_FALSE(decodeEntry(flipped).has_value()) << i << " bit " << bit;
    }
    EXPECT_FALSE(decodeEntry(line.substr(0, i)).has_value()) << i;
  }
}

}  // namespace
}  // namespace vantro::test
